// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"
#include "model/person_entry.h"

#include <QDialog>

#include <string>

class ArrowButton;
class Person;
class QCheckBox;
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

    // Shows an empty cell: the description keeps its last text, the connectors
    // take the defaults of a new plain box, the main button says "Add".
    void showCell(Cell cell);
    // Shows a box: its description, connectors or side, and cell; "Update".
    void showPerson(const Person& box);
    // "Add" or "Update" on the default button; only a new box may become a
    // continuation box.
    void setAddMode(bool add);
    // Selects the whole description and gives it the focus, so typing replaces it.
    void selectDescription();
    // Controls into the members (true) or members into the controls (false).
    void updateData(bool saveAndValidate);
    // The description as bytes for Person::setText: UTF-8 with CR LF line breaks.
    // A description left as it was shown gives back the box's own bytes, so an
    // update never re-encodes text it did not change.
    std::string descriptionBytes() const;
    // What the dialog asks for its cell, from the members.
    PersonEntry entry() const;

    // The description as the edit shows it, lines separated by CR LF.
    QString description;
    int isContinuation = 0;
    int connectRight = 0;
    int connectUp = 0;
    int connectDown = 0;
    int connectLeft = 0;
    int cellColumn = 0;
    int cellLevel = 0;
    // The side of a continuation box: 0 up, 1 right, 2 down, 3 left, 4 none.
    int direction = 4;

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

signals:
    // Add or Update: the members hold what to apply.
    void applyRequested();
    void newLevelRequested();
    // An arrow button: the current cell is to step one cell that way.
    void stepRequested(Qt::ArrowType direction);
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void continuationRule();
    void onConnector();
    void onApply();
    void onNewLevel();
    void enableSideBoxes(bool enable);
    int* connectorMember(int side);

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
    // What the edit showed last and the bytes it came from.
    QString shownDescription_;
    std::string shownBytes_;
};
