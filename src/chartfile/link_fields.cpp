// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/link_fields.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>

namespace {

constexpr std::size_t maxPathLength = 4096;
constexpr std::size_t maxXrefLength = 255;
constexpr char familyTag[] = " gedcom ";
constexpr char recordTag[] = " r";
constexpr char nameLinesTag[] = " w";
constexpr int maxNameLines = 99;
constexpr std::size_t maxSuffixLength = 64;
// By LivingPolicy: show, name only, hide; show-all is written as show and an option.
constexpr char livingLetters[] = "snh";
constexpr char optionsTag[] = " o";
constexpr char keepUnderscoresLetter = 'k';
constexpr char showAllLetter = 'a';
// By DateStyle; none for the short style.
constexpr char dateLetters[] = "-lr";
constexpr char germanDatesLetter = 'g';
constexpr char titlesLetter = 't';
// By ColourScheme; none for no scheme.
constexpr char schemeLetters[] = "-BSG";
constexpr char ownColourTag[] = " C";
constexpr char schemeColourTag[] = " c";

// A field cannot hold a byte that ends the line or the reading of it.
bool fitsOnLine(std::string_view text, std::size_t limit)
{
    return text.size() <= limit && text.find_first_of(std::string_view("\n\r\0", 3)) == text.npos;
}

void appendCounted(std::string& out, std::string_view text)
{
    out += std::to_string(text.size());
    out += ':';
    out += text;
}

// "N:" and N bytes; false when the count is missing, too large or runs past the line.
bool readCounted(const char*& cursor, std::size_t limit, std::string& text)
{
    std::size_t count = 0;
    const char* end = cursor + std::strlen(cursor);
    const std::from_chars_result read = std::from_chars(cursor, end, count);
    if (read.ec != std::errc() || read.ptr == cursor || *read.ptr != ':' || count > limit ||
        std::size_t(end - read.ptr - 1) < count)
        return false;
    text.assign(read.ptr + 1, count);
    cursor = read.ptr + 1 + count;
    return true;
}

// A generation count from 1 to 99.
bool readGenerations(const char*& cursor, int& generations)
{
    const char* end = cursor + std::strlen(cursor);
    const std::from_chars_result read = std::from_chars(cursor, end, generations);
    if (read.ec != std::errc() || read.ptr == cursor || generations < 1 || generations > 99)
        return false;
    cursor = read.ptr;
    return true;
}

bool skipTag(const char*& cursor, const char* tag)
{
    const std::size_t length = std::strlen(tag);
    if (std::strncmp(cursor, tag, length) != 0)
        return false;
    cursor += length;
    return true;
}

} // namespace

void appendFamilyLinkField(std::string& out, const FamilyLink& link)
{
    if (!link.linked() || !fitsOnLine(link.path, maxPathLength) ||
        !fitsOnLine(link.root, maxXrefLength) || !fitsOnLine(link.bookChart, maxSuffixLength))
        return;
    out += familyTag;
    appendCounted(out, link.path);
    out += ' ';
    appendCounted(out, link.root);
    out += ' ';
    // Descendants and ancestors as the first linked charts wrote them.
    switch (link.layout) {
    case LayoutKind::Descendants:
        out += 'd';
        break;
    case LayoutKind::Ancestors:
        out += 'a';
        break;
    case LayoutKind::Hourglass:
        out += 'h';
        out += std::to_string(link.ancestorGenerations);
        out += '/';
        break;
    }
    out += std::to_string(link.generations);
    out += ' ';
    out += link.places ? 'p' : '-';
    out += link.marriages ? 'm' : '-';
    const bool showAll = link.living == LivingPolicy::ShowAll;
    out += livingLetters[std::size_t(showAll ? LivingPolicy::Show : link.living)];
    if (link.fileFingerprint != 0) {
        char hex[16];
        const std::to_chars_result end = std::to_chars(hex, hex + 16, link.fileFingerprint, 16);
        out += " f";
        out.append(std::size_t(16 - (end.ptr - hex)), '0');
        out.append(hex, end.ptr);
    }
    if (link.inBook()) {
        out += " b";
        out += std::to_string(link.bookColumns);
        out += ' ';
        appendCounted(out, link.bookChart);
    }
    // Last and only when chosen: older readers stop before it, and a chart
    // without these choices keeps its bytes.
    const bool german = link.dateLanguage == DateLanguage::German;
    if (link.keepUnderscores || showAll || link.dates != DateStyle::Short || german ||
        link.titles || link.colours != ColourScheme::None) {
        out += optionsTag;
        if (link.keepUnderscores)
            out += keepUnderscoresLetter;
        if (showAll)
            out += showAllLetter;
        if (link.dates != DateStyle::Short)
            out += dateLetters[std::size_t(link.dates)];
        if (german)
            out += germanDatesLetter;
        if (link.titles)
            out += titlesLetter;
        if (link.colours != ColourScheme::None)
            out += schemeLetters[std::size_t(link.colours)];
    }
}

