// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour.h"

#include <string>
#include <vector>

class Chart;

// One colour of a chart's scheme and what it stands for, in the chart's
// language: a branch's head ("Albert Edward"), "Men", "Generation 3".
struct LegendEntry {
    Colour colour;
    std::string label; // display text (UTF-8)
};

// The key to the colours the chart's scheme gave its boxes, in reading order:
// branches and lines from left to right, each named by its box nearest the
// root's level; men, women, unknown; generations by number. Empty for a chart
// without a scheme or without a coloured box. One pass over the boxes.
std::vector<LegendEntry> colourLegend(const Chart& chart);
