// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/html_export_dialog.h"

#include "dialogs/file_dialog_setup.h"
#include "dialogs/help_topic.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {
const QString escapeTextKey = QStringLiteral("Export/EscapeText");
} // namespace

HtmlExportDialog::HtmlExportDialog(const QString& initialPath, QWidget* parent)
    : QFileDialog(parent, tr("Write html")),
      completePage_(new QRadioButton(tr("Complete page"))),
      personsOnly_(new QRadioButton(tr("Persons only"))),
      escapeText_(new QCheckBox(tr("Escape text")))
{
    // Our own controls need Qt's dialog, not the desktop's.
    setOption(QFileDialog::DontUseNativeDialog);
    setHelpTopic(this, "Export");
    setAcceptMode(QFileDialog::AcceptSave);
    setDefaultSuffix(QStringLiteral("html"));
    prepareFileDialog(*this, FileKind::WebPage, initialPath);

    auto* group = new QGroupBox(tr("html Code to Write"));
    auto* column = new QVBoxLayout(group);
    column->addWidget(completePage_);
    column->addWidget(personsOnly_);
    personsOnly_->setChecked(true);
    column->addWidget(escapeText_);
    escapeText_->setChecked(QSettings().value(escapeTextKey, false).toBool());
    escapeText_->setToolTip(tr("Write descriptions as plain text rather than as HTML"));
    auto* note = new QLabel(tr("Descriptions are written as HTML: type & as &amp;amp; and "
                               "&lt; as &amp;lt;, or tick Escape text."));
    note->setTextFormat(Qt::RichText);
    note->setWordWrap(true);
    column->addWidget(note);

    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(group, grid->rowCount(), 0, 1, grid->columnCount());
}

bool HtmlExportDialog::completePage() const { return completePage_->isChecked(); }

bool HtmlExportDialog::escapeText() const { return escapeText_->isChecked(); }

void HtmlExportDialog::done(int result)
{
    if (result == QDialog::Accepted)
        QSettings().setValue(escapeTextKey, escapeText());
    QFileDialog::done(result);
}
