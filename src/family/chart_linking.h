// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "family/update_report.h"
#include "layout/family_layout.h"
#include "model/chart.h"

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
    std::optional<int> generations;         // the root's own counted; of an hourglass, below it
    std::optional<int> ancestorGenerations; // of an hourglass, above it, the root's own counted
};

struct ChartLinking : Outcome {
    using Outcome::Outcome;

    int linked = 0;
    std::vector<UpdatedBox> unmatched; // boxes matching no one, or several
    int root = -1;
    LayoutKind kind = LayoutKind::Descendants;
    int generations = 1;
    int ancestorGenerations = 1;
};

// Links the plain boxes of a chart typed by hand (or imported before charts
// were linked) to the file's persons: a box whose first line, or first lines
// joined by blanks (a wrapped name), are a person's "Given Surname" (with or
// without the title before it), and whose
// birth year (when the box shows one) leaves exactly one such person. The
// chart then remembers familyPath and the choices an import would have made:
// descendants when every linked person descends from the top-left one (or
// married one who does); ancestors when the lowest linked box stands alone on
// its level under one of its parents; an hourglass when one level holds a
// person with spouses only and a parent of that person stands above;
// generations the levels its linked boxes take; dates and titles as most boxes
// write them. Fails, changing nothing,
// when no box matches.
ChartLinking linkChart(Chart& chart, const GedcomData& data, const std::string& familyPath,
                       const LinkChoices& choices);
