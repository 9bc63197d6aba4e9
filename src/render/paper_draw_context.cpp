// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/paper_draw_context.h"

#include "render/render_output.h"

PaperDrawContext::PaperDrawContext(QPainter& painter, QPoint origin, QSize area, bool background,
                                   RenderOutput* progress)
    : QtDrawContext(painter, origin, {}, QRegion(QRect(QPoint(), area))),
      background_(background),
      progress_(progress)
{
}

void PaperDrawContext::fillBackground(Colour colour, const Rect& rect)
{
    if (background_)
        QtDrawContext::fillBackground(colour, rect);
}

void PaperDrawContext::drawBox(const Rect& rect, float roundness)
{
    QtDrawContext::drawBox(rect, roundness);
    if (progress_)
        progress_->step();
}
