// SPDX-License-Identifier: GPL-3.0-or-later
// The define-person dialog's command and messages: adding, updating and erasing
// the box of a cell, and moving the cell from the dialog.
#include "stirpa_view.h"

#include "debug_log.h"
#include "person_dlg.h"
#include "tree_settings.h"

void CStirpaView::OnDefinePerson()
{
    if (!tree)
        return;
    if (personDialog) {
        // Esc or the close box may have hidden it, or it may be minimised.
        personDialog->showNormal();
        personDialog->raise();
    } else {
        personDialog = new PersonDlg(this);
        const QSize size = windowSize();
        placeDialog(personDialog, QPoint(scaled(size.width(), 0.5), scaled(size.height(), 0.5)));
        personDialog->show();
    }
    if (tree->selected) {
        personDialog->showPerson(*tree->selected);
    } else {
        // Before any cell is chosen the dialog starts at the top-left cell.
        personDialog->showCell(currentCell.column < 0 ? Cell{0, 0} : currentCell);
    }
    personDialog->activateWindow();
    personDialog->selectDescription();
}

void CStirpaView::refreshPersonDialog()
{
    if (!personDialog || !tree)
        return;
    if (tree->selected)
        personDialog->showPerson(*tree->selected);
    else
        personDialog->showCell(currentCell.column < 0 ? Cell{0, 0} : currentCell);
}

void CStirpaView::OnPersonDlgApply()
{
    if (!personDialog || !tree)
        return;
    PersonDlg& dialog = *personDialog;
    const String description = dialog.descriptionBytes();
    const Cell cell{dialog.cellColumn, dialog.cellLevel};
    Person* box = tree->selected;

    if (description.isEmpty()) {
        if (!box)
            return;
        tree->erase(box, UndoRecord::ErasePerson);
        selectCell(cell);
        invalidateChart();
        emit modified();
        return;
    }

    const Links links{dialog.connectRight * gapX, dialog.connectDown * gapY};
    // A box can come to the shown empty cell without the dialog hearing of it
    // (a drag, a new chart); the text goes to that box rather than to a second
    // one hidden under it.
    if (!box)
        box = tree->findPerson(cell);
    if (!box) {
        if (dialog.isContinuation == 1)
            box = new ContPerson(description, cell, {gapX, gapY}, dialog.direction);
        else
            box = new Person(description, cell, links);
        tree->append(box);
        tree->undoRecord.clear();
        debugLog() << "Person added ";
    } else {
        box->setText(description);
        box->setLinks(links, dialog.direction);
        tree->undoRecord.clear();
        debugLog() << "Person updated ";
    }
    box->logLine();

    emit modified();
    tree->fitConnectors(box);
    // The box takes the selection over from the frame of the empty cell.
    withoutDragOutline([&] { tree->selectionFrame.show(*windowContext(), 0); });
    tree->selected = box;
    if (tree->growExtent(cell))
        updateScrollSizes();
    invalidateChart();

    // A continuation box ends a branch: the cell stays.
    if (dialog.isContinuation == 1)
        return;
    const Cell right{box->column() + 1, box->level()};
    const Cell below{box->column(), box->level() + 1};
    if (box->rightLink() == gapX && !tree->findPerson(right))
        selectCell(right);
    else if (box->downLink() == gapY && !tree->findPerson(below))
        selectCell(below);
    else
        withoutDragOutline([&] { tree->select(*windowContext(), currentCell); });
}

void CStirpaView::OnPersonDlgNewLevel()
{
    if (!tree)
        return;
    if (const Person* lowest = tree->lastInDirection('y'))
        selectCell({0, lowest->level() + 1});
}

void CStirpaView::OnPersonDlgKey(int virtualKey)
{
    OnKeyDown(virtualKey);
    if (personDialog)
        personDialog->activateWindow();
}

void CStirpaView::OnPersonDlgClose() { delete personDialog.data(); }
