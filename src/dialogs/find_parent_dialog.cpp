// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/find_parent_dialog.h"

#include "dialogs/dialog_units.h"
#include "dialogs/help_topic.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

FindParentDialog::FindParentDialog(QWidget* parent)
    : QDialog(parent),
      immediate_(new QRadioButton(tr("Immediate parent"))),
      ancestor_(new QRadioButton(tr("Ancestor"))),
      highlight_(new QCheckBox(tr("Highlight lineage"))),
      find_(new QPushButton(tr("Find"))),
      help_(new QPushButton(tr("Help"))),
      close_(new QPushButton(tr("Close"))),
      note_(new QLabel)
{
    setWindowTitle(tr("Find Parent"));
    setHelpTopic(this, "Parent");
    setModal(false);
    const DialogUnits du(fontMetrics());

    // The places of the classic 172 x 66 unit template: the "Find" group top left
    // with the check box beside it, the three buttons in a row below.
    auto* group = new QGroupBox(tr("Find"));
    group->setMinimumSize(du.size(85, 35));
    auto* radios = new QVBoxLayout(group);
    radios->setContentsMargins(du.x(10), du.y(2), du.x(5), du.y(2));
    radios->setSpacing(du.y(2));
    radios->addWidget(immediate_);
    radios->addWidget(ancestor_);
    auto* modes = new QButtonGroup(this);
    modes->addButton(immediate_, 0);
    modes->addButton(ancestor_, 1);
    immediate_->setChecked(true);

    auto* checkColumn = new QVBoxLayout;
    checkColumn->setContentsMargins(0, du.y(5), 0, 0);
    checkColumn->addWidget(highlight_);
    checkColumn->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(du.x(10));
    top->addWidget(group);
    top->addLayout(checkColumn);
    top->addStretch();

    find_->setDefault(true);
    find_->setAutoDefault(true);
    help_->setAutoDefault(false);
    close_->setAutoDefault(false);
    find_->setMinimumSize(du.size(45, 15));
    help_->setMinimumSize(du.size(45, 15));
    close_->setMinimumSize(du.size(50, 14));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(du.x(10));
    buttons->addWidget(find_);
    buttons->addWidget(help_);
    buttons->addWidget(close_);
    buttons->addStretch();

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(du.x(5), du.y(5), du.x(5), du.y(5));
    rows->setSpacing(du.y(5));
    rows->addLayout(top);
    note_->setWordWrap(true);
    note_->setMaximumWidth(du.x(180));
    note_->hide();
    rows->addWidget(note_);
    rows->addLayout(buttons);
    rows->setSizeConstraint(QLayout::SetFixedSize);

    connect(find_, &QPushButton::clicked, this, &FindParentDialog::findRequested);
    connect(help_, &QPushButton::clicked, this, [this] { openHelpFor(this); });
    connect(close_, &QPushButton::clicked, this, &FindParentDialog::closeRequested);
}

void FindParentDialog::setNote(const QString& note)
{
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

bool FindParentDialog::findsAncestor() const { return ancestor_->isChecked(); }

bool FindParentDialog::highlightsLineage() const { return highlight_->isChecked(); }
