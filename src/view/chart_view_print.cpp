// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_view.h"

#include "view/qt_draw_context.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

namespace {
// One chart pixel is one printer unit at the screen's classic resolution.
constexpr int chartDpi = 96;
} // namespace

Result ChartView::print(QPrinter* printer)
{
    if (printer->resolution() != chartDpi)
        printer->setResolution(chartDpi);
    QPainter painter;
    bool printed = painter.begin(printer);
    if (printed) {
        {
            // A printer surface has no window: client size 0 x 0, and the page is
            // the clip box, so the whole printable area gets the background.
            QtDrawContext dc(painter);
            draw(dc);
        }
        printed = painter.end();
    }
    if (printed)
        return {};
    const QString file = printer->outputFileName();
    const QString why =
        file.isEmpty()
            ? tr("The chart could not be sent to the printer %1.").arg(printer->printerName())
            : tr("The chart could not be printed to %1: the file cannot be written.")
                  .arg(QDir::toNativeSeparators(file));
    return Result::failure(Result::CannotWrite, why.toStdString());
}
