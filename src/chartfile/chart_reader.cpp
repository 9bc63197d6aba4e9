// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/chart_reader.h"

#include "base/byte_text.h"
#include "base/number_text.h"
#include "base/regular_file.h"
#include "files/debug_log.h"
#include "chartfile/link_fields.h"
#include "files/write_journal.h"
#include "model/chart_limits.h"
#include "model/pair_text.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char magic[] = "Stirpa ";
constexpr std::size_t magicLength = sizeof magic - 1;
// Editors elsewhere may start a UTF-8 file with this mark; it carries nothing.
constexpr char byteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t byteOrderMarkLength = sizeof byteOrderMark - 1;

bool inCellRange(long value)
{
    return value >= chartLimits::minCell && value <= chartLimits::maxCell;
}
bool inLinkRange(long value)
{
    return value >= -chartLimits::maxLink && value <= chartLimits::maxLink;
}
bool inBoxRange(long value)
{
    return value >= TreeSettings::minBoxSize && value <= TreeSettings::maxBoxSize;
}

// A pair field. The pair reader stops on the sign of a negative second number;
// the field goes on over that number, or the next field would read its digits.
PairValue readPairField(const char*& cursor)
{
    const char* start = cursor;
    const PairValue pair = readPair(cursor);
    if (cursor > start && cursor[-1] == 'j' && (*cursor == '-' || *cursor == '+')) {
        const char* number = cursor;
        readDecimal(number);
        cursor = number;
    }
    return pair;
}

bool isHeaderMagic(const char* line)
{
    // A shorter line is padded with blanks for the comparison.
    for (std::size_t i = 0; i < magicLength; ++i) {
        const char c = line[i] ? line[i] : ' ';
        if (c != magic[i])
            return false;
        if (!line[i])
            return std::strspn(magic + i, " ") == magicLength - i;
    }
    return true;
}

// Reads the settings of a header line, and a linked chart's family file;
// false when they are out of range.
bool readHeader(const char* line, TreeSettings& settings, FamilyLink& link)
{
    const std::size_t length = std::strlen(line);
    const char* cursor = line + (length < magicLength ? length : magicLength);
    const PairValue box = readPairField(cursor);
    const PairValue start = readPairField(cursor);
    if (!inBoxRange(box.x) || !inBoxRange(box.y))
        return false;
    settings.boxWidth = int(box.x);
    settings.boxHeight = int(box.y);
    settings.htmlStartX = clampToInt(start.x);
    settings.htmlStartY = clampToInt(start.y);

    if (cursor[0] == ' ' && cursor[1] != '\0') {
        settings.generationMode = cursor[1];
        const char* number = cursor + 2;
        settings.generationStart = clampToInt(readDecimal(number));
        // Step over the whole start value, however many digits it has.
        cursor = number != cursor + 2 ? number : cursor + 2 + (cursor[2] != '\0');
    } else {
        settings.generationMode = 'h';
        settings.generationStart = 1;
    }
    settings.smallFontLine = 1;
    if (cursor[0] == ' ')
        settings.smallFontLine = clampToInt(readDecimal(cursor));
    if (std::optional<FamilyLink> family = readFamilyLinkField(cursor))
        link = std::move(*family);
    return true;
}

// The box of a line; fields are the bytes after its last plain field.
std::unique_ptr<Person> makeBox(const char* line, Cell cell, Links links, std::string&& text,
                                int lineage, const char* fields)
{
    std::unique_ptr<Person> box;
    if (line[0] == 'p') {
        auto continuation = std::make_unique<ContPerson>();
        // Only 0 to 4 name a side; any other byte points nowhere.
        continuation->setDirection(line[1] >= '0' && line[1] <= '4' ? line[1] - '0' : 4);
        box = std::move(continuation);
    } else {
        box = std::make_unique<Person>();
    }
    box->setCell(cell);
    box->setLinkLengths(links);
    box->text = std::move(text);
    box->lineage = lineage;
    box->setNameLines(readNameLinesField(fields));
    const BoxColours colours = readColourFields(fields);
    box->schemeColour = colours.scheme;
    box->ownColour = colours.own;
    return box;
}

