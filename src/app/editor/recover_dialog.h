// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor/crash_recovery.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// File > Recover: the recovery copies crashed editors left, each with its
// chart's name (the full path as tool tip), time and size. Discard removes the
// selected copy at once; Open closes the dialog with it chosen.
class RecoverDialog : public QDialog {
    Q_OBJECT
public:
    explicit RecoverDialog(QList<CrashRecovery::LeftOver> leftOvers, QWidget* parent = nullptr);

    // The copy to open, once the dialog was accepted.
    CrashRecovery::LeftOver chosen() const;

private:
    void discardSelected();
    void updateButtons();

    QList<CrashRecovery::LeftOver> leftOvers_;
    QTreeWidget* list_;
    QPushButton* open_;
    QPushButton* discard_;
};
