// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/chart_writer.h"

#include "base/regular_file.h"
#include "files/atomic_file.h"
#include "files/atomic_file_set.h"
#include "chartfile/link_fields.h"

#include <charconv>

namespace {

// Lines are formatted into a buffer and handed to the stream in pieces of about
// this size: formatting field by field through the stream costs several times
// the writing itself.
constexpr std::size_t pieceSize = 1 << 16;

void appendNumber(std::string& out, long long value)
{
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end.ptr);
}

// The pair text form "%lij%li".
void appendPair(std::string& out, long long x, long long y)
{
    appendNumber(out, x);
    out += 'j';
    appendNumber(out, y);
}

void appendHeader(std::string& out, const TreeSettings& settings, const FamilyLink& link)
{
    out += "Stirpa ";
    appendPair(out, settings.boxWidth, settings.boxHeight);
    out += ' ';
    appendPair(out, settings.htmlStartX, settings.htmlStartY);
    out += ' ';
    out += settings.generationMode;
    appendNumber(out, settings.generationStart);
    out += ' ';
    appendNumber(out, settings.smallFontLine);
    appendFamilyLinkField(out, link);
    out += '\n';
}

void appendBox(std::string& out, const Person& box, const RecordLink* record)
{
    // A continuation box's second byte is its direction digit.
    if (box.kind() == BoxKind::Continuation) {
        out += 'p';
        appendNumber(out, box.direction());
        out += ' ';
    } else {
        out += "P ";
    }
    appendPair(out, box.column(), box.level());
    out += ' ';
    const std::string_view text = box.text;
    appendNumber(out, (long long)text.size());
    out += ':';
    out += text;
    out += ' ';
    appendPair(out, box.rightLink(), box.downLink());
    out += ' ';
    appendNumber(out, box.lineage);
    if (record)
        appendRecordField(out, *record);
    appendColourFields(out, {box.schemeColour, box.ownColour});
    appendNameLinesField(out, box.nameLines());
    out += '\n';
}

// Formats the chart into pieces of about pieceSize bytes and hands each on.
template <typename HandOn>
void writePieces(const Chart& chart, const FamilyLink& link, HandOn handOn)
{
    std::string piece;
    piece.reserve(pieceSize + 256);
    appendHeader(piece, chart.settings(), link);
    bool going = true;
    const RecordLinks& records = chart.tree().records();
    chart.tree().forEachPerson([&](const Person* box) {
        if (!going)
            return;
        appendBox(piece, *box, records.find(box));
        if (piece.size() >= pieceSize) {
            going = handOn(piece);
            piece.clear();
        }
    });
    if (going)
        handOn(piece);
}

// The chart's bytes for the file at path, made straight into the file: a copy of
// a large chart in memory would cost more than writing it.
std::function<void(const PieceWriter&)> chartFileBytes(const std::string& path, const Chart& chart)
{
    FamilyLink link = chart.familyLink();
    // Relative to the folder the file lands in, which a link to it may not be in.
    if (link.linked())
        link.path = familyPathForChart(link.path, resolvedPath(path));
    return [&chart, link = std::move(link)](const PieceWriter& write) {
        writePieces(chart, link, [&write](const std::string& piece) { return write(piece); });
    };
}

} // namespace

void writeChart(std::ostream& out, const Chart& chart)
{
    writePieces(chart, chart.familyLink(), [&out](const std::string& piece) {
        out.write(piece.data(), std::streamsize(piece.size()));
        return true;
    });
}

Result saveChartFile(const std::string& path, const Chart& chart)
{
    return writeFileAtomically(path, chartFileBytes(path, chart));
}

Result saveChartFile(AtomicFileSet& files, const std::string& path, const Chart& chart)
{
    return files.write(path, chartFileBytes(path, chart));
}
