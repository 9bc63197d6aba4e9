// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class Chart;

// A horizontal connector as drawn, in chart pixels: from x1 to x2 (x1 < x2) at y.
struct HorizontalLine {
    int y = 0;
    int x1 = 0;
    int x2 = 0;
};

// A chart seen as one strip of columns to be cut into bands, in chart pixels:
// the span the bands cover (trimmed to what is drawn), the places between
// columns where a cut may fall, and what crosses each.
struct ChartStrip {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    // The generation column's width, shown again at the left of every later band.
    int repeated = 0;
    // Places a cut may fall, ascending, strictly between left and right: the
    // middle of the gap between two columns, so that no box is ever cut.
    std::vector<int> cutX;
    // How many connectors cross each place.
    std::vector<int> crossings;
    // Whether each place lies between the branches of two of the root's children.
    std::vector<char> betweenBranches;
    std::vector<HorizontalLine> lines;
};

// The strip of the chart; of an empty chart, its drawn area without places to cut.
// With the generation column shown, its width is repeated at every later band.
ChartStrip chartStrip(const Chart& chart, bool generationColumn);
