// SPDX-License-Identifier: GPL-3.0-or-later
// The view's edit commands: selection, undo, the copy buffer, insertions,
// refresh and the tree dump.
#include "view/chart_view.h"

#include "files/debug_log.h"
#include "chartfile/tree_dump.h"
#include "model/chart_limits.h"

void ChartView::selectCell(Cell cell) { document_->selectCell(cell); }

void ChartView::undo() { document_->undo(); }

void ChartView::copy()
{
    if (const Person* selected = document_->selectedBox()) {
        pasteBuffer_.copyContentFrom(*selected);
        pasteBuffer_.setCell(selected->cell());
        const RecordLink* record = document_->tree().records().find(selected);
        pasteRecord_ = record ? std::optional<RecordLink>(*record) : std::nullopt;
        emit pasteBufferChanged();
    }
}

void ChartView::cut()
{
    copy();
    document_->cut();
}

void ChartView::paste() { document_->paste(pasteBuffer_, pasteRecord_ ? &*pasteRecord_ : nullptr); }

void ChartView::insertColumn() { insertLine('x'); }

void ChartView::insertRow() { insertLine('y'); }

void ChartView::insertLine(char axis)
{
    const Person* selected = document_->selectedBox();
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