// One to nine decimal digits, so that the value can neither overflow nor saturate.
bool readPlainNumber(const char*& cursor, int& value)
{
    int digits = 0;
    int read = 0;
    while (cursor[digits] >= '0' && cursor[digits] <= '9') {
        if (digits == 9)
            return false;
        read = read * 10 + (cursor[digits++] - '0');
    }
    if (digits == 0)
        return false;
    cursor += digits;
    value = read;
    return true;
}

// A box line exactly as the writer makes it: the kind and a byte, at most one
// blank, C j L, a blank, N : and N bytes without a terminator among them, a
// blank, R j D, a blank and the lineage, all numbers plain digits. For such a
// line the general reading rules give these very values, so files written by
// the program are read without their searching; any other line is left to them
// (false). No test reads past the terminator.
bool readWrittenBox(const char* line, std::size_t length, Cell& cell, Links& links,
                    std::string& text, int& lineage, const char*& rest)
{
    if (length < 2 || line[1] == '\0')
        return false;
    // A continuation box's direction digit is followed by a blank.
    const char* cursor = line + (line[2] == ' ' ? 3 : 2);
    int count = 0;
    if (!readPlainNumber(cursor, cell.column) || *cursor++ != 'j' ||
        !readPlainNumber(cursor, cell.level) || *cursor++ != ' ' ||
        !readPlainNumber(cursor, count) || *cursor++ != ':')
        return false;
    const std::size_t offset = std::size_t(cursor - line);
    if (count > chartLimits::maxTextLength || std::size_t(count) > length - offset ||
        std::memchr(cursor, '\0', std::size_t(count)))
        return false;
    const char* bytes = cursor;
    cursor += count;
    if (*cursor++ != ' ' || !readPlainNumber(cursor, links.right) || *cursor++ != 'j' ||
        !readPlainNumber(cursor, links.down) || *cursor++ != ' ' ||
        !readPlainNumber(cursor, lineage))
        return false;
    rest = cursor;
    if (!inCellRange(cell.column) || !inCellRange(cell.level) || !inLinkRange(links.right) ||
        !inLinkRange(links.down))
        return false;
    text = paddedBytes(bytes, count);
    return true;
}

// Reads a 'P' or 'p' line of `length` bytes, and its record when it has one;
// null when a value is out of range or the padding of a description that runs
// past the line would exceed what the file has left.
std::unique_ptr<Person> readBox(const char* line, std::size_t length, long& paddingLeft,
                                std::optional<RecordLink>& record)
{
    Cell cell;
    Links lengths;
    std::string text;
    int lineage = 0;
    const char* rest = nullptr;
    if (readWrittenBox(line, length, cell, lengths, text, lineage, rest)) {
        record = readRecordField(rest);
        return makeBox(line, cell, lengths, std::move(text), lineage, rest);
    }

    length = std::strlen(line);
    const char* cursor = line + (length < 2 ? length : 2);
    const PairValue position = readPairField(cursor);

    const char* number = cursor; // atoi: the cursor itself stays
    const long long declared = readDecimal(number);
    if (declared > chartLimits::maxTextLength)
        return nullptr;
    const long count = declared < 0 ? 0 : long(declared);
    if (const char* colon = std::strchr(cursor, ':')) {
        const char* bytes = colon + 1;
        const long available = long(std::strlen(bytes));
        if (count > available) {
            if (count - available > paddingLeft)
                return nullptr;
            paddingLeft -= count - available;
        }
        text = paddedBytes(bytes, count);
        cursor = bytes + (count < available ? count : available);
    } else {
        cursor += std::strlen(cursor);
    }
    const PairValue links = readPairField(cursor);
    lineage = clampToInt(readDecimal(cursor));
    record = readRecordField(cursor);

    if (!inCellRange(position.x) || !inCellRange(position.y) || !inLinkRange(links.x) ||
        !inLinkRange(links.y))
        return nullptr;
    return makeBox(line, {int(position.x), int(position.y)}, {int(links.x), int(links.y)},
                   std::move(text), lineage, cursor);
}

