// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/html_export_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

HtmlExportDialog::HtmlExportDialog(const QString& initialPath, QWidget* parent)
    : QFileDialog(parent, tr("Write html")),
      completePage_(new QRadioButton(tr("Complete page"))),
      personsOnly_(new QRadioButton(tr("Persons only")))
{
    // Our own controls need Qt's dialog, not the desktop's.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setDefaultSuffix(QStringLiteral("html"));
    selectFile(initialPath);

    auto* group = new QGroupBox(tr("html Code to Write"));
    auto* column = new QVBoxLayout(group);
    column->addWidget(completePage_);
    column->addWidget(personsOnly_);
    auto* buttons = new QButtonGroup(group);
    buttons->addButton(completePage_, 0);
    buttons->addButton(personsOnly_, 1);
    personsOnly_->setChecked(true);
    connect(buttons, &QButtonGroup::idClicked, this, [this](int id) { pageOption = id; });

    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(group, grid->rowCount(), 0, 1, grid->columnCount());
}
