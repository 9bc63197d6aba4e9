// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "gedcom/chart_update.h"
#include "gedcom/family_layout.h"

#include <optional>
#include <string>
#include <vector>

// What the user tells about the import a chart stands for; the rest is read
// from the chart.
struct LinkChoices {
    // A person index; -1: the person in the top-left linked box, or for
    // ancestors the lowest one.
    int root = -1;
    std::optional<LayoutKind> kind;
    std::optional<int> generations;
};

struct ChartLinking : Result {
    int linked = 0;
    std::vector<UpdatedBox> unmatched; // boxes matching no one, or several
    int root = -1;
    LayoutKind kind = LayoutKind::Descendants;
    int generations = 1;
};

// Links the plain boxes of a chart typed by hand (or imported before charts
// were linked) to the file's persons: a box whose first line is a person's
// "Given Surname", and whose birth year (when the box shows one) leaves
// exactly one such person. The chart then remembers familyPath and the
// choices an import would have made: ancestors when the lowest linked box
// stands alone on its level under one of its parents, else descendants;
// generations the levels its linked boxes take. Fails, changing nothing,
// when no box matches.
ChartLinking linkChart(Chart& chart, const GedcomData& data, const std::string& familyPath,
                       const LinkChoices& choices);
