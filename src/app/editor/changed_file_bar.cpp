// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/changed_file_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ChangedFileBar::ChangedFileBar(QWidget* parent)
    : QFrame(parent),
      reload_(new QPushButton(tr("&Reload"))),
      keep_(new QPushButton(tr("&Keep mine")))
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    auto* label = new QLabel(tr("This chart was changed by another program."));
    label->setForegroundRole(QPalette::ToolTipText);
    reload_->setToolTip(tr("Read the file again; the changes made here are lost"));
    keep_->setToolTip(tr("Keep the chart as it is here; saving will ask before it "
                         "overwrites the other program's changes"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(label, 1);
    row->addWidget(reload_);
    row->addWidget(keep_);
    connect(reload_, &QPushButton::clicked, this, [this] {
        hide();
        emit reloadRequested();
    });
    connect(keep_, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}
