// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/update_report.h"

#include "base/tr_noop.h"

std::vector<ReportSection> reportSections(const ChartUpdateReport& report)
{
    return {{STIRPA_TR_NOOP("Update", "New text"), &report.changed},
            {STIRPA_TR_NOOP("Update", "Kept your text"), &report.kept},
            {STIRPA_TR_NOOP("Update", "New persons"), &report.added},
            {STIRPA_TR_NOOP("Update", "Left the family file"), &report.removed},
            {STIRPA_TR_NOOP("Update", "Parents changed"), &report.reparented},
            {STIRPA_TR_NOOP("Update", "Found no place"), &report.unplaced}};
}

std::string updateReportText(const ChartUpdateReport& report)
{
    std::string text;
    for (const ReportSection& section : reportSections(report)) {
        if (section.boxes->empty())
            continue;
        text += std::string(section.title) + ": " + std::to_string(section.boxes->size()) + "\n";
        for (const UpdatedBox& entry : *section.boxes) {
            text += "  " + entry.name + " (" + entry.xref + ")";
            if (!entry.place.empty())
                text += " at " + entry.place;
            text += '\n';
        }
    }
    if (report.continuations > 0)
        text += "Continuation boxes counted anew: " + std::to_string(report.continuations) + "\n";
    if (report.seeBoxes > 0)
        text += "See boxes written anew: " + std::to_string(report.seeBoxes) + "\n";
    if (report.renumbered > 0)
        text +=
            "Records numbered anew by the family file: " + std::to_string(report.renumbered) + "\n";
    if (text.empty())
        text = "No changes.\n";
    return text;
}