void appendRecordField(std::string& out, const RecordLink& link)
{
    if (link.xref.empty() || !fitsOnLine(link.xref, maxXrefLength))
        return;
    out += recordTag;
    appendCounted(out, link.xref);
    char hex[9];
    const std::to_chars_result end = std::to_chars(hex, hex + 8, link.fingerprint, 16);
    out += ' ';
    out.append(std::size_t(8 - (end.ptr - hex)), '0');
    out.append(hex, end.ptr);
}

namespace {
void appendColourField(std::string& out, const char* tag, Colour colour)
{
    if (colour == noColour)
        return;
    out += tag;
    out += hexColour(colour);
}

// "RRGGBB" at the cursor, ended by a blank or the line's end.
Colour readColour(const char* cursor)
{
    int channels[3];
    for (int& channel : channels) {
        const std::from_chars_result read = std::from_chars(cursor, cursor + 2, channel, 16);
        if (read.ec != std::errc() || read.ptr != cursor + 2)
            return noColour;
        cursor += 2;
    }
    if (*cursor != '\0' && *cursor != ' ')
        return noColour;
    return rgb(channels[0], channels[1], channels[2]);
}
} // namespace

void appendColourFields(std::string& out, const BoxColours& colours)
{
    appendColourField(out, schemeColourTag, colours.scheme);
    appendColourField(out, ownColourTag, colours.own);
}

BoxColours readColourFields(const char* cursor)
{
    // Past any record field: its cross-reference may hold any bytes.
    std::string xref;
    if (skipTag(cursor, recordTag) && readCounted(cursor, maxXrefLength, xref))
        cursor += std::min<std::size_t>(std::strlen(cursor), 9);
    BoxColours colours;
    if (skipTag(cursor, schemeColourTag)) {
        colours.scheme = readColour(cursor);
        cursor += std::min<std::size_t>(std::strlen(cursor), 6);
    }
    if (skipTag(cursor, ownColourTag))
        colours.own = readColour(cursor);
    return colours;
}

void appendNameLinesField(std::string& out, int nameLines)
{
    if (nameLines < 2 || nameLines > maxNameLines)
        return;
    out += nameLinesTag;
    out += std::to_string(nameLines);
}

int readNameLinesField(const char* cursor)
{
    // The last field of the line, after any other a reader may not know.
    const std::string_view rest(cursor);
    const std::size_t tag = rest.rfind(nameLinesTag);
    if (tag == rest.npos)
        return 1;
    const char* digits = rest.data() + tag + std::strlen(nameLinesTag);
    int lines = 1;
    const std::from_chars_result read = std::from_chars(digits, rest.data() + rest.size(), lines);
    if (read.ec != std::errc() || read.ptr != rest.data() + rest.size() || lines < 2 ||
        lines > maxNameLines)
        return 1;
    return lines;
}

