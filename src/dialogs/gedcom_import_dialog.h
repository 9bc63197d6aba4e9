// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_chart.h"

#include <QDialog>

class PersonListModel;
class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListView;
class QRadioButton;
class QSpinBox;

// Chooses the person to start from (a list with a filter that searches as you
// type), descendants or ancestors, the number of generations and what the boxes
// tell; shows how many boxes the chart will have.
class GedcomImportDialog : public QDialog {
    Q_OBJECT
public:
    GedcomImportDialog(const GedcomData& data, QWidget* parent = nullptr);

    ImportOptions options() const;

    // For the tests: the parts a user types and clicks in.
    QLineEdit* filterField() const { return filter_; }
    QListView* personList() const { return list_; }
    QRadioButton* ancestorsButton() const { return ancestors_; }
    QSpinBox* generationsBox() const { return generations_; }
    QLabel* previewLabel() const { return preview_; }

private:
    void applyFilter();
    void updatePreview();
    int chosenPerson() const;

    const GedcomData& data_;
    PersonListModel* model_;
    QLineEdit* filter_;
    QListView* list_;
    QRadioButton* descendants_;
    QRadioButton* ancestors_;
    QSpinBox* generations_;
    QCheckBox* places_;
    QCheckBox* marriages_;
    QLabel* preview_;
    QDialogButtonBox* buttons_;
    int chosen_ = 0; // kept while the filter hides the person
};
