// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "gedcom/gedcom_data.h"
#include "layout/family_layout.h"
#include "layout/person_description.h"
#include "model/chart.h"

#include <string>

struct ImportOptions {
    LayoutRequest layout;
    DescriptionOptions description;
    CalendarDate today = currentDate(); // who is living is judged on this day
    int bookColumns = 0; // more than 0: a book of charts each at most this wide (see saveBook)
    ColourScheme colours = ColourScheme::None;
};

// The outcome of an import: on success the chart and the cell of its root's box.
struct ChartImport : Outcome {
    using Outcome::Outcome;

    Chart chart;
    Cell root = noCell;
    int generations = 0; // the levels the chart's persons take
    int living = 0;      // the living persons it names or hides; 0 when it shows them
};

// A continuation box's connector: it sits on the side of its cell away from
// its person (the top above, the bottom below), so its connector runs back
// across it to the person's box.
Links continuationConnector(const TreeSettings& settings);

// Lays out the root's family as a chart of the given name: boxes as wide as the
// widest line, a line wider than a 240-pixel box allows wrapped at its blanks,
// connectors reaching the next box. Fails when the chart would pass the file's
// limits. Each box is linked to its person's record (a continuation box to the
// person whose branch it cuts), and the chart to the family file at
// familyPath with the whole request (none when the path is empty).
ChartImport importChart(const GedcomData& data, const ImportOptions& options,
                        const std::string& name, const std::string& familyPath = {});

// A person box's text as the import writes it: the description, wrapped.
// Returns the lines the name takes.
int describeBox(const GedcomData& data, int person, const DescriptionOptions& options,
                std::string& text, const std::vector<bool>& living);

// A continuation box's own text, in place of the count of what was cut off; of a
// see box, where the person's box is, in place of its column.
struct BoxLabel {
    int box; // its index in the plan
    std::string text;
};

// The text the import gives each box of a plan, in plan order; labels (in the
// order of their boxes) in place of a continuation box's count or a see box's
// place. Made in parts at once. With nameLines, the lines each box's name
// takes go there.
std::vector<std::string> plannedTexts(const GedcomData& data, const std::vector<PlannedBox>& plan,
                                      const DescriptionOptions& options,
                                      const std::vector<BoxLabel>& labels,
                                      const std::vector<bool>& living,
                                      std::vector<int>* nameLines = nullptr);

// The person whose branch each continuation box of a plan cuts (the box next
// to it in its column, above it when it points down); -1 for other boxes.
std::vector<int> cutPersons(const std::vector<PlannedBox>& plan);

// Who the options count as living: none when they show everyone.
std::vector<bool> livingPersons(const GedcomData& data, const ImportOptions& options);

// The failure of an import whose plan is empty: its root is no one in the file.
Result noSuchRoot();

// The chart of a plan made beforehand; labels in the order of their boxes,
// living from livingPersons.
ChartImport chartFromPlan(const GedcomData& data, const std::vector<PlannedBox>& plan,
                          const ImportOptions& options, const std::string& name,
                          const std::vector<BoxLabel>& labels, const std::vector<bool>& living);
