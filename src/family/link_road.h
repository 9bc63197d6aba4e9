// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "family/chart_linking.h"
#include "family/guarded_output.h"
#include "layout/chart_kind.h"

#include <string>

// The link road: a chart typed by hand linked to a family file's persons and
// written. The window and the command line both link through here and differ
// only in how they ask and report.

struct LinkTarget {
    std::string chartPath;  // the chart read
    std::string familyPath; // as the user named it; never written
    std::string linkPath;   // the same from anywhere, as the chart keeps it
    std::string outPath;    // where the linked chart goes; may be the chart read
    bool replace = false;   // a file that is no chart too
};

class LinkRoad {
public:
    // Checks the output and locks the folders of the chart and the output
    // (see GuardedOutput) until the road ends.
    explicit LinkRoad(LinkTarget target);

    // Ok when the road may write; else why not, nothing written.
    const Result& ready() const { return output_.ready(); }

    // Links chart, read from the target's chart, to the data's persons (see
    // linkChart) and writes it at the output. Fails, naming why, when no box
    // matches or it cannot be written.
    ChartLinking write(Chart& chart, const GedcomData& data, const LinkChoices& choices) const;

private:
    LinkTarget target_;
    GuardedOutput output_;
};

// The phrase that tells the layout a link found.
std::string layoutText(const ChartLinking& linking, const LayoutPhrases& phrases);
