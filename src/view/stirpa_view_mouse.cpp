// SPDX-License-Identifier: GPL-3.0-or-later
// The view's mouse handling: a left press selects, a right-button drag moves,
// switches or copies a box, a left double click defines the person.
#include "stirpa_view.h"

#include "tree_settings.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace {

// Viewport pixels plus the scroll position give chart pixels.
Point chartPoint(const QMouseEvent& event, QPoint scroll)
{
    const QPoint at = event.position().toPoint() + scroll;
    return {at.x(), at.y()};
}

} // namespace

void CStirpaView::mousePressEvent(QMouseEvent* event)
{
    if (!tree) {
        event->ignore();
        return;
    }
    const Point p = chartPoint(*event, scrollPosition());
    if (event->button() == Qt::LeftButton) {
        // A gap, a border or a point off the grid leaves the selection alone.
        const Cell cell = cellAt(p);
        if (cell.column >= 0)
            selectCell(cell);
        return;
    }
    if (event->button() != Qt::RightButton) {
        event->ignore();
        return;
    }
    auto dc = windowContext();
    // A drag whose release never came must not leave its outline behind.
    if (dragTracker)
        dragTracker->end(*dc);
    dragTracker = std::make_unique<BoxTracker>();
    dragTracker->begin(*dc, p);
}

void CStirpaView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragTracker) {
        event->ignore();
        return;
    }
    dragTracker->moveTo(*windowContext(), chartPoint(*event, scrollPosition()));
}

void CStirpaView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton || !dragTracker || !tree)
        return;
    const std::unique_ptr<BoxTracker> tracker = std::move(dragTracker);
    tracker->end(*windowContext());
    // The drop cell is where the last move left the outline; the release point
    // may lie elsewhere when the button came up after a fast last move.
    const Cell from = cellAt(tracker->start);
    const Cell to = cellAt(tracker->current);
    // Only the Ctrl key's state at the release counts.
    const bool copy = event->modifiers().testFlag(Qt::ControlModifier);
    const bool changed = copy ? tree->dragCopy(from, to) : tree->move(from, to);
    if (!changed)
        return;
    if (tree->growExtent(to))
        updateScrollSizes();
    invalidateChart();
    emit modified();
    emit commandsChanged();
}

void CStirpaView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        // A quick second right press starts a drag like any other.
        mousePressEvent(event);
        return;
    }
    // The first press of the double click has already selected the cell.
    OnDefinePerson();
    emit commandsChanged();
}

void CStirpaView::wheelEvent(QWheelEvent* event)
{
    withoutDragOutline([&] { QAbstractScrollArea::wheelEvent(event); });
}

void CStirpaView::withoutDragOutline(const std::function<void()>& step)
{
    const bool outlined = dragTracker && dragTracker->drawn;
    if (outlined)
        dragTracker->show(*windowContext(), 0);
    step();
    if (!outlined)
        return;
    // A scroll leaves strips to be painted; paint them first, or the outline put
    // back there now would be painted over and its later removal leave a trace.
    viewport()->repaint();
    dragTracker->show(*windowContext(), 1);
}
