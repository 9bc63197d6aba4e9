// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/chart_data.h"

#include "export/person_html.h"
#include "model/chart.h"
#include "model/colour_legend.h"
#include "model/colour_scheme.h"
#include "model/parent_table.h"
#include "model/text_codec.h"
#include "web/json_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>

namespace {

constexpr std::size_t pieceSize = 1 << 16;

// Gathers small writes and hands them on in pieces of about pieceSize bytes.
class PieceBuffer {
public:
    explicit PieceBuffer(const DataWriter& write) : write_(write) { text_.reserve(pieceSize * 2); }

    std::string& text() { return text_; }
    void handOnFull()
    {
        if (text_.size() >= pieceSize)
            handOn();
    }
    void handOn()
    {
        going_ = going_ && write_(text_);
        text_.clear();
    }
    bool going() const { return going_; }

private:
    const DataWriter& write_;
    std::string text_;
    bool going_ = true;
};

void appendNumber(std::string& out, long long value)
{
    if (value == 0)
        return;
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void appendField(std::string& out, std::string_view name)
{
    out += ",\"";
    out += name;
    out += "\":";
}

int kindCode(const Person& box)
{
    if (box.kind() == BoxKind::Continuation)
        return 4 + box.direction();
    return box.lineage >= 0 && box.lineage <= 3 ? box.lineage : 9;
}

// One numbers column: each box gives its values through `values`, joined by commas.
template <typename Values>
void writeColumn(PieceBuffer& out, const Tree& tree, std::string_view name, Values values)
{
    appendField(out.text(), name);
    out.text() += '"';
    bool first = true;
    tree.forEachPerson([&](const Person* box) {
        for (const long long value : values(*box)) {
            if (!first)
                out.text() += ',';
            first = false;
            appendNumber(out.text(), value);
        }
        out.handOnFull();
    });
    out.text() += '"';
}

void writeTexts(PieceBuffer& out, const Tree& tree)
{
    appendField(out.text(), "texts");
    out.text() += '"';
    bool first = true;
    tree.forEachPerson([&](const Person* box) {
        if (!first)
            out.text() += "\\n";
        first = false;
        std::string text = displayText(box->text);
        // A line feed separates the texts; a chart line holds none.
        std::replace(text.begin(), text.end(), '\n', ' ');
        appendJsonText(out.text(), text);
        out.handOnFull();
    });
    out.text() += '"';
}

void writeAddresses(PieceBuffer& out, const Chart& chart, std::string_view pageName)
{
    appendField(out.text(), "addresses");
    out.text() += '"';
    bool first = true;
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Continuation)
            return;
        if (!first)
            out.text() += "\\n";
        first = false;
        // A box that names no chart gets no address: the page does not link it.
        if (linksToChart(*box, chart.familyLink().linked()))
            appendJsonText(out.text(), displayText(continuationAddress(pageName, box->text)));
        out.handOnFull();
    });
    out.text() += '"';
}

// "legend":[["#rrggbb","label"],...] of the chart's colour scheme.
void writeLegend(std::string& out, const std::vector<LegendEntry>& legend)
{
    appendField(out, "legend");
    out += '[';
    for (std::size_t i = 0; i < legend.size(); ++i) {
        out += i ? ",[\"#" : "[\"#";
        out += hexColour(legend[i].colour);
        out += "\",\"";
        appendJsonText(out, legend[i].label);
        out += "\"]";
    }
    out += ']';
}

// The box a page opens on: an import's root, which it places first, else the
// top-left box.
std::size_t openingBox(const Chart& chart)
{
    std::size_t index = 0, found = 0;
    Cell best{INT_MAX, INT_MAX};
    if (chart.familyLink().linked())
        return found;
    chart.tree().forEachPerson([&](const Person* box) {
        const Cell cell = box->cell();
        if (box->kind() == BoxKind::Person &&
            (cell.level < best.level || (cell.level == best.level && cell.column < best.column))) {
            best = cell;
            found = index;
        }
        ++index;
    });
    return found;
}

} // namespace

void writeChartData(const Chart& chart, std::string_view pageName, bool chartBackground,
                    const DataWriter& write)
{
    const Tree& tree = chart.tree();
    const TreeSettings& s = chart.settings();
    PieceBuffer out(write);
    std::string& text = out.text();
    text += "{\"title\":\"";
    appendJsonText(text, displayText(tree.name().empty() ? pageName : tree.name()));
    text += "\",\"boxWidth\":" + std::to_string(s.boxWidth);
    text += ",\"boxHeight\":" + std::to_string(s.boxHeight);
    text += ",\"generationMode\":\"";
    appendJsonText(text, std::string(1, s.generationMode));
    text += "\",\"generationStart\":" + std::to_string(s.generationStart);
    text += ",\"smallFontLine\":" + std::to_string(s.smallFontLine);
    text += ",\"chartBackground\":";
    text += chartBackground ? "true" : "false";
    text += ",\"count\":" + std::to_string(tree.size());
    const Size drawn = tree.drawnSize();
    text += ",\"width\":" + std::to_string(drawn.width);
    text += ",\"height\":" + std::to_string(drawn.height);
    text += ",\"root\":" + std::to_string(openingBox(chart));

    writeTexts(out, tree);
    Cell last{0, 0};
    writeColumn(out, tree, "cells", [&last](const Person& box) {
        const Cell cell = box.cell();
        const std::array<long long, 2> values{(long long)cell.column - last.column,
                                              (long long)cell.level - last.level};
        last = cell;
        return values;
    });
    writeColumn(out, tree, "links", [](const Person& box) {
        return std::array<long long, 2>{box.rightLink(), box.downLink()};
    });
    writeColumn(out, tree, "kinds",
                [](const Person& box) { return std::array<long long, 1>{kindCode(box)}; });
    // The lines a wrapped name takes beyond its first: empty for almost every box.
    writeColumn(out, tree, "nameWraps",
                [](const Person& box) { return std::array<long long, 1>{box.nameLines() - 1}; });
    // 0x1RRGGBB for a box of its own colour, empty for the standard one.
    writeColumn(out, tree, "fills", [](const Person& box) {
        const Colour fill = box.fillColour(noColour);
        return std::array<long long, 1>{fill == noColour ? 0
                                                         : 0x1000000LL | redOf(fill) << 16 |
                                                               greenOf(fill) << 8 | blueOf(fill)};
    });
    {
        const std::vector<ParentAnswer> answers = parentAnswers(tree);
        std::size_t index = 0;
        writeColumn(out, tree, "parents", [&](const Person&) {
            const ParentAnswer& answer = answers[index++];
            return std::array<long long, 2>{
                answer.levelsUp, answer.levelsUp ? answer.columnOffset : answer.residueOffset};
        });
    }
    writeAddresses(out, chart, pageName);
    writeLegend(out.text(), colourLegend(chart));
    text += "}";
    out.handOn();
}
