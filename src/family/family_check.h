// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "family/update_report.h"
#include "gedcom/gedcom_data.h"
#include "model/chart.h"

#include <string>
#include <unordered_map>
#include <vector>

// Whether a family file still holds the persons of a chart (or of a book's
// charts), before an update trusts its record numbers. A family program that
// exports the family again may number its records anew; another family's file
// put in its place holds none of them.
struct FamilyCheck : Outcome {
    using Outcome::Outcome;

    // Old cross-reference to new, for every person found, when the file
    // numbers its records anew; empty when the charts' numbers hold.
    std::unordered_map<std::string, std::string> renumbering;

    bool renumbers() const { return !renumbering.empty(); }
};

// Each person of the charts' linked person boxes is looked up by record and
// must be the person the box shows (name and birth year, as a link compares
// them). Where that holds for more than half, the numbers hold; else each
// person is found by what their box shows, and found so the file numbers
// them anew. Fails, naming shownPath and the count, when more than half of
// the persons are not found. Boxes that show no one (a person kept from view)
// are not counted.
FamilyCheck checkFamily(const std::vector<const Chart*>& charts, const GedcomData& data,
                        const std::string& shownPath);

// Gives the chart's records and root their new numbers, counting the records
// changed in report.renumbered; a record of a person not found is dropped and
// its box listed as left.
void renumberChart(Chart& chart, const std::unordered_map<std::string, std::string>& renumbering,
                   ChartUpdateReport& report);
