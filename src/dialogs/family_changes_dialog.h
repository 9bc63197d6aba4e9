// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "family/update_report.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// What an update from the family file (or a link to one) would change, by
// kind with counts and the persons' names and cells, before anything is
// changed. Apply asks for the change and the dialog stays, so that the boxes
// it names can be picked from the list; choosing a person asks for its cell.
class FamilyChangesDialog : public QDialog {
    Q_OBJECT
public:
    struct Group {
        QString title;
        std::vector<UpdatedBox> boxes;
    };
    // With `canApply` false there is nothing to apply: the cells named are
    // the chart's already, and only Close is offered.
    FamilyChangesDialog(const QString& title, const QString& summary,
                        const std::vector<Group>& groups, bool canApply, QWidget* parent = nullptr);

    // The report's kinds that name anyone, with translated titles.
    static std::vector<Group> groupsOf(const ChartUpdateReport& report);

public slots:
    // Asks for the change once; the list then leads to the changed chart's boxes.
    void apply();

signals:
    void applyRequested();
    void cellChosen(Cell cell);

private:
    void offerCells();
    void choose(QTreeWidgetItem* item);

    QLabel* hint_;
    QTreeWidget* list_;
    QDialogButtonBox* buttons_;
    QPushButton* apply_ = nullptr; // until applied
};
