// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_reader.h"

#include "chart_limits.h"
#include "debug_log.h"
#include "number_text.h"
#include "pair_text.h"

#include <cstring>

namespace {

constexpr char magic[] = "Stirpa ";
constexpr std::size_t magicLength = sizeof magic - 1;

bool inCellRange(long value) { return value >= chartLimits::minCell && value <= chartLimits::maxCell; }
bool inLinkRange(long value) { return value >= -chartLimits::maxLink && value <= chartLimits::maxLink; }
bool inBoxRange(long value)
{
    return value >= TreeSettings::minBoxSize && value <= TreeSettings::maxBoxSize;
}

int readInt(const char* cursor) { return clampToInt(readDecimal(cursor)); }

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

// Reads the settings of a header line; false when they are out of range.
bool readHeader(const char* line, TreeSettings& settings)
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
    settings.smallFontLine = cursor[0] == ' ' ? readInt(cursor) : 1;
    return true;
}

// Reads a 'P' or 'p' line; null when a value is out of range or the padding of a
// description that runs past the line would exceed what the file has left.
std::unique_ptr<Person> readBox(const char* line, long& paddingLeft)
{
    const std::size_t length = std::strlen(line);
    const char* cursor = line + (length < 2 ? length : 2);
    const PairValue position = readPairField(cursor);

    const char* number = cursor; // atoi: the cursor itself stays
    const long long declared = readDecimal(number);
    if (declared > chartLimits::maxTextLength)
        return nullptr;
    const long count = declared < 0 ? 0 : long(declared);
    String text;
    if (const char* colon = std::strchr(cursor, ':')) {
        const char* bytes = colon + 1;
        const long available = long(std::strlen(bytes));
        if (count > available) {
            if (count - available > paddingLeft)
                return nullptr;
            paddingLeft -= count - available;
        }
        text = String(bytes, count);
        cursor = bytes + (count < available ? count : available);
    } else {
        cursor += std::strlen(cursor);
    }
    const PairValue links = readPairField(cursor);
    const int lineage = readInt(cursor);

    if (!inCellRange(position.x) || !inCellRange(position.y) || !inLinkRange(links.x) ||
        !inLinkRange(links.y))
        return nullptr;

    const Cell cell{int(position.x), int(position.y)};
    const Links lengths{int(links.x), int(links.y)};
    std::unique_ptr<Person> box;
    if (line[0] == 'p') {
        // Only 0 to 4 name a side; any other byte points nowhere.
        const int direction = line[1] >= '0' && line[1] <= '4' ? line[1] - '0' : 4;
        box = std::make_unique<ContPerson>(String(), cell, lengths, direction);
    } else {
        box = std::make_unique<Person>(String(), cell, lengths);
    }
    box->text = std::move(text);
    box->lineage = lineage;
    return box;
}

ChartLoad invalidRecord(ChartLoad load, const String& treeName, const char* line, long number)
{
    load.status = ChartLoad::InvalidRecord;
    load.tree.reset();
    load.lastRead = nullptr;
    load.line = line;
    load.lineNumber = number;
    // The message shows the start of a long line only: a multi-megabyte line would
    // make a message box (or a terminal) unusable.
    constexpr std::size_t shownBytes = 200;
    std::string shown = load.line.substr(0, shownBytes);
    if (load.line.size() > shownBytes)
        shown += "...";
    load.message = "Invalid record detected in file '" + treeName.toStdString() + "':\n" + shown;
    return load;
}

} // namespace

String treeNameOf(const String& path) { return path.fileName().stem(); }

ChartLoad readChart(memFile& reader, const String& treeName, const TreeSettings& current)
{
    ChartLoad load;
    load.settings = current;
    load.tree = std::make_unique<Tree>(treeName);
    long number = 0;
    long paddingLeft = chartLimits::maxPaddingPerFile;
    while (const char* line = reader.readLine()) {
        ++number;
        if (reader.fail())
            break;
        if (line[0] == '\0')
            continue;
        if (line[0] == magic[0]) {
            if (load.lastRead || !isHeaderMagic(line) || !readHeader(line, load.settings))
                return invalidRecord(std::move(load), treeName, line, number);
            continue;
        }
        if (line[0] != 'P' && line[0] != 'p')
            return invalidRecord(std::move(load), treeName, line, number);
        std::unique_ptr<Person> box = readBox(line, paddingLeft);
        if (!box)
            return invalidRecord(std::move(load), treeName, line, number);
        load.lastRead = box.get();
        load.tree->append(box.release());
        load.tree->undoRecord.clear();
    }
    load.tree->selected = load.lastRead;
    return load;
}

ChartLoad readChartFile(const String& path, const TreeSettings& current)
{
    memFile reader(path);
    if (reader.fail()) {
        debugLog() << "Infile " << path.c_str() << " cannot open" << std::endl;
        ChartLoad load;
        load.status = ChartLoad::CannotOpen;
        load.settings = current;
        load.message = "Cannot open the file '" + path.toStdString() + "'.";
        return load;
    }
    debugLog() << "Infile " << path.c_str() << " opened" << std::endl;
    return readChart(reader, treeNameOf(path), current);
}
