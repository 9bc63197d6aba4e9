// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "gedcom/gedcom_data.h"
#include "model/chart.h"

#include <optional>
#include <string>
#include <vector>

// A chart of a book as a published page names it: its file name without the extension.
struct NamedChart {
    std::string name;
    std::string path;
    Chart chart;
    // The chart whose continuation box leads here; the main chart: itself; a
    // chart no box leads to: SIZE_MAX.
    std::size_t above = 0;
};

// The charts of the book a chart belongs to, read for publishing together.
struct BookCharts {
    std::vector<NamedChart> charts; // the book's main chart first, then as its boxes lead on
    std::size_t shown = 0;          // the chart asked for
    std::vector<Result> notes;      // continuation boxes that lead to no chart, charts unreadable
    // The family file the main chart is linked to, when it is and could be read.
    std::optional<GedcomData> family;
};

// The book of the chart read from path: from its main chart (the suffix of a
// linked book's chart tells which; a chart typed by hand is its own start),
// every chart its continuation boxes lead to, beside it and named as the book
// names its charts ("family.txt", "family03.txt", "family0301.txt"), each
// read once. A continuation box whose chart is missing or cannot be read gets
// a note; the book is never empty: the chart asked for is always in it. The
// family file is read too, unless withFamily is false; one that cannot be read
// gets a note and leaves family empty.
BookCharts readBookCharts(const std::string& path, Chart chart, bool withFamily = true);
