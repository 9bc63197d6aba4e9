// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "gedcom/gedcom_data.h"
#include "gedcom/gedcom_date.h"
#include "model/chart.h"

#include <cstdint>
#include <string>
#include <vector>

// One person an update names, with where the box stands after it.
struct UpdatedBox {
    std::string name;
    std::string xref;
    Cell cell;
    const Person* box = nullptr;
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

    // Whether the chart changed (texts, counts, new boxes).
    bool changesChart() const { return !changed.empty() || !added.empty() || continuations > 0; }
};

struct ChartUpdate : Result {
    ChartUpdateReport report;
};

// Brings a linked chart up to date with its family file's data: texts the user
// has not changed are rewritten, new persons get boxes beside their relatives
// (opening columns or levels where no free cell keeps Find parent right), and
// boxes whose person left or changed parents are listed where they stand.
// Nothing is deleted and no box is moved but by an opened line. Fails,
// changing nothing, for a chart without a link or a file without its root.
ChartUpdate updateChart(Chart& chart, const GedcomData& data, const CalendarDate& today);

// Whether bytes of this fingerprint are the very ones the chart last took in
// from its family file: then an update changes nothing. False for a link that
// keeps no fingerprint.
bool tookInBytes(const FamilyLink& link, std::uint64_t fingerprint);

// The same for the file at path, which need not be read as GEDCOM for it.
bool familyFileUnchanged(const FamilyLink& link, const std::string& path);

// The link after an update from the file at path: the file's path and bytes.
FamilyLink linkAfterUpdate(FamilyLink link, const std::string& path, const GedcomData& data);

// One kind of the report with its title (English, for the "Update" context),
// in the order the report is shown.
struct ReportSection {
    const char* title;
    const std::vector<UpdatedBox>* boxes;
};
std::vector<ReportSection> reportSections(const ChartUpdateReport& report);

// The report as the command line prints it, one line per kind and per person.
std::string updateReportText(const ChartUpdateReport& report);
