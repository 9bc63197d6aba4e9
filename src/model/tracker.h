// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/draw_context.h"
#include "model/tree_settings.h"

// An outline that follows the pointer, drawn in XOR so that drawing it twice
// removes it without repainting.
class Tracker {
public:
    explicit Tracker(bool solid);
    virtual ~Tracker() = default;

    // Starts a gesture: draws the first outline and captures the mouse.
    void begin(DrawContext& dc, Point point);
    void moveTo(DrawContext& dc, Point point);
    // Removes the outline and releases the mouse; false when no gesture was active.
    bool end(DrawContext& dc);
    // 0 hides, 1 shows, 2 draws again after a paint covered it.
    void show(DrawContext& dc, int mode);
    // Draws a shown outline again after a paint covered it (show mode 2).
    void redraw(DrawContext& dc) const;

    Point current;
    Point start;
    bool drawn = false;
    bool active = false;

protected:
    virtual void draw(DrawContext& dc) const = 0;

    DrawContext::OutlinePen pen;
};

// Outlines the box of the cell whose pitch area holds the current point.
// The box size comes from the settings, read at each drawing.
class BoxTracker : public Tracker {
public:
    explicit BoxTracker(const TreeSettings& settings) : Tracker(false), settings_(&settings) {}

    // The outline for the cell under the point.
    Rect outline(Point point) const;

protected:
    void draw(DrawContext& dc) const override;

private:
    const TreeSettings* settings_;
};
