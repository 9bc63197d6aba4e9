// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"
#include "model/lineage.h"

#include <vector>

class Chart;
class DrawContext;
struct Selection;
struct TreeSettings;

// The one picture of a chart, for screen, printer and image files alike: the
// background over the area being drawn (the client area when the clip box is
// empty), the generation column, the boxes that reach the area in list order,
// then, with a selection, the selected box drawn selected and a shown selection
// frame. Marked cells (in reading order: level, then column) get a frame around
// their box, for the screen only. A null chart paints the background alone.
// A window that keeps the column in sight while the chart scrolls sideways
// leaves it out here and paints it over the chart itself.
enum class GenerationColumn { Painted, LeftOut };
void paintChart(DrawContext& dc, const Chart* chart, const Selection* selection = nullptr,
                const std::vector<Cell>& marked = {},
                GenerationColumn column = GenerationColumn::Painted);

// A red line over the chart's picture, for the screen: its boxes framed, its
// connectors drawn red.
void paintRedLine(DrawContext& dc, const TreeSettings& settings, const RedLine& line);

// The dashed outline of a cell's box, drawn in XOR: drawn twice, it is gone.
// The selection frame of an empty cell and the outline of a drag.
void drawCellOutline(DrawContext& dc, const TreeSettings& settings, Cell cell);
