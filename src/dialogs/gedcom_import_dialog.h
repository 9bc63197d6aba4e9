// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/chart_import.h"

#include <QDialog>

#include <vector>

class PersonListModel;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListView;
class QRadioButton;
class QSpinBox;

// Chooses the person to start from (a list in name order with a filter that
// searches as you type, the file's home person or the one with the most
// descendants chosen at first), descendants, ancestors or both (an hourglass),
// the number of generations each way, a book of charts no wider than a number
// of columns, what the boxes tell and what they tell of living persons (as
// judged on the day given); shows how many boxes the chart will have and how
// many living persons, and which character set the file was read in when that
// was a guess.
class GedcomImportDialog : public QDialog {
    Q_OBJECT
public:
    GedcomImportDialog(const GedcomData& data, QWidget* parent = nullptr,
                       const CalendarDate& today = currentDate());

    ImportOptions options() const;

    // For the tests: the parts a user types and clicks in, and reads.
    QLineEdit* filterField() const { return filter_; }
    QListView* personList() const { return list_; }
    QRadioButton* ancestorsButton() const { return ancestors_; }
    QRadioButton* hourglassButton() const { return hourglass_; }
    QSpinBox* generationsBox() const { return generations_; }
    QSpinBox* generationsUpBox() const { return generationsUp_; }
    QCheckBox* bookBox() const { return book_; }
    QSpinBox* bookColumnsBox() const { return bookColumns_; }
    QComboBox* livingBox() const { return living_; }
    QComboBox* datesBox() const { return dates_; }
    QCheckBox* titlesBox() const { return titles_; }
    QComboBox* coloursBox() const { return colours_; }
    QLabel* previewLabel() const { return preview_; }
    QLabel* livingLabel() const { return livingCount_; }
    QLabel* characterSetLabel() const { return characterSet_; }

private:
    void setUpWidgets();
    // The choices of the living persons and dates lists.
    void fillChoiceLists();
    void layOut();
    void connectWidgets();
    void applyFilter();
    void updatePreview();
    // Enables what the layout chosen takes.
    void updateLayoutChoices();
    int chosenPerson() const;

    const GedcomData& data_;
    CalendarDate today_;
    std::vector<bool> livingPersons_;
    PersonListModel* model_;
    QLabel* characterSet_;
    QLineEdit* filter_;
    QListView* list_;
    QRadioButton* descendants_;
    QRadioButton* ancestors_;
    QRadioButton* hourglass_;
    QSpinBox* generations_;
    QSpinBox* generationsUp_;
    QCheckBox* book_;
    QSpinBox* bookColumns_;
    QCheckBox* places_;
    QCheckBox* marriages_;
    QCheckBox* keepUnderscores_;
    QCheckBox* titles_;
    DateLanguage dateLanguage_; // the interface's when the dialog opened
    QComboBox* dates_;
    QComboBox* living_;
    QComboBox* colours_;
    QLabel* livingCount_;
    QLabel* preview_;
    QDialogButtonBox* buttons_;
    int chosen_ = -1; // kept while the filter hides the person
};
