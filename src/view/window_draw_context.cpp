// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/window_draw_context.h"

#include "view/chart_view.h"

namespace {
Size viewportSize(const ChartView& view)
{
    const QSize size = view.viewport()->size();
    return {size.width(), size.height()};
}
} // namespace

ImagePainterLease::ImagePainterLease(ChartView& view)
    : view_(view),
      leasedPainter_(view.beginImagePainter())
{
    // The painter may be lent already, to a context with a zoomed transform: this
    // one starts from the window's own pixels.
    leasedPainter_.save();
    leasedPainter_.resetTransform();
}

ImagePainterLease::~ImagePainterLease()
{
    leasedPainter_.restore();
    view_.endImagePainter();
}

WindowDrawContext::WindowDrawContext(ChartView& view)
    : ImagePainterLease(view),
      QtDrawContext(leasedPainter_, view.scrollPosition(), viewportSize(view), {}, view.zoom())
{
}

void WindowDrawContext::touched(const QRect& deviceRect) { view_.viewport()->update(deviceRect); }
