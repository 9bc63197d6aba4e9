// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "poster/poster_plan.h"

#include <string>
#include <vector>

// A connector cut between band `band` and the next, at chart height y: it ends
// in a mark at the right edge of the one and starts from a mark at the left
// edge of the other, both with the label. Lines that overlap at a cut are one.
struct CutMark {
    std::size_t band = 0;
    int y = 0;
    std::string label;
};

// The marks of every connector the plan's cuts cross, labelled 1, 2, ... from
// the first cut down and on, in the order of the cuts, top to bottom.
std::vector<CutMark> cutMarks(const ChartStrip& strip, const PosterPlan& plan);
