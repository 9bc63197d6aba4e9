// SPDX-License-Identifier: GPL-3.0-or-later
// The view's edit commands: selection, undo, the copy buffer, insertions,
// refresh and the tree dump.
#include "view/chart_view.h"

#include "chartfile/debug_log.h"
#include "chartfile/tree_dump.h"
#include "model/chart_limits.h"

void ChartView::selectCell(Cell cell)
{
    // A box past the grid's far edge could not be saved, so no cell there is
    // ever current.
    if (!chartLimits::contains(cell))
        return;
    currentCell_ = cell;
    withoutDragOutline([&] { tree().select(*windowContext(), cell); });
    emit cellSelected();
    emit selectionChanged();
}

void ChartView::undo() { document_->undo(); }

void ChartView::copy()
{
    if (const Person* selected = tree().selected) {
        pasteBuffer_.copyContentFrom(*selected);
        pasteBuffer_.setCell(selected->cell());
        emit pasteBufferChanged();
    }
}

void ChartView::cut()
{
    copy();
    // The frame marks the cell the box leaves. That is not the current cell when
    // the box was dragged away from it or a chart was just opened, and selecting
    // the current cell then would select another box or an off-grid cell.
    Person* box = tree().selected;
    if (box)
        currentCell_ = box->cell();
    document_->cut(box);
    tree().select(*windowContext(), currentCell_);
    emit selectionChanged();
}

void ChartView::paste()
{
    // The box that takes the paste stays selected, even when it is not at the
    // current cell (dragged away from it, or selected by opening the chart).
    const Cell target = tree().selected ? tree().selected->cell() : currentCell_;
    if (document_->paste(pasteBuffer_))
        selectCell(target);
}

void ChartView::insertColumn() { insertLine('x'); }

void ChartView::insertRow() { insertLine('y'); }

void ChartView::insertLine(char axis)
{
    const Person* selected = tree().selected;
    if (!selected)
        return;
    if (!document_->insertLine(axis, axis == 'x' ? selected->column() : selected->level())) {
        const QString line = axis == 'x' ? tr("column") : tr("row");
        emit refused(tr("Insert %1").arg(line),
                     tr("Cannot insert a %1: a box would move past the chart's last %1, %2.")
                         .arg(line)
                         .arg(chartLimits::maxCell));
    }
}

void ChartView::refresh()
{
    updateScrollSizes();
    invalidateChart();
}

void ChartView::logTree() { dumpTree(debugLog(), document_->chart()); }
