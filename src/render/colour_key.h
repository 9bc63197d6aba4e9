// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour_legend.h"

class Chart;
class DrawContext;

// The key to a chart's colours, for pictures and pages: a swatch and its label
// for each entry, in rows across the chart's width in the margin below its
// lowest boxes (rows that would pass the margin are left out). Nothing for an
// empty legend. Make the legend once (colourLegend) and paint it after each
// paintChart of a picture or page.
void paintColourKey(DrawContext& dc, const Chart& chart, const std::vector<LegendEntry>& legend);
