// SPDX-License-Identifier: GPL-3.0-or-later
// The view's mouse handling: a left press selects, a right-button drag moves,
// switches or copies a box, a left double click asks for Define person.
#include "view/chart_view.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

void ChartView::mousePressEvent(QMouseEvent* event)
{
    const Point p = chartPointAt(event->position());
    if (event->button() == Qt::LeftButton) {
        // A gap, a border or a point off the grid leaves the selection alone.
        const Cell cell = tree().settings().cellAt(p);
        if (cell.column >= 0)
            selectCell(cell);
        return;
    }
    if (event->button() != Qt::RightButton) {
        event->ignore();
        return;
    }
    // A drag whose release never came must not leave its outline behind.
    endDrag();
    beginDrag(p);
}

void ChartView::beginDrag(Point at)
{
    dragTracker_ = std::make_unique<DragTracker>(tree().settings());
    dragTracker_->begin(*windowContext(), at);
    if (viewport()->isVisible())
        viewport()->grabMouse();
    viewport()->setCursor(Qt::CrossCursor);
}

void ChartView::endDrag()
{
    if (!dragTracker_)
        return;
    dragTracker_->end(*windowContext());
    dragTracker_.reset();
    if (QWidget::mouseGrabber() == viewport())
        viewport()->releaseMouse();
    viewport()->setCursor(Qt::ArrowCursor);
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragTracker_) {
        event->ignore();
        return;
    }
    dragTracker_->moveTo(*windowContext(), chartPointAt(event->position()));
}

void ChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton || !dragTracker_)
        return;
    // The drop cell is where the last move left the outline; the release point
    // may lie elsewhere when the button came up after a fast last move.
    const TreeSettings& s = tree().settings();
    const Cell from = s.cellAt(dragTracker_->start());
    const Cell to = s.cellAt(dragTracker_->current());
    endDrag();
    // Only the Ctrl key's state at the release counts.
    const bool dropped = event->modifiers().testFlag(Qt::ControlModifier)
                             ? document_->copyBox(from, to)
                             : document_->moveBox(from, to);
    // A box dropped past the window's edge is brought into view.
    if (dropped)
        ensureCellVisible(to);
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        // A quick second right press starts a drag like any other.
        mousePressEvent(event);
        return;
    }
    // The first press of the double click has already selected the cell.
    emit definePersonRequested();
}

void ChartView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        // Ctrl+wheel zooms about the pointer, one step per notch.
        const double notches = event->angleDelta().y() / 120.0;
        if (notches != 0)
            setZoom(zoom_ * std::pow(1.25, notches), event->position());
        return;
    }
    withoutDragOutline([&] { QAbstractScrollArea::wheelEvent(event); });
}

void ChartView::withoutDragOutline(const std::function<void()>& step)
{
    const bool outlined = dragTracker_ && dragTracker_->drawn();
    if (outlined)
        dragTracker_->show(*windowContext(), false);
    step();
    if (!outlined)
        return;
    // A scroll leaves strips to be painted; paint them first, or the outline put
    // back there now would be painted over and its later removal leave a trace.
    viewport()->repaint();
    dragTracker_->show(*windowContext(), true);
}
