// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/chart_writer.h"

#include "chartfile/atomic_file.h"

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

void appendHeader(std::string& out, const TreeSettings& settings)
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
    out += '\n';
}

void appendBox(std::string& out, const Person& box)
{
    // A continuation box's second byte is its direction digit.
    if (box.kind() == 'p') {
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
    out += '\n';
}

// Formats the chart into pieces of about pieceSize bytes and hands each on.
template <typename HandOn> void writePieces(const Chart& chart, HandOn handOn)
{
    std::string piece;
    piece.reserve(pieceSize + 256);
    appendHeader(piece, chart.settings());
    bool going = true;
    chart.tree().forEachPerson([&](const Person* box) {
        if (!going)
            return;
        appendBox(piece, *box);
        if (piece.size() >= pieceSize) {
            going = handOn(piece);
            piece.clear();
        }
    });
    if (going)
        handOn(piece);
}

} // namespace

void writeChart(std::ostream& out, const Chart& chart)
{
    writePieces(chart, [&out](const std::string& piece) {
        out.write(piece.data(), std::streamsize(piece.size()));
        return true;
    });
}

Result saveChartFile(const std::string& path, const Chart& chart)
{
    // Straight to the file: a copy of a large chart in memory would cost more
    // than writing it.
    return writeFileAtomically(path, [&chart](const PieceWriter& write) {
        writePieces(chart, [&write](const std::string& piece) { return write(piece); });
    });
}
