// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_text.h"

#include "base/control_characters.h"
#include "gedcom/charset_guess.h"
#include "gedcom/code_pages.h"
#include "gedcom/record_parser.h"
#include "model/text_codec.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

bool isUtf16(CharacterSet set)
{
    return set == CharacterSet::Utf16LittleEndian || set == CharacterSet::Utf16BigEndian;
}

bool isSingleByte(CharacterSet set)
{
    return set == CharacterSet::Windows1252 || set == CharacterSet::CodePage437 ||
           set == CharacterSet::MacRoman || set == CharacterSet::Ansel;
}

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return std::uint8_t(c) < 0x80; });
}

std::string fromUtf16(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t i) -> char32_t {
        const auto first = std::uint8_t(bytes[2 * i]), second = std::uint8_t(bytes[2 * i + 1]);
        return bigEndian ? char32_t(first << 8 | second) : char32_t(second << 8 | first);
    };
    for (std::size_t i = 0; i < units; ++i) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units) {
            const char32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        appendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? char32_t(0xFFFD) : code);
    }
    return out;
}

// UTF-16 without a byte-order mark: text that is mostly ASCII has a zero byte
// in every other place, after each letter (little-endian) or before it.
bool looksLikeUtf16(std::string_view bytes, bool& bigEndian)
{
    const std::string_view sample = bytes.substr(0, 4096);
    const std::size_t pairs = sample.size() / 2;
    std::size_t evenZeros = 0, oddZeros = 0;
    for (std::size_t i = 0; i < 2 * pairs; i += 2) {
        evenZeros += sample[i] == '\0';
        oddZeros += sample[i + 1] == '\0';
    }
    if (pairs == 0)
        return false;
    bigEndian = evenZeros > oddZeros;
    const std::size_t many = std::max(evenZeros, oddZeros), few = std::min(evenZeros, oddZeros);
    return many * 2 >= pairs && few * 16 <= many;
}

// The value of the header's "1 CHAR" line, upper-cased; empty when there is none.
// The header is ASCII in every encoding read here.
std::string declaredCharacterSet(std::string_view bytes)
{
    const std::string_view header = bytes.substr(0, 4096);
    std::size_t at = 0;
    while (at < header.size()) {
        std::size_t end = header.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = header.size();
        std::string_view line = header.substr(at, end - at);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (at > 0 && startsWith(line, "0 "))
            break; // past the header
        if (startsWith(line, "1 CHAR ")) {
            std::string value(line.substr(7));
            value.erase(value.find_last_not_of(" \t") + 1);
            std::transform(value.begin(), value.end(), value.begin(),
                           [](unsigned char c) { return char(std::toupper(c)); });
            return value;
        }
        at = end + 1;
    }
    return {};
}

// Why the set used is not the one declared, if it is not.
CharacterSetChoice::Reason reasonFor(CharacterSet used, const std::string& declared)
{
    CharacterSet named;
    if (declared.empty())
        return CharacterSetChoice::Undeclared;
    if (!declaredSet(declared, named))
        return CharacterSetChoice::Unknown;
    if (named == used || (isUtf16(named) && isUtf16(used)))
        return CharacterSetChoice::Declared;
    return CharacterSetChoice::Contradicted;
}

GedcomText decodedUtf16(std::string_view bytes, bool bigEndian, bool marked)
{
    GedcomText text;
    text.utf8 = fromUtf16(bytes, bigEndian);
    if (bytes.size() % 2 != 0)
        text.warnings.push_back(
            "the UTF-16 text ends in the middle of a character; its last byte was left out");
    CharacterSetChoice& choice = text.characterSet;
    choice.used = bigEndian ? CharacterSet::Utf16BigEndian : CharacterSet::Utf16LittleEndian;
    choice.declared = declaredCharacterSet(text.utf8);
    // A byte-order mark declares the set as well as a CHAR line does.
    choice.reason = marked && choice.declared.empty() ? CharacterSetChoice::Declared
                                                      : reasonFor(choice.used, choice.declared);
    return text;
}

