// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"

class DrawContext;
struct TreeSettings;

// The outline of the cell under the pointer while a box is dragged, drawn in
// XOR so that drawing it twice takes it off again without a repaint. The box
// size comes from the settings, read at each drawing.
class DragTracker {
public:
    explicit DragTracker(const TreeSettings& settings) : settings_(&settings) {}

    // Starts the drag at the point and draws the first outline.
    void begin(DrawContext& dc, Point point);
    void moveTo(DrawContext& dc, Point point);
    // Takes the outline off; the drag is over.
    void end(DrawContext& dc);
    // Takes a drawn outline off (false) or puts it back (true).
    void show(DrawContext& dc, bool shown);
    // Draws the outline again after a paint covered it.
    void redraw(DrawContext& dc) const;

    Point start() const { return start_; }
    // Where the last move left the outline.
    Point current() const { return current_; }
    bool drawn() const { return drawn_; }

private:
    const TreeSettings* settings_;
    Point start_;
    Point current_;
    bool drawn_ = false;
    bool active_ = false;
};
