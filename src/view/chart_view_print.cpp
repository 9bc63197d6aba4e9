// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_view.h"

#include "render/chart_pages.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

Result ChartView::print(QPrinter* printer, const PageOptions& options)
{
    setChartPaper(*printer, document_->chart(), options);
    QPainter painter;
    bool printed = painter.begin(printer);
    if (printed) {
        paintChartPages(painter, *printer, document_->chart(), options);
        printed = painter.end();
    }
    if (printed)
        return {};
    const QString file = printer->outputFileName();
    if (file.isEmpty())
        return Result::failure(
            Result::CannotWrite,
            STIRPA_TR_NOOP("Message", "The chart could not be sent to the printer %1."),
            {printer->printerName().toStdString()});
    return Result::failure(
        Result::CannotWrite,
        STIRPA_TR_NOOP("Message",
                       "The chart could not be printed to %1: the file cannot be written."),
        {QDir::toNativeSeparators(file).toStdString()});
}
