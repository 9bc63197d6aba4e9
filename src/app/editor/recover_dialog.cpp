// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/recover_dialog.h"

#include "dialogs/help_topic.h"

#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

RecoverDialog::RecoverDialog(QList<CrashRecovery::LeftOver> leftOvers, QWidget* parent)
    : QDialog(parent),
      leftOvers_(std::move(leftOvers)),
      list_(new QTreeWidget(this))
{
    setWindowTitle(tr("Recover"));
    // Recovery is told of on the contents page.
    setHelpTopic(this, "");
    list_->setRootIsDecorated(false);
    list_->setAccessibleName(tr("Unsaved changes"));
    list_->setHeaderLabels({tr("Chart"), tr("Saved"), tr("Size")});
    for (const CrashRecovery::LeftOver& leftOver : leftOvers_) {
        auto* row = new QTreeWidgetItem(list_, {leftOver.chartName(), leftOver.savedText(),
                                                QLocale().formattedDataSize(leftOver.size)});
        row->setToolTip(0, leftOver.originalPath);
    }
    list_->setCurrentItem(list_->topLevelItem(0));
    for (int column = 0; column < list_->columnCount(); ++column)
        list_->resizeColumnToContents(column);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    open_ = buttons->addButton(tr("&Open"), QDialogButtonBox::AcceptRole);
    discard_ = buttons->addButton(tr("&Discard"), QDialogButtonBox::ActionRole);
    open_->setObjectName(QStringLiteral("open"));
    discard_->setObjectName(QStringLiteral("discard"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(discard_, &QPushButton::clicked, this, &RecoverDialog::discardSelected);
    connect(list_, &QTreeWidget::itemActivated, this, &QDialog::accept);
    connect(list_, &QTreeWidget::currentItemChanged, this, &RecoverDialog::updateButtons);
    updateButtons();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(480, 240);
}

CrashRecovery::LeftOver RecoverDialog::chosen() const
{
    return leftOvers_.value(list_->indexOfTopLevelItem(list_->currentItem()));
}

void RecoverDialog::discardSelected()
{
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0)
        return;
    CrashRecovery::discard(leftOvers_.takeAt(row));
    delete list_->takeTopLevelItem(row);
}

void RecoverDialog::updateButtons()
{
    const bool selected = list_->currentItem() != nullptr;
    open_->setEnabled(selected);
    discard_->setEnabled(selected);
}