// UTF-8 with a few stray bytes (a note pasted from another program): counts
// the valid characters above ASCII and the stray bytes, so that a whole file
// is read in another set only when it is not UTF-8 as a whole.
bool mostlyUtf8(std::string_view bytes)
{
    std::size_t characters = 0, stray = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        if (std::uint8_t(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = utf8SequenceLength(bytes, at);
        characters += length > 0;
        stray += length == 0;
        at += std::max<std::size_t>(length, 1);
    }
    return characters > 0 && stray <= characters;
}

// The bytes as UTF-8, each stray byte read as Windows-1252 where it stands and
// warned of with its line.
std::string hexByte(std::uint8_t byte)
{
    constexpr char digits[] = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 0xF]};
}

std::string repairedUtf8(std::string_view bytes, std::vector<std::string>& warnings)
{
    std::string out;
    out.reserve(bytes.size() + 16);
    long line = 1;
    std::size_t strayCount = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, at);
        if (length > 0) {
            line += bytes[at] == '\n';
            out.append(bytes.substr(at, length));
            at += length;
            continue;
        }
        const std::string read = fromWindows1252(bytes.substr(at, 1));
        if (++strayCount <= maxGedcomWarnings)
            warnings.push_back("line " + std::to_string(line) + ": a byte that is not UTF-8 (0x" +
                               hexByte(std::uint8_t(bytes[at])) + ") was read as \"" + read + "\"");
        out += read;
        ++at;
    }
    if (strayCount > maxGedcomWarnings)
        warnings.push_back(std::to_string(strayCount - maxGedcomWarnings) +
                           " more bytes that are not UTF-8 were read as Windows-1252");
    return out;
}

// The bytes that may start a control character to leave out; line ends, one
// a line, and tabs do not.
constexpr std::array<bool, 256> suspectBytes = [] {
    std::array<bool, 256> table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte)
        table[byte] =
            mayStartControlCharacter(char(byte)) && byte != '\t' && byte != '\n' && byte != '\r';
    return table;
}();

// The length of the control character to leave out at `at`, or 0.
std::size_t droppedLength(std::string_view text, std::size_t at)
{
    return suspectBytes[static_cast<unsigned char>(text[at])]
               ? controlCharacterLength(text, at, "\t\n\r")
               : 0;
}

// Whether any of the eight bytes may be suspect: one below 0x20 but a line
// feed, DEL, or any byte of a character beyond ASCII. Never wrong when it
// says no.
bool maySuspect(std::uint64_t bytes)
{
    constexpr std::uint64_t ones = 0x0101010101010101, highs = 0x8080808080808080;
    constexpr std::uint64_t lows = ones * 0x7F;
    // A line feed is made a '*' first: one ends every line.
    const std::uint64_t lineFeeds = bytes ^ (ones * '\n');
    bytes |= (~(((lineFeeds & lows) + lows) | lineFeeds) & highs) >> 2;
    const std::uint64_t dels = bytes ^ (ones * 0x7F);
    return ((((bytes - ones * 0x20) & ~bytes) | bytes | ((dels - ones) & ~dels)) & highs) != 0;
}

// Where the first control character to leave out starts, or the text's size.
// Eight bytes are passed over at once where none may be one.
std::size_t firstDropped(std::string_view text)
{
    const auto dropsAt = [text](std::size_t at) {
        return suspectBytes[static_cast<unsigned char>(text[at])] && droppedLength(text, at) > 0;
    };
    std::size_t at = 0;
    for (std::uint64_t bytes = 0; at + sizeof bytes <= text.size(); at += sizeof bytes) {
        std::memcpy(&bytes, text.data() + at, sizeof bytes);
        if (maySuspect(bytes))
            for (std::size_t byte = at; byte < at + sizeof bytes; ++byte)
                if (dropsAt(byte))
                    return byte;
    }
    for (; at < text.size(); ++at)
        if (dropsAt(at))
            return at;
    return text.size();
}

