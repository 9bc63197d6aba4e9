// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "layout/family_layout.h"

#include <string>
#include <vector>

// One chart of a book: its plan, and where its continuation boxes lead.
struct BookChart {
    // Appended to the main chart's name: "" for the main chart, "03" for its
    // third branch chart, "0301" for that one's first.
    std::string suffix;
    int root = -1;       // the person it starts with
    int generations = 0; // its own, the root's counted
    std::vector<PlannedBox> plan;
    struct Link {
        int box;   // a continuation box of the plan
        int chart; // the book's chart it leads to
    };
    std::vector<Link> links;
    // See boxes of persons laid out in an earlier chart (a cousin married into
    // this branch): the chart their box is in.
    std::vector<Link> sees;
};

struct ChartBookPlan : Outcome {
    using Outcome::Outcome;

    std::vector<BookChart> charts; // the main chart first, each before its branches
};

inline constexpr int minBookColumns = 2;
inline constexpr int maxBookColumns = 10000;
inline constexpr int maxBranchCharts = 99; // a continuation box names its chart by two digits

// Plans a descendants or ancestors chart no wider than columns: the widest
// branches that do not fit are cut off (their first person keeps a box with a
// continuation box beside it) and continue in charts of their own, each as
// narrow. A chart takes at most maxBranchCharts branches; where that cannot be
// kept, or where a person and their spouses are wider than the columns, it fails
// naming the person.
ChartBookPlan planBook(const GedcomData& data, const LayoutRequest& request, int columns);
