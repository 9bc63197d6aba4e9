// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"
#include "model/person_entry.h"

#include <QDialog>

#include <string>

class ArrowButton;
class Person;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The modeless "Define person" dialog. It shows one cell of the chart (a box or an
// empty cell) and never touches the tree: Add/Update, New level, the arrow
// buttons and Close ask by signals, and whoever carries them out calls showCell
// or showPerson back. Connect them queued, so the dialog's own click handler
// finishes first. Enter in the description presses the default button and
// Ctrl+Enter starts a new line. Esc and the close box only hide it.
class PersonDialog : public QDialog {
    Q_OBJECT
public:
    explicit PersonDialog(QWidget* parent = nullptr);

    // Shows an empty cell: the description keeps its text, the connectors take
    // the defaults of a new plain box, the main button says "Add".
    void showCell(Cell cell);
    // Shows a box: its description, connectors or side, and cell; "Update".
    void showPerson(const Person& box);
    // Selects the whole description and gives it the focus, so typing replaces it.
    void selectDescription();
    // The description as bytes for Person::setText: UTF-8 with CR LF line breaks.
    // A description left as it was shown gives back the box's own bytes, so an
    // update never re-encodes text it did not change.
    std::string descriptionBytes() const;
    // What the controls ask for the shown cell. The side of a continuation box is
    // its checked connector box (4 when none is); a plain box's is 4.
    PersonEntry entry() const;

    QPlainTextEdit* descriptionEdit() const { return description_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* helpButton() const { return help_; }
    QPushButton* newLevelButton() const { return newLevel_; }
    QCheckBox* continuationBox() const { return continuation_; }
    // The connector check box of a side (0 up, 1 right, 2 down, 3 left).
    QCheckBox* connectorBox(int side) const { return connectors_[side]; }
    // The arrow button of a side (0 up, 1 right, 2 down, 3 left).
    ArrowButton* arrowButton(int side) const { return arrows_[side]; }
    QLineEdit* columnEdit() const { return column_; }
    QLineEdit* levelEdit() const { return level_; }
    QLabel* connectLabel() const { return connect_; }
    QComboBox* colourBox() const { return colour_; }

signals:
    // Add or Update: entry() tells what to apply.
    void applyRequested();
    void newLevelRequested();
    // An arrow button: the current cell is to step one cell that way.
    void stepRequested(Qt::ArrowType direction);
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    // "Add" or "Update" on the default button; only a new box may become a
    // continuation box.
    void setAddMode(bool add);
    // The connectors of a new box: a plain one connects right (and down in the
    // first column), a continuation box points up.
    void applyContinuationRule();
    // For a continuation box the four connector boxes are one choice of side.
    void chooseSide(int side);
    void apply();
    void askForNewLevel();
    void enableSideBoxes(bool enable);
    Cell shownCell() const;
    // The first checked connector box (0 up, 1 right, 2 down, 3 left), 4 for none.
    int checkedSide() const;

    QPlainTextEdit* description_;
    QPushButton* apply_;
    QPushButton* help_;
    QPushButton* close_;
    QPushButton* newLevel_;
    QCheckBox* continuation_;
    QCheckBox* connectors_[4];
    ArrowButton* arrows_[4];
    QLineEdit* column_;
    QLineEdit* level_;
    QLabel* connect_;
    QComboBox* colour_;
    // What the edit showed of the last box and the bytes it came from.
    QString shownDescription_;
    std::string shownBytes_;
};
