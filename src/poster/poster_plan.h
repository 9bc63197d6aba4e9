// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "poster/chart_strip.h"

#include <vector>

// Sheet lengths are in 1/96 inch, which is one chart pixel at scale 1.
// The title line's height at the top of the sheet, and its text's.
inline constexpr double posterTitleHeight = 36;
inline constexpr double posterTitleText = 20;
// Room at a band's cut edge for the marks of the connectors cut there, and the
// space between two bands, in chart pixels.
inline constexpr int markRoom = 40;
inline constexpr int bandGap = 20;
// A mark's label, in chart pixels: the smallest text on a poster.
inline constexpr int posterMarkText = 12;

// One band: the chart's columns from left to right (chart pixels), whose left
// edge stands at sheetX and whose top (the strip's top) at sheetY on the sheet.
// A band after the first shows the generation column and mark room left of sheetX.
struct PosterBand {
    int left = 0;
    int right = 0;
    double sheetX = 0;
    double sheetY = 0;
};

// A chart wrapped into bands stacked top to bottom under the title line, at the
// largest scale (never above 1) at which they fit the sheet, the fewest bands
// that print at that scale.
struct PosterPlan {
    double scale = 1;
    std::vector<PosterBand> bands;
};

// The plan for a sheet of width by height (the printable area). Cuts fall
// where the fewest connectors cross, then between the branches of the root's
// children, among the cuts that keep the scale.
PosterPlan planPoster(const ChartStrip& strip, double width, double height);

// How wide and high the plan's drawing is on the sheet, title included.
double posterWidth(const ChartStrip& strip, const PosterPlan& plan);
double posterHeight(const ChartStrip& strip, const PosterPlan& plan);
