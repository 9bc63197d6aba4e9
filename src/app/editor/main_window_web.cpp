// SPDX-License-Identifier: GPL-3.0-or-later
// File > Publish web page: the chart as one interactive page.
#include "app/editor/main_window.h"

#include "dialogs/file_dialog_setup.h"
#include "dialogs/web_page_dialog.h"
#include "document/chart_document.h"
#include "document/message_text.h"
#include "export/html_export.h"
#include "web/web_page.h"

MainWindow::WebPageChoice MainWindow::askWebPagePath(const QString& initialPath)
{
    WebPageDialog dialog(initialPath, this);
    const QString path = runFileDialog(dialog, FileKind::WebPage);
    return {path, dialog.chartBackground()};
}

void MainWindow::filePublishWeb()
{
    const std::string initial = initialHtmlName(document_->path().toLocal8Bit().toStdString());
    const WebPageChoice choice = askWebPagePath(QString::fromLocal8Bit(initial));
    if (choice.path.isEmpty() || !exportMayWrite(tr("Publish web page"), choice.path))
        return;
    const Result result = exportWebPage(document_->chart(), choice.path.toLocal8Bit().toStdString(),
                                        {.chartBackground = choice.chartBackground});
    if (!result)
        showError(tr("Publish web page"), messageText(result));
}
