// SPDX-License-Identifier: GPL-3.0-or-later
// The view's menu commands: selection, undo, the copy buffer, insertions, refresh
// and the tree dump.
#include "stirpa_view.h"

#include "chart_limits.h"
#include "command_ids.h"
#include "debug_log.h"
#include "tree_dump.h"
#include "view_message.h"

bool CStirpaView::updateCommand(int id, CommandState& state)
{
    switch (id) {
    case cmd::editUndo:
        state.enabled = tree && tree->undoRecord.canUndo();
        state.text = tree ? QString::fromUtf8(tree->undoRecord.labelText().c_str())
                          : QStringLiteral("Can't undo");
        return true;
    case cmd::editPaste:
        state.enabled = !pasteBuffer.text.isEmpty();
        return true;
    case cmd::treeInsertColumn:
    case cmd::treeInsertRow:
    case cmd::treeFindParent:
        state.enabled = tree && tree->selected;
        return true;
    case cmd::editCut:
    case cmd::editCopy:
    case cmd::viewRefresh:
    case cmd::fileLogTree:
    case cmd::treeSettings:
    case cmd::treeDefinePerson:
        return true;
    default:
        return false;
    }
}

bool CStirpaView::onCommand(int id)
{
    switch (id) {
    case cmd::editUndo:
        OnEditUndo();
        return true;
    case cmd::editCut:
        OnEditCut();
        return true;
    case cmd::editCopy:
        OnEditCopy();
        return true;
    case cmd::editPaste:
        OnEditPaste();
        return true;
    case cmd::treeInsertColumn:
        OnInsertLine('x');
        return true;
    case cmd::treeInsertRow:
        OnInsertLine('y');
        return true;
    case cmd::treeFindParent:
        OnTreeFindParent();
        return true;
    case cmd::viewRefresh:
        OnRefresh();
        return true;
    case cmd::fileLogTree:
        OnLogTree();
        return true;
    case cmd::treeSettings:
        OnSettings();
        return true;
    case cmd::treeDefinePerson:
        OnDefinePerson();
        return true;
    default:
        return false;
    }
}

void CStirpaView::selectCell(Cell cell)
{
    // A box past the grid's far edge could not be saved, so no cell there is
    // ever current.
    if (!chartLimits::contains(cell))
        return;
    currentCell = cell;
    withoutDragOutline([&] { tree->select(*windowContext(), cell); });
    refreshPersonDialog();
    emit commandsChanged();
}

void CStirpaView::OnEditUndo()
{
    tree->undoRecord.undo();
    invalidateChart();
    // Undo changes the chart, so closing afterwards must offer to save.
    emit modified();
    emit commandsChanged();
}

void CStirpaView::OnEditCopy()
{
    if (tree->selected) {
        pasteBuffer.copyContentFrom(*tree->selected);
        pasteBuffer.setCell(tree->selected->cell());
    }
    emit commandsChanged();
}

void CStirpaView::OnEditCut()
{
    OnEditCopy();
    // The frame marks the cell the box leaves. That is not the current cell when
    // the box was dragged away from it or a chart was just opened, and selecting
    // the current cell then would select another box or an off-grid cell.
    if (tree->selected)
        currentCell = tree->selected->cell();
    tree->erase(tree->selected, UndoRecord::Cut);
    tree->select(*windowContext(), currentCell);
    emit modified();
    invalidateChart();
    emit commandsChanged();
}

void CStirpaView::OnEditPaste()
{
    // The box that takes the paste stays selected, even when it is not at the
    // current cell (dragged away from it, or selected by opening the chart).
    const Cell target = tree->selected ? tree->selected->cell() : currentCell;
    if (!tree->paste(pasteBuffer))
        return;
    selectCell(target);
    emit modified();
}

void CStirpaView::OnInsertLine(char axis)
{
    if (!tree->selected)
        return;
    if (!tree->insertLine(axis, axis == 'x' ? tree->selected->column() : tree->selected->level())) {
        const QString line = axis == 'x' ? tr("column") : tr("row");
        emit refused(tr("Insert %1").arg(line),
                     tr("Cannot insert a %1: a box would move past the chart's last %1, %2.")
                         .arg(line)
                         .arg(chartLimits::maxCell));
        return;
    }
    updateScrollSizes();
    emit modified();
    invalidateChart();
    emit commandsChanged();
}

void CStirpaView::OnRefresh()
{
    updateScrollSizes();
    invalidateChart();
}

void CStirpaView::OnLogTree() { dumpTree(debugLog(), *tree); }

void CStirpaView::customEvent(QEvent* event)
{
    if (event->type() != ViewMessageEvent::eventType()) {
        QAbstractScrollArea::customEvent(event);
        return;
    }
    const auto* posted = static_cast<const ViewMessageEvent*>(event);
    onViewMessage(posted->message, posted->wParam);
    emit commandsChanged();
}

bool CStirpaView::onViewMessage(int message, int wParam)
{
    switch (message) {
    case WM_PERSONDLG_CLOSE:
        OnPersonDlgClose();
        return true;
    case WM_PERSONDLG_APPLY:
        OnPersonDlgApply();
        return true;
    case WM_PERSONDLG_NEWLEVEL:
        OnPersonDlgNewLevel();
        return true;
    case WM_PERSONDLG_KEY:
        OnPersonDlgKey(wParam);
        return true;
    case WM_PARENTDLG_FIND:
        OnParentDlgFind();
        return true;
    case WM_PARENTDLG_CLOSE:
        OnParentDlgClose();
        return true;
    default:
        return false;
    }
}
