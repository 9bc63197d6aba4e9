// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"

inline constexpr int gapX = 20;
inline constexpr int gapY = 20;
inline constexpr int generationColumnWidth = 25;
inline constexpr int originX = generationColumnWidth + 10;
inline constexpr int originY = 10;
// A continuation box is this fraction of a box's width and height.
inline constexpr double continuationScale = 0.7;

// The chart-wide settings that the chart file's header line carries, and the
// grid geometry that follows from the box size.
struct TreeSettings {
    int boxWidth = 120;
    int boxHeight = 50;
    int htmlStartX = 50;
    int htmlStartY = 200;
    char generationMode = 'd';
    int generationStart = 1;
    int smallFontLine = 1;
    bool saveLineage = true;

    // Box sizes outside this range are refused (they would make the pitch 0 or
    // overflow pixel coordinates).
    static constexpr int minBoxSize = 1;
    static constexpr int maxBoxSize = 2000;

    int pitchX() const { return boxWidth + gapX; }
    int pitchY() const { return boxHeight + gapY; }

    // Top-left pixel of a cell's box.
    Point cellOrigin(Cell cell) const;
    // The pixels of a cell's box (right and bottom exclusive).
    Rect boxRect(Cell cell) const;
    // The size a chart is drawn at (window, pictures, pages) when its last
    // cell's box starts at lastCorner: 150 pixels past that corner, and further
    // where the box reaches past that, to its edges and a margin.
    Size drawnSize(Point lastCorner) const;
    // The cell whose box strictly contains the point, else noCell.
    Cell cellAt(Point point) const;
    // The cell whose pitch area holds the point, with no inside test.
    Cell cellUnder(Point point) const;

    friend bool operator==(const TreeSettings&, const TreeSettings&) = default;
};
