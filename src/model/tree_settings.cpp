// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree_settings.h"

#include "model/chart_limits.h"

#include <algorithm>

Point TreeSettings::cellOrigin(Cell cell) const
{
    return {cell.column * pitchX() + originX, cell.level * pitchY() + originY};
}

Rect TreeSettings::boxRect(Cell cell) const
{
    const Point origin = cellOrigin(cell);
    return {origin.x, origin.y, origin.x + boxWidth, origin.y + boxHeight};
}

Size TreeSettings::drawnSize(Point lastCorner) const
{
    // What a chart of the first box size always had: 150 past the last
    // corner, which is 30 right of a box and 100 below it.
    constexpr int cornerMargin = 150;
    constexpr int edgeMargin = 30;
    return {lastCorner.x + std::max(cornerMargin, boxWidth + edgeMargin),
            lastCorner.y + std::max(cornerMargin, boxHeight + edgeMargin)};
}

Cell TreeSettings::cellUnder(Point point) const
{
    return {(point.x - originX) / pitchX(), (point.y - originY) / pitchY()};
}

Cell TreeSettings::cellAt(Point point) const
{
    const Cell cell = cellUnder(point);
    // Past the grid's far edge is no cell: a box there could not be saved.
    return strictlyContains(boxRect(cell), point) && chartLimits::contains(cell) ? cell : noCell;
}