// Leaves out, in place, each control character but the line ends and tab,
// telling how many with the line of the first. Bytes are moved only from the
// first on: most files hold none.
void dropControlCharacters(GedcomText& text)
{
    std::string& utf8 = text.utf8;
    const std::size_t firstAt = firstDropped(utf8);
    if (firstAt == utf8.size())
        return;
    std::size_t kept = firstAt;
    std::size_t& dropped = text.controlsLeftOut;
    for (std::size_t at = firstAt; at < utf8.size();) {
        if (const std::size_t length = droppedLength(utf8, at); length > 0) {
            ++dropped;
            at += length;
        } else {
            utf8[kept++] = utf8[at++];
        }
    }
    utf8.resize(kept);
    const std::string_view before = std::string_view(utf8).substr(0, firstAt);
    long line = 1;
    for (std::size_t at = 0; at < before.size(); ++at)
        line += before[at] == '\n' || (before[at] == '\r' && before.substr(at + 1, 1) != "\n");
    std::string warning = "line " + std::to_string(line) + ": a control character was left out";
    if (dropped > 1)
        warning += ", and " + std::to_string(dropped - 1) + " more after it";
    text.warnings.push_back(std::move(warning));
}

GedcomText decodedText(std::string bytes)
{
    const std::string_view view(bytes);
    bool bigEndian = false;
    if (startsWith(view, "\xFF\xFE") || startsWith(view, "\xFE\xFF"))
        return decodedUtf16(view.substr(2), view[0] == '\xFE', true);
    if (looksLikeUtf16(view, bigEndian))
        return decodedUtf16(view, bigEndian, false);
    const bool marked = startsWith(view, "\xEF\xBB\xBF");
    if (marked)
        bytes.erase(0, 3);

    GedcomText text;
    CharacterSetChoice& choice = text.characterSet;
    choice.declared = declaredCharacterSet(bytes);
    CharacterSet named = CharacterSet::Ascii;
    const bool known = declaredSet(choice.declared, named);
    if (isValidUtf8(bytes)) {
        // UTF-8 is also what a file without a CHAR line (GEDCOM 7) is in.
        choice.used = CharacterSet::Utf8;
        const bool utf8Declared =
            marked || choice.declared.empty() || (known && named == CharacterSet::Utf8);
        if (!utf8Declared && isAscii(bytes)) // every set reads ASCII alike: nothing to tell
            choice.used = known && isSingleByte(named) ? named : CharacterSet::Ascii;
        else if (!utf8Declared)
            choice.reason = reasonFor(choice.used, choice.declared);
        text.utf8 = std::move(bytes);
        return text;
    }
    if (mostlyUtf8(bytes)) {
        choice.used = CharacterSet::Utf8;
        if (!marked && !choice.declared.empty() && !(known && named == CharacterSet::Utf8))
            choice.reason = reasonFor(choice.used, choice.declared);
        text.utf8 = repairedUtf8(bytes, text.warnings);
        return text;
    }
    if (known && isSingleByte(named)) {
        choice.used = named;
    } else {
        choice.used = likeliestSingleByteSet(bytes);
        if (marked && choice.declared.empty())
            choice.declared = "UTF-8"; // what the byte-order mark said
        choice.reason = choice.declared.empty() ? CharacterSetChoice::Undeclared
                        : known || marked       ? CharacterSetChoice::Misfit
                                                : CharacterSetChoice::Unknown;
    }
    text.utf8 = fromSingleByteSet(bytes, choice.used);
    return text;
}

} // namespace

GedcomText decodeGedcom(std::string bytes)
{
    GedcomText text = decodedText(std::move(bytes));
    dropControlCharacters(text);
    return text;
}
