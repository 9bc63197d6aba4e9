// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree_settings.h"

#include "chart_limits.h"

int TreeSettings::pitchX() const { return boxWidth + gapX; }
int TreeSettings::pitchY() const { return boxHeight + gapY; }

TreeSettings& treeSettings()
{
    static TreeSettings settings;
    return settings;
}

Point cellOrigin(Cell cell)
{
    const TreeSettings& s = treeSettings();
    return {cell.column * s.pitchX() + originX, cell.level * s.pitchY() + originY};
}

Cell cellUnder(Point point)
{
    const TreeSettings& s = treeSettings();
    return {(point.x - originX) / s.pitchX(), (point.y - originY) / s.pitchY()};
}

Cell cellAt(Point point)
{
    const Cell cell = cellUnder(point);
    const Point origin = cellOrigin(cell);
    const TreeSettings& s = treeSettings();
    const Rect box{origin.x, origin.y, origin.x + s.boxWidth, origin.y + s.boxHeight};
    // Past the grid's far edge is no cell: a box there could not be saved.
    return strictlyContains(box, point) && chartLimits::contains(cell) ? cell : noCell;
}
