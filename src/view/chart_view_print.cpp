// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_view.h"

#include "view/qt_draw_context.h"

#include <QPainter>
#include <QPrinter>

namespace {
// One chart pixel is one printer unit at the screen's classic resolution.
constexpr int chartDpi = 96;
} // namespace

bool ChartView::print(QPrinter* printer)
{
    if (!printer)
        return false;
    if (printer->resolution() != chartDpi)
        printer->setResolution(chartDpi);
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    {
        // A printer surface has no window: client size 0 x 0, and the page is the
        // clip box, so the whole printable area gets the background.
        QtDrawContext dc(painter);
        draw(dc);
    }
    return painter.end();
}
