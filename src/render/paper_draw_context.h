// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/qt_draw_context.h"

class RenderOutput;

// The chart on a printer or in a file: drawing limited to `area` (chart pixels
// from origin), the chart's background only when asked for (paper is white),
// and each box a step of a render's progress when there is one.
class PaperDrawContext : public QtDrawContext {
public:
    PaperDrawContext(QPainter& painter, QPoint origin, QSize area, bool background,
                     RenderOutput* progress);

    void fillBackground(Colour colour, const Rect& rect) override;
    void drawBox(const Rect& rect, float roundness) override;

private:
    bool background_;
    RenderOutput* progress_;
};