std::optional<FamilyLink> readFamilyLinkField(const char* cursor)
{
    FamilyLink link;
    if (!skipTag(cursor, familyTag) || !readCounted(cursor, maxPathLength, link.path) ||
        link.path.empty() || !skipTag(cursor, " ") ||
        !readCounted(cursor, maxXrefLength, link.root) || !skipTag(cursor, " "))
        return std::nullopt;
    switch (*cursor++) {
    case 'd':
        link.layout = LayoutKind::Descendants;
        break;
    case 'a':
        link.layout = LayoutKind::Ancestors;
        break;
    case 'h':
        link.layout = LayoutKind::Hourglass;
        if (!readGenerations(cursor, link.ancestorGenerations) || !skipTag(cursor, "/"))
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    if (!readGenerations(cursor, link.generations) || !skipTag(cursor, " ") ||
        std::strlen(cursor) < 3 || !std::strchr("p-", cursor[0]) || !std::strchr("m-", cursor[1]) ||
        !cursor[2] || !std::strchr(livingLetters, cursor[2]))
        return std::nullopt;
    link.places = cursor[0] == 'p';
    link.marriages = cursor[1] == 'm';
    link.living = LivingPolicy(std::strchr(livingLetters, cursor[2]) - livingLetters);
    // The file's fingerprint and the book came later: a link without them, or
    // with a broken fingerprint, holds all the same.
    cursor += 3;
    if (skipTag(cursor, " f") && std::strlen(cursor) >= 16) {
        std::uint64_t fingerprint = 0;
        const std::from_chars_result hex = std::from_chars(cursor, cursor + 16, fingerprint, 16);
        if (hex.ec == std::errc() && hex.ptr == cursor + 16)
            link.fileFingerprint = fingerprint;
        cursor += 16;
    }
    if (skipTag(cursor, " b")) {
        const char* end = cursor + std::strlen(cursor);
        const std::from_chars_result read = std::from_chars(cursor, end, link.bookColumns);
        cursor = read.ptr;
        if (read.ec != std::errc() || link.bookColumns < 1 || !skipTag(cursor, " ") ||
            !readCounted(cursor, maxSuffixLength, link.bookChart) ||
            link.bookChart.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
    }
    if (skipTag(cursor, optionsTag)) {
        for (; *cursor && *cursor != ' '; ++cursor) {
            if (*cursor == keepUnderscoresLetter)
                link.keepUnderscores = true;
            else if (*cursor == showAllLetter && link.living == LivingPolicy::Show)
                link.living = LivingPolicy::ShowAll;
            else if (const char* date = std::strchr(dateLetters + 1, *cursor))
                link.dates = DateStyle(date - dateLetters);
            else if (*cursor == germanDatesLetter)
                link.dateLanguage = DateLanguage::German;
            else if (*cursor == titlesLetter)
                link.titles = true;
            else if (const char* scheme = std::strchr(schemeLetters + 1, *cursor))
                link.colours = ColourScheme(scheme - schemeLetters);
            // A letter of a later option: that option left at its default.
        }
    }
    return link;
}

std::optional<RecordLink> readRecordField(const char* cursor)
{
    RecordLink link;
    if (!skipTag(cursor, recordTag) || !readCounted(cursor, maxXrefLength, link.xref) ||
        link.xref.empty() || !skipTag(cursor, " ") || std::strlen(cursor) < 8)
        return std::nullopt;
    const std::from_chars_result read = std::from_chars(cursor, cursor + 8, link.fingerprint, 16);
    if (read.ec != std::errc() || read.ptr != cursor + 8)
        return std::nullopt;
    return link;
}

namespace {
std::filesystem::path chartFolder(const std::string& chartPath)
{
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::absolute(std::filesystem::path(chartPath), error).parent_path();
    return error ? std::filesystem::path() : folder;
}
} // namespace

std::string familyPathForChart(const std::string& familyPath, const std::string& chartPath)
{
    namespace fs = std::filesystem;
    const fs::path family(familyPath);
    const fs::path folder = chartFolder(chartPath);
    if (!family.is_absolute() || folder.empty())
        return familyPath;
    const fs::path relative =
        family.lexically_normal().lexically_relative(folder.lexically_normal());
    return relative.empty() ? familyPath : relative.string();
}

std::string familyPathFromChart(const std::string& storedPath, const std::string& chartPath)
{
    namespace fs = std::filesystem;
    const fs::path stored(storedPath);
    const fs::path folder = chartFolder(chartPath);
    if (stored.is_absolute() || folder.empty())
        return storedPath;
    return (folder / stored).lexically_normal().string();
}