ChartLoad invalidRecord(const std::string& treeName, const char* line, long number)
{
    ChartLoad load;
    load.status = ChartLoad::InvalidRecord;
    load.lineText = line;
    load.line = number;
    // The message shows the start of a long line only: a multi-megabyte line would
    // make a message box (or a terminal) unusable.
    constexpr std::size_t shownBytes = 200;
    std::string shown = load.lineText.substr(0, shownBytes);
    if (load.lineText.size() > shownBytes)
        shown += "...";
    load.pattern = STIRPA_TR_NOOP("Message", "Invalid record detected in file '%1':\n%2");
    load.args = {treeName, shown};
    return load;
}

} // namespace

std::string treeNameOf(std::string_view path)
{
    return std::string(withoutExtension(fileNamePart(path)));
}

ChartLoad readChart(LineReader& reader, const std::string& treeName, const TreeSettings& defaults)
{
    ChartLoad load;
    load.chart = Chart(defaults, treeName);
    bool boxRead = false;
    long number = 0;
    long paddingLeft = chartLimits::maxPaddingPerFile;
    // The boxes join the tree together at the end, so that its cell index is
    // sized once instead of growing step by step.
    std::vector<std::unique_ptr<Person>> boxes;
    std::vector<std::pair<const Person*, RecordLink>> records;
    FamilyLink family;
    auto invalid = [&](const char* line) { return invalidRecord(treeName, line, number); };
    while (const char* line = reader.readLine()) {
        ++number;
        if (reader.fail())
            break;
        std::size_t length = reader.lineLength();
        if (number == 1 && std::strncmp(line, byteOrderMark, byteOrderMarkLength) == 0) {
            line += byteOrderMarkLength;
            length -= byteOrderMarkLength;
        }
        if (line[0] == '\0')
            continue;
        if (line[0] == magic[0]) {
            if (boxRead || !isHeaderMagic(line) || !readHeader(line, load.chart.settings(), family))
                return invalid(line);
            continue;
        }
        if (line[0] != 'P' && line[0] != 'p')
            return invalid(line);
        std::optional<RecordLink> record;
        std::unique_ptr<Person> box = readBox(line, length, paddingLeft, record);
        if (!box)
            return invalid(line);
        boxRead = true;
        if (record)
            records.emplace_back(box.get(), std::move(*record));
        boxes.push_back(std::move(box));
    }
    load.chart.mutableTree().appendAll(boxes);
    // Records without their family file are of no use.
    if (family.linked()) {
        load.chart.setFamilyLink(std::move(family));
        RecordLinks& links = load.chart.mutableTree().mutableRecords();
        links.reserve(records.size());
        for (auto& [box, record] : records)
            links.set(box, std::move(record));
    }
    return load;
}

namespace {

// The first line of the file at path that is not blank, read from its first
// 64 KiB without the rest; null when there is none. The reader keeps the line.
const char* firstLineOf(const std::string& path, LineReader& reader)
{
    settleBeforeReading(path);
    reader = LineReader::fromBytes(readFileStart(path, std::size_t(1) << 16));
    for (long number = 1; const char* line = reader.readLine(); ++number) {
        if (number == 1 && std::strncmp(line, byteOrderMark, byteOrderMarkLength) == 0)
            line += byteOrderMarkLength;
        if (line[0] != '\0')
            return line;
    }
    return nullptr;
}

} // namespace

FamilyLink peekFamilyLink(const std::string& path)
{
    LineReader reader = LineReader::fromBytes({});
    const char* line = firstLineOf(path, reader);
    TreeSettings settings;
    FamilyLink link;
    if (!line || !isHeaderMagic(line) || !readHeader(line, settings, link) || !link.linked())
        return {};
    link.path = familyPathFromChart(link.path, path);
    return link;
}

