// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>

class QRadioButton;

// The save dialog of the HTML export, titled "Write html", with the choice of a
// complete page (the chart inside the page template) or the chart elements alone.
class HtmlExportDialog : public QFileDialog {
    Q_OBJECT
public:
    HtmlExportDialog(const QString& initialPath, QWidget* parent = nullptr);

    // 0 = "Complete page", 1 = "Persons only" (preselected); the choice in effect
    // is the one selected when the dialog is confirmed.
    int pageOption = 1;

    QRadioButton* completePageButton() const { return completePage_; }
    QRadioButton* personsOnlyButton() const { return personsOnly_; }

private:
    QRadioButton* completePage_;
    QRadioButton* personsOnly_;
};
