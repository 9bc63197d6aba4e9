// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

class Chart;
class Person;
class PieceBuffer;

// Takes one piece of the output; false once writing has failed.
using DataWriter = std::function<bool(std::string_view piece)>;

// Writes the chart as the JSON object the web viewer reads, piece by piece:
// the settings, then columns over the boxes in list order. Texts are decoded
// (UTF-8, else Windows-1252) and joined by line feeds; numbers are joined by
// commas, a 0 written as nothing:
//   cells    column and level, each less the box before's (the first: less 0)
//   links    right and down connector lengths
//   kinds    a plain box's lineage bits (0 to 3; 9 for any other value), or 4
//            plus a continuation box's direction
//   parents  ParentAnswer: levels up and column offset, or 0 and the residue
//   addresses  each continuation box's link, joined by line feeds
//   records    (a chart with a family table) each box's person in it, plus 1
//   seeCharts  (likewise) the chart a see box names in the book, plus 1
// pageName is the page's own file name without its extension. Every text is
// escaped so that nothing in it ends the script element holding the object.
void writeChartData(const Chart& chart, std::string_view pageName, bool chartBackground,
                    const DataWriter& write);

// What a chart's data says of the page around it.
struct ChartPlace {
    std::string_view name; // the chart's page name
    std::string title;     // the page's title while the chart is shown
    // The link of a continuation box that names a chart (UTF-8).
    std::function<std::string(const Person&)> address;
    // With a family table: a box's person in it, and the chart a see box
    // names, each -1 for none; unset without one.
    std::function<int(const Person&)> record;
    std::function<int(const Person&)> seeChart;
};

// The place of a chart on a page of its own: its continuation boxes link to
// the pages beside it (pageName with the box's suffix).
ChartPlace onePageChart(const Chart& chart, std::string_view pageName);
// "<root person> — <family file name>" for a linked chart, else its name (or pageName).
std::string chartTitle(const Chart& chart, std::string_view pageName);
// The chart's data object, written to out.
void writeChartData(const Chart& chart, const ChartPlace& place, bool chartBackground,
                    PieceBuffer& out);
