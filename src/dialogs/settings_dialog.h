// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour_scheme.h"
#include "model/tree_settings.h"

#include <QDialog>

#include <climits>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// The modal "Settings" dialog: the box size, the HTML starting position, the
// generation numbers, the small-font line and the saving of the lineage. It shows
// the settings it is opened on and builds settings() from its controls. Apply
// reads the controls and asks by applyRequested to put settings() in force,
// leaving the dialog open; OK closes when the controls read cleanly, and the
// caller puts settings() in force.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    // The choices of the "Generation numbers" group. The chart's letter for
    // them is 'd', 'u' and 'h'; any other letter shows as Show.
    enum class GenerationMode { Show, ShowReversed, Hide };

    explicit SettingsDialog(const TreeSettings& current, QWidget* parent = nullptr);

    // The settings opened on, with what the controls held at their last reading
    // (Apply, OK, a generation choice). A number that did not read cleanly, and
    // every control read after it, kept its earlier value.
    TreeSettings settings() const { return settings_; }

    // Adds the choice of the boxes' colour scheme, for a chart linked to a
    // family file; colourScheme() is the one chosen, none when not offered.
    void offerColourScheme(ColourScheme current);
    std::optional<ColourScheme> colourScheme() const;
    QComboBox* schemeList() const { return schemeList_; }

    // Where the dialog's messages go; a warning box unless replaced (tests).
    static std::function<void(QWidget* parent, const QString& text)> showMessage;

    QLineEdit* htmlStartXEdit() const { return htmlStartXEdit_; }
    QLineEdit* htmlStartYEdit() const { return htmlStartYEdit_; }
    QLineEdit* boxWidthEdit() const { return boxWidthEdit_; }
    QLineEdit* boxHeightEdit() const { return boxHeightEdit_; }
    QLineEdit* startEdit() const { return startEdit_; }
    QLabel* startLabel() const { return startLabel_; }
    QToolButton* spinUp() const { return spinUp_; }
    QToolButton* spinDown() const { return spinDown_; }
    QRadioButton* generationButton(GenerationMode mode) const;
    QCheckBox* saveLineageBox() const { return saveLineageBox_; }
    QComboBox* smallFontList() const { return smallFontList_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* helpButton() const { return helpButton_; }
    QPushButton* applyButton() const { return applyButton_; }

public slots:
    // OK closes only when every control reads cleanly.
    void accept() override;

signals:
    void applyRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSettings(const TreeSettings& settings);
    // Reads the controls into settings_ in the classic exchange order. At the
    // first number that is not a whole number (or a box size out of range) it
    // shows a message naming the field, puts the focus on it and returns false;
    // that field and the ones after it keep their values.
    bool readControls();
    // Reads one number field; false (after the message) when it does not read.
    bool readNumber(QLineEdit* edit, const QString& name, int& field, int min = INT_MIN,
                    int max = INT_MAX);
    bool refuse(QLineEdit* edit, const QString& message);
    // Reads the controls, then enables the start label, edit and spin unless
    // Hide is chosen.
    void enableStartControls();
    GenerationMode checkedMode() const;
    void apply();
    // The spin control: steps the start edit's number by one.
    void stepStart(int step);

    TreeSettings settings_;
    QLineEdit* htmlStartXEdit_;
    QLineEdit* htmlStartYEdit_;
    QLineEdit* boxWidthEdit_;
    QLineEdit* boxHeightEdit_;
    QLineEdit* startEdit_;
    QLabel* startLabel_;
    QToolButton* spinUp_;
    QToolButton* spinDown_;
    QButtonGroup* generationGroup_;
    QCheckBox* saveLineageBox_;
    QComboBox* smallFontList_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QPushButton* helpButton_;
    QPushButton* applyButton_;
    QComboBox* schemeList_ = nullptr; // only when offered
};
