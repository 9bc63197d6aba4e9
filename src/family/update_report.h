// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"

#include <string>
#include <vector>

class Person;

// One person an update or a link names, with where the box stands after it.
struct UpdatedBox {
    std::string name;
    std::string xref;
    Cell cell;
    const Person* box = nullptr;
    // The cell as the window names it and the generation number in it; empty
    // without a box.
    std::string place;
    long long generation = 0;
};

// What an update did or found, by kind, each in the chart's list order.
struct ChartUpdateReport {
    std::vector<UpdatedBox> changed;    // new text from the file
    std::vector<UpdatedBox> kept;       // changed in the file, but the text is the user's
    std::vector<UpdatedBox> added;      // new persons, with their new boxes
    std::vector<UpdatedBox> removed;    // no longer in the file; the box stays
    std::vector<UpdatedBox> reparented; // Find parent answers another parent now
    std::vector<UpdatedBox> unplaced;   // belong in the chart, but found no place
    int continuations = 0;              // continuation boxes given a new count
    int seeBoxes = 0;                   // see boxes given the import's words and form
    int renumbered = 0; // records given the numbers the family file gives their persons now

    // Whether the chart changed (texts, counts, new boxes, record numbers).
    bool changesChart() const
    {
        return !changed.empty() || !added.empty() || continuations > 0 || seeBoxes > 0 ||
               renumbered > 0;
    }
};

// One kind of the report with its title (English, for the "Update" context),
// in the order the report is shown.
struct ReportSection {
    const char* title;
    const std::vector<UpdatedBox>* boxes;
};
std::vector<ReportSection> reportSections(const ChartUpdateReport& report);

// The report as the command line prints it, one line per kind and per person;
// "No changes." for a report of none.
std::string updateReportText(const ChartUpdateReport& report);
