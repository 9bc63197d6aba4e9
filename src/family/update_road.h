// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "family/chart_update.h"
#include "family/guarded_output.h"
#include "gedcom/gedcom_data.h"
#include "gedcom/gedcom_date.h"
#include "model/chart.h"

#include <string>
#include <vector>

// The family road: a chart (or a book of charts) kept up to date with the
// family file it was imported from or linked to. The window and the command
// line both update through here and differ only in how they ask and report.

// One chart of an update, as it stands after it.
struct UpdatedChart {
    std::string path; // where it was read from
    Chart chart;
    ChartUpdateReport report;
    bool changed = false; // differs from what was read: to be written
};

struct FamilyUpdate : Outcome {
    using Outcome::Outcome;

    // The family file holds the bytes the chart last took in: it was not read
    // as GEDCOM and charts holds the chart alone, unchanged.
    bool upToDate = false;
    // The chart first, then the rest of its book in the book's order; each
    // that changed linked to the file and bytes read from now on (one that
    // did not change keeps its link, so that it is written the same).
    std::vector<UpdatedChart> charts;
    // What the family file's reader noted (character set, skipped lines).
    std::vector<std::string> notes;
    // The charts of the book that are gone, renamed or replaced by another
    // file, each with the chart its branch is in now.
    std::vector<Result> lostCharts;

    bool changesCharts() const;
};

// Brings the chart read from chartPath, and the rest of its book when it is a
// book's chart, up to date with the family file at familyPath (see
// updateChart): persons stay in the chart they are in, new persons go where
// the import would put them. A file that numbers the persons anew changes
// only the charts' record numbers (see checkFamily). Fails, changing nothing,
// for a chart without a link, a file that is no GEDCOM file, has no persons,
// holds too few of the charts' persons (named shownPath, else familyPath) or
// lacks the chart's root.
FamilyUpdate updateFromFamilyFile(Chart chart, const std::string& chartPath,
                                  const std::string& familyPath, const CalendarDate& today,
                                  const std::string& shownPath = {});

// The same for the chart file at chartPath, read while the family file is;
// the family file is not read as GEDCOM when the chart's header shows it
// unchanged.
FamilyUpdate updateChartFile(const std::string& chartPath, const std::string& familyPath,
                             const CalendarDate& today, const std::string& shownPath = {});

// Writes the update's charts as one set: the first at outPath, the rest of its
// book beside it under their suffixes; from the second on when the first is
// kept elsewhere (the window's open chart). A chart that did not change is
// not written over its own file. Fails, naming the file, when one
// cannot be written, and for a book when outPath's name does not end in the
// first chart's suffix.
Result saveUpdate(const FamilyUpdate& update, const std::string& outPath, bool fromSecond = false);

// The report as the command line prints it: the lost charts first, then for
// a book each chart's part headed by its file's name.
std::string updateReportText(const FamilyUpdate& update);

// Where an update reads and writes, as the user named the files.
struct UpdateTarget {
    std::string chartPath;  // the chart read
    std::string familyPath; // as the user named it; never written
    std::string linkPath;   // the same from anywhere, as the charts keep it
    std::string outPath;    // where the chart goes; may be the chart read
    bool replace = false;   // a file that is no chart too
};

class UpdateRoad {
public:
    // Checks the output and locks the folders of the chart and the output
    // (see GuardedOutput) until the road ends.
    explicit UpdateRoad(UpdateTarget target);

    // Ok when the road may write; else why not, nothing written.
    const Result& ready() const { return output_.ready(); }

    // The update of the target's chart file (see updateChartFile).
    FamilyUpdate read(const CalendarDate& today) const;

    // Writes the update at the output (see saveUpdate).
    Result write(const FamilyUpdate& update, bool fromSecond = false) const;

private:
    UpdateTarget target_;
    GuardedOutput output_;
};
