// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/image_export.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {
constexpr int progressSteps = 1000;
// Charts drawn faster than this show no dialog.
constexpr int dialogDelayMs = 500;
} // namespace

Result exportChartImage(QWidget* parent, const Chart& chart, const std::string& path,
                        const PdfPages& pages)
{
    const std::optional<ChartImageFormat> format = chartImageFormat(path);
    if (!format)
        return Result::failure(Result::CannotCreate,
                               STIRPA_TR_NOOP("Message", "'%1' does not end in .png, .svg or .pdf"),
                               {path});
    QProgressDialog progress(QObject::tr("Exporting the chart…"), QObject::tr("Cancel"), 0,
                             progressSteps, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(dialogDelayMs);
    return writeChartImage(chart, *format, path, pages, [&progress](double done) {
        progress.setValue(int(done * progressSteps));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
}
