// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tracker.h"

namespace {
constexpr float boxRoundness = 0.15f;
}

Tracker::Tracker(bool solid) { pen.dashed = !solid; }

void Tracker::begin(DrawContext& dc, Point point)
{
    dc.beginXorOutline(pen);
    if (drawn)
        draw(dc);
    start = current = point;
    active = true;
    draw(dc);
    drawn = true;
    dc.endXorOutline();
    dc.captureMouse();
    dc.setCrossCursor();
}

void Tracker::moveTo(DrawContext& dc, Point point)
{
    if (!active)
        return;
    dc.beginXorOutline(pen);
    // Drawing an outline that is not up would leave one behind.
    if (drawn)
        draw(dc);
    current = point;
    draw(dc);
    drawn = true;
    dc.endXorOutline();
}

bool Tracker::end(DrawContext& dc)
{
    if (!active)
        return false;
    dc.beginXorOutline(pen);
    if (drawn)
        draw(dc);
    drawn = false;
    dc.endXorOutline();
    dc.releaseMouse();
    dc.setArrowCursor();
    active = false;
    return dc.clientContains(current);
}

void Tracker::show(DrawContext& dc, int mode)
{
    if ((mode == 0 && !drawn) || (mode == 1 && drawn))
        return;
    redraw(dc);
    drawn = mode != 0;
}

void Tracker::redraw(DrawContext& dc) const
{
    dc.beginXorOutline(pen);
    draw(dc);
    dc.endXorOutline();
}

Rect BoxTracker::outline(Point point) const
{
    return settings_->boxRect(settings_->cellUnder(point));
}

void BoxTracker::draw(DrawContext& dc) const { dc.drawBox(outline(current), boxRoundness); }
