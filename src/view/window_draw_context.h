// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/qt_draw_context.h"

class ChartView;
class QPainter;

// Holds the view's shared image painter for as long as a context uses it; a base
// of WindowDrawContext so that it outlives the context's painter state.
class ImagePainterLease {
protected:
    explicit ImagePainterLease(ChartView& view);
    ~ImagePainterLease();
    ImagePainterLease(const ImagePainterLease&) = delete;
    ImagePainterLease& operator=(const ImagePainterLease&) = delete;

    ChartView& view_;
    QPainter& leasedPainter_;
};

// Draws into a view's backing image at once, outside a paint: chart pixels in,
// viewport pixels out. Every change asks the viewport to show that area.
class WindowDrawContext : private ImagePainterLease, public QtDrawContext {
public:
    explicit WindowDrawContext(ChartView& view);

protected:
    void touched(const QRect& deviceRect) override;
    bool watchesTouches() const override { return true; }
};
