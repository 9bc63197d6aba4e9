// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/window_draw_context.h"

#include "view/chart_view.h"

#include <QCursor>

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

void WindowDrawContext::captureMouse()
{
    if (view_.viewport()->isVisible())
        view_.viewport()->grabMouse();
}

void WindowDrawContext::releaseMouse()
{
    if (QWidget::mouseGrabber() == view_.viewport())
        view_.viewport()->releaseMouse();
}

void WindowDrawContext::setCrossCursor() { view_.viewport()->setCursor(Qt::CrossCursor); }

void WindowDrawContext::setArrowCursor() { view_.viewport()->setCursor(Qt::ArrowCursor); }
