// SPDX-License-Identifier: GPL-3.0-or-later
// What the Define person dialog asks of the view: defining the box of a cell
// and moving on to the next cell to fill.
#include "view/chart_view.h"

void ChartView::definePerson(const PersonEntry& entry)
{
    // An empty description erases the selected box; with none it does nothing.
    const bool erasing = entry.description.empty();
    if (erasing && !document_->selectedBox())
        return;
    const Person* box = document_->definePerson(entry);
    if (erasing) {
        selectCell(entry.cell);
        return;
    }

    // A continuation box ends a branch: the cell stays.
    if (entry.continuation)
        return;
    const Cell right{box->column() + 1, box->level()};
    const Cell below{box->column(), box->level() + 1};
    if (box->rightLink() == gapX && !tree().findPerson(right))
        selectCell(right);
    else if (box->downLink() == gapY && !tree().findPerson(below))
        selectCell(below);
    else
        document_->selectAtCurrentCell();
}

void ChartView::selectNewLevel()
{
    if (const Person* lowest = tree().lastInDirection('y'))
        selectCell({0, lowest->level() + 1});
}
