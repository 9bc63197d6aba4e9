// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QPushButton;

// The bar above the chart that says another program changed the chart's file,
// with the two ways on: read the file again, or keep the chart on screen.
class ChangedFileBar : public QFrame {
    Q_OBJECT
public:
    explicit ChangedFileBar(QWidget* parent = nullptr);

    QPushButton* reloadButton() const { return reload_; }
    QPushButton* keepButton() const { return keep_; }

signals:
    void reloadRequested();

private:
    QPushButton* reload_;
    QPushButton* keep_;
};
