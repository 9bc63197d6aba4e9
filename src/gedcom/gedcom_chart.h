// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "gedcom/family_layout.h"
#include "gedcom/gedcom_data.h"
#include "gedcom/person_description.h"
#include "model/chart.h"

#include <string>

struct ImportOptions {
    LayoutRequest layout;
    DescriptionOptions description;
    CalendarDate today = currentDate(); // who is living is judged on this day
};

// The outcome of an import: on success the chart and the cell of its root's box.
struct ChartImport : Result {
    Chart chart;
    Cell root = noCell;
    int generations = 0; // the levels the chart's persons take
    int living = 0;      // the living persons it names or hides; 0 when it shows them
};

// A continuation box's text: the children (direction 2) or parents cut off.
std::string continuationText(int direction, int beyond);

// Lays out the root's family as a chart of the given name: boxes as wide as the
// widest line, a line wider than a 240-pixel box allows wrapped at its blanks,
// connectors reaching the next box. Fails when the chart would pass the file's
// limits. Each box is linked to its person's record (a continuation box to the
// person whose branch it cuts).
ChartImport importChart(const GedcomData& data, const ImportOptions& options,
                        const std::string& name);
