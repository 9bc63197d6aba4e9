// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "family/chart_update.h"

#include <string>
#include <vector>

// A chart of a book as it is read from its file.
struct BookMember {
    std::string path;
    Chart chart;
    ChartUpdateReport report;
};

// The other charts of the book the chart at chartPath belongs to, beside it in
// its folder: the regular files named as the book names its charts whose
// links name the same family file and book. The chart itself is not read
// again. Fails when one of them cannot be read: its persons would be taken
// for new ones.
struct BookCharts : Outcome {
    using Outcome::Outcome;

    std::vector<BookMember> members;
};
BookCharts otherBookCharts(const Chart& chart, const std::string& chartPath);

// Brings every chart of a book to the book the family file makes now: each
// chart to its branch's plan (matched by the branch's root), a branch none of
// whose persons has a box in the book to a new chart, any other branch that
// has no chart of its own to the chart above it; persons who have a box in
// one chart are added to no other. A chart that continuation boxes name but
// the book lacks (gone, renamed, or a file that is no chart of the book) is
// named in notes, with where its branch is now; no continuation box is left
// naming it. A new chart never takes the name of a file there. Fails,
// changing nothing, when the book cannot be planned.
struct BookUpdate : Outcome {
    using Outcome::Outcome;

    std::vector<Result> notes;
};
BookUpdate updateBook(std::vector<BookMember>& charts, const GedcomData& data,
                      const CalendarDate& today);
