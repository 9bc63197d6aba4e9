// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/drag_tracker.h"

#include "model/tree_settings.h"
#include "render/chart_painter.h"

void DragTracker::begin(DrawContext& dc, Point point)
{
    if (drawn_)
        redraw(dc);
    start_ = current_ = point;
    active_ = true;
    redraw(dc);
    drawn_ = true;
}

void DragTracker::moveTo(DrawContext& dc, Point point)
{
    if (!active_)
        return;
    // Drawing an outline that is not up would leave one behind.
    if (drawn_)
        redraw(dc);
    current_ = point;
    redraw(dc);
    drawn_ = true;
}

void DragTracker::end(DrawContext& dc)
{
    if (!active_)
        return;
    if (drawn_)
        redraw(dc);
    drawn_ = false;
    active_ = false;
}

void DragTracker::show(DrawContext& dc, bool shown)
{
    if (shown == drawn_)
        return;
    redraw(dc);
    drawn_ = shown;
}

void DragTracker::redraw(DrawContext& dc) const
{
    drawCellOutline(dc, *settings_, settings_->cellUnder(current_));
}