bool isChartFile(const std::string& path)
{
    LineReader reader = LineReader::fromBytes({});
    const char* line = firstLineOf(path, reader);
    if (!line)
        return false;
    // A box line as the writer makes it: the older, looser forms would take
    // many a text file for a chart.
    Cell cell;
    Links lengths;
    std::string text;
    int lineage = 0;
    const char* rest = nullptr;
    return isHeaderMagic(line) ||
           ((line[0] == 'P' || line[0] == 'p') &&
            readWrittenBox(line, std::strlen(line), cell, lengths, text, lineage, rest));
}

bool mayBeChartFile(const std::string& path)
{
    LineReader reader = LineReader::fromBytes({});
    const char* line = firstLineOf(path, reader);
    return line && (isHeaderMagic(line) || line[0] == 'P' || line[0] == 'p');
}

ChartLoad readChartFile(const std::string& path, const TreeSettings& defaults)
{
    return readChartFile(path, defaults, treeNameOf(path));
}

ChartLoad readChartFile(const std::string& path, const TreeSettings& defaults,
                        const std::string& treeName)
{
    const auto cannotOpen = [&](const char* pattern, std::vector<std::string> more = {}) {
        debugLog() << "Infile " << path << " cannot open" << std::endl;
        ChartLoad load;
        load.status = ChartLoad::CannotOpen;
        load.pattern = pattern;
        load.args = {path};
        load.args.insert(load.args.end(), more.begin(), more.end());
        return load;
    };
    // A book half replaced when its writer died is finished (or undone) first,
    // and one being replaced now is read once its writer is done.
    if (Result settled = settleBeforeReading(path); !settled) {
        debugLog() << "Infile " << path << " cannot open" << std::endl;
        ChartLoad load;
        load.status = ChartLoad::CannotOpen;
        load.pattern = settled.pattern;
        load.args = std::move(settled.args);
        return load;
    }
    try {
        // One byte past the limit tells a file too large, or endless like /dev/zero.
        LineReader reader(path, std::size_t(chartLimits::maxFileSize));
        if (reader.fail()) {
            switch (reader.error()) {
            case EFBIG: {
                struct stat info {};
                const std::string limit = std::to_string(chartLimits::maxFileSize >> 20);
                if (::stat(path.c_str(), &info) != 0)
                    return cannotOpen(STIRPA_TR_NOOP("Message",
                                                     "Cannot open the file '%1': it is too large "
                                                     "to be a chart (at most %2 MB)."),
                                      {limit});
                return cannotOpen(STIRPA_TR_NOOP("Message",
                                                 "Cannot open the file '%1': at %2 MB it is too "
                                                 "large to be a chart (at most %3 MB)."),
                                  {std::to_string(info.st_size >> 20), limit});
            }
            case EINVAL:
                return cannotOpen(STIRPA_TR_NOOP(
                    "Message", "Cannot open the file '%1': it is not a regular file."));
            case EISDIR:
                return cannotOpen(
                    STIRPA_TR_NOOP("Message", "Cannot open the file '%1': it is a folder."));
            default:
                return cannotOpen(STIRPA_TR_NOOP("Message", "Cannot open the file '%1'."));
            }
        }
        debugLog() << "Infile " << path << " opened" << std::endl;
        ChartLoad load = readChart(reader, treeName, defaults);
        if (load && load.chart.familyLink().linked()) {
            FamilyLink link = load.chart.familyLink();
            link.path = familyPathFromChart(link.path, path);
            load.chart.setFamilyLink(std::move(link));
        }
        return load;
    } catch (const std::bad_alloc&) {
        // What was read so far is gone with the stack; the open chart stays.
        return cannotOpen(
            STIRPA_TR_NOOP("Message", "Cannot open the file '%1': there is not enough memory."));
    }
}
