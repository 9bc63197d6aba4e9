// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

class Chart;

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
// pageName is the page's own file name without its extension. Every text is
// escaped so that nothing in it ends the script element holding the object.
void writeChartData(const Chart& chart, std::string_view pageName, bool chartBackground,
                    const DataWriter& write);
