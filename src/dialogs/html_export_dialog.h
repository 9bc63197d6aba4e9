// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>

class QCheckBox;
class QRadioButton;

// The save dialog of the HTML export, titled "Write html", with the choice of a
// complete page (the chart inside the page template) or the chart elements alone,
// and whether descriptions are escaped (remembered from one export to the next).
class HtmlExportDialog : public QFileDialog {
    Q_OBJECT
public:
    HtmlExportDialog(const QString& initialPath, QWidget* parent = nullptr);

    // "Complete page" chosen rather than "Persons only" (preselected).
    bool completePage() const;
    bool escapeText() const;

    QRadioButton* completePageButton() const { return completePage_; }
    QRadioButton* personsOnlyButton() const { return personsOnly_; }
    QCheckBox* escapeTextBox() const { return escapeText_; }

    void done(int result) override;

private:
    QRadioButton* completePage_;
    QRadioButton* personsOnly_;
    QCheckBox* escapeText_;
};
