// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>

class QCheckBox;

// The save dialog of File > Publish web page, with the choice of the chart's own
// background colour instead of white paper (remembered from one page to the next).
class WebPageDialog : public QFileDialog {
    Q_OBJECT
public:
    WebPageDialog(const QString& initialPath, QWidget* parent = nullptr);

    bool chartBackground() const;

    void done(int result) override;

private:
    QCheckBox* chartBackground_;
};
