// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "web/chart_data.h"

#include <string>
#include <vector>

class Chart;
struct GedcomData;

// The charts one page holds: a book's, the main one first, or a chart alone.
struct PageChart {
    std::string name; // the chart file's name without its extension
    const Chart* chart;
};
struct PageBook {
    std::vector<PageChart> charts;
    std::size_t shown = 0;              // the chart the page opens on
    const GedcomData* family = nullptr; // the family file the charts are linked to, when read
    // A chart on a page of its own: its continuation boxes link to the pages
    // beside it, as onePageChart's do.
    bool pagesBeside = false;
};

// The page data of the book: {"shown", "charts": [each chart's data],
// "family": the persons its lines and relationships need}. A continuation box
// links to "#chart=NAME" of the chart it names when the book has it, and a see
// box names the chart that holds the person's box.
void writeBookData(const PageBook& book, bool chartBackground, const DataWriter& write);

// The words of a see box of a book ("see |NAME, |chart 03", "... |main chart"):
// the person's name and the suffix of the chart named; false for any other text.
bool readSeeBox(std::string_view text, std::string& name, std::string& suffix);
