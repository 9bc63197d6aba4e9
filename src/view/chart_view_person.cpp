// SPDX-License-Identifier: GPL-3.0-or-later
// What the Define person dialog asks of the view: defining the box of a cell
// and moving on to the next cell to fill.
#include "view/chart_view.h"

void ChartView::definePerson(const PersonEntry& entry)
{
    // An empty description erases the selected box; with none it does nothing.
    const bool erasing = entry.description.isEmpty();
    if (erasing && !tree().selected)
        return;
    Person* box = document_->definePerson(entry);
    if (erasing) {
        selectCell(entry.cell);
        return;
    }
    // The box takes the selection over from the frame of the empty cell.
    withoutDragOutline([&] { tree().selectionFrame.show(*windowContext(), 0); });
    tree().selected = box;
    emit selectionChanged();

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
        withoutDragOutline([&] { tree().select(*windowContext(), currentCell_); });
}

void ChartView::selectNewLevel()
{
    if (const Person* lowest = tree().lastInDirection('y'))
        selectCell({0, lowest->level() + 1});
}
