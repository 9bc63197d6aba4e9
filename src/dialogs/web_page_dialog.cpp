// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/web_page_dialog.h"

#include "dialogs/file_dialog_setup.h"
#include "dialogs/help_topic.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSettings>

namespace {
const QString chartBackgroundKey = QStringLiteral("WebPage/ChartBackground");
} // namespace

WebPageDialog::WebPageDialog(const QString& initialPath, QWidget* parent)
    : QFileDialog(parent, tr("Publish web page")),
      chartBackground_(new QCheckBox(tr("Chart's background colour instead of white paper")))
{
    // Our own control needs Qt's dialog, not the desktop's.
    setOption(QFileDialog::DontUseNativeDialog);
    setHelpTopic(this, "Export");
    setAcceptMode(QFileDialog::AcceptSave);
    setDefaultSuffix(QStringLiteral("html"));
    prepareFileDialog(*this, FileKind::WebPage, initialPath);
    chartBackground_->setChecked(QSettings().value(chartBackgroundKey, false).toBool());
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(chartBackground_, grid->rowCount(), 0, 1, grid->columnCount());
}

bool WebPageDialog::chartBackground() const { return chartBackground_->isChecked(); }

void WebPageDialog::done(int result)
{
    if (result == QDialog::Accepted)
        QSettings().setValue(chartBackgroundKey, chartBackground());
    QFileDialog::done(result);
}
