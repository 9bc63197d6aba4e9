// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/chart_data.h"

#include "export/person_html.h"
#include "model/chart.h"
#include "model/colour_legend.h"
#include "model/colour_scheme.h"
#include "model/parent_table.h"
#include "model/text_codec.h"
#include "base/byte_text.h"
#include "web/data_pieces.h"
#include "web/json_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>

namespace {

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

void writeAddresses(PieceBuffer& out, const Chart& chart, const ChartPlace& place)
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
            appendJsonText(out.text(), place.address(*box));
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
    PieceBuffer out(write);
    writeChartData(chart, onePageChart(chart, pageName), chartBackground, out);
    out.handOn();
}

ChartPlace onePageChart(const Chart& chart, std::string_view pageName)
{
    ChartPlace place;
    place.name = pageName;
    place.title = chartTitle(chart, pageName);
    place.address = [pageName](const Person& box) {
        return displayText(continuationAddress(pageName, box.text));
    };
    return place;
}

std::string chartTitle(const Chart& chart, std::string_view pageName)
{
    const Tree& tree = chart.tree();
    const FamilyLink& link = chart.familyLink();
    if (!link.linked() || tree.size() == 0)
        return displayText(tree.name().empty() ? pageName : tree.name());
    // A linked chart's root is its first box.
    const Person* root = nullptr;
    tree.forEachPerson([&root](const Person* box) { root = root ? root : box; });
    std::string_view line = root->text;
    line = line.substr(0, line.find('|'));
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    return displayText(line) + " \u2014 " + displayText(fileNamePart(link.path));
}

void writeChartData(const Chart& chart, const ChartPlace& place, bool chartBackground,
                    PieceBuffer& out)
{
    const Tree& tree = chart.tree();
    const TreeSettings& s = chart.settings();
    std::string& text = out.text();
    text += "{\"name\":\"";
    appendJsonText(text, displayText(place.name));
    text += "\",\"title\":\"";
    appendJsonText(text, place.title);
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
    writeAddresses(out, chart, place);
    writeLegend(out.text(), colourLegend(chart));
    if (place.record) {
        writeColumn(out, tree, "records",
                    [&](const Person& box) { return std::array<long long, 1>{place.record(box) + 1}; });
        writeColumn(out, tree, "seeCharts", [&](const Person& box) {
            return std::array<long long, 1>{place.seeChart(box) + 1};
        });
    }
    text += "}";
}
