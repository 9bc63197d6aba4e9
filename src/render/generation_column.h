// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Chart;
class DrawContext;

// The generation-number column at the chart's left edge, in the context's
// current font. Its mode and start come from the chart's settings: 'd' numbers
// grow downward, 'h' hides the column, any other letter numbers grow upward.
// Nothing is painted in mode 'h' or when the tree holds no plain person box.
void paintGenerationColumn(DrawContext& dc, const Chart& chart);

// Zoomed out (scale below about 69 %), the numbers grow to stay legible and
// reach past the column over the first boxes, so they are painted after them;
// once a level is lower than a number, one number stands for several levels, so
// that no two overlap, and the first starts at the chart's top.
bool generationNumbersGrown(double scale);

// Whether the column is painted at all.
bool generationColumnShown(const Chart& chart);
