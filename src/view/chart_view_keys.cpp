// SPDX-License-Identifier: GPL-3.0-or-later
// The view's keyboard handling: End, Home and the arrow keys move the selection
// from cell to cell; Page Up, Page Down, Ctrl+Home and Ctrl+End scroll.
#include "view/chart_view.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <cmath>

namespace {

// The scroll value that shows [low, high) in a window of `page` pixels, moving
// the old value as little as possible; the low edge wins when both cannot show.
int scrollToShow(int value, int page, int low, int high)
{
    if (high - low > page || low < value)
        return low;
    if (high > value + page)
        return high - page;
    return value;
}

} // namespace

void ChartView::keyPressEvent(QKeyEvent* event)
{
    // With Alt the arrows are system keys, not the view's.
    if (event->modifiers().testFlag(Qt::AltModifier)) {
        event->ignore();
        return;
    }
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_Home:
        if (control)
            scrollTo({0, 0});
        else
            selectFirstCell();
        break;
    case Qt::Key_End:
        if (control)
            scrollTo({horizontalScrollBar()->maximum(), verticalScrollBar()->maximum()});
        else
            selectLastCell();
        break;
    case Qt::Key_PageUp:
        scrollTo(scrollPosition() - QPoint(0, viewport()->height()));
        break;
    case Qt::Key_PageDown:
        scrollTo(scrollPosition() + QPoint(0, viewport()->height()));
        break;
    case Qt::Key_Left:
        stepSelection(Qt::LeftArrow);
        break;
    case Qt::Key_Up:
        stepSelection(Qt::UpArrow);
        break;
    case Qt::Key_Right:
        stepSelection(Qt::RightArrow);
        break;
    case Qt::Key_Down:
        stepSelection(Qt::DownArrow);
        break;
    default:
        event->ignore();
    }
}

void ChartView::selectFirstCell() { selectAndShow({0, 0}); }

void ChartView::selectLastCell() { selectAndShow(tree().extentCells()); }

void ChartView::stepSelection(Qt::ArrowType direction)
{
    const Cell last = tree().extentCells();
    Cell cell = currentCell();
    // Before any cell is current the keys start at the top-left cell rather
    // than stepping off the grid.
    if (cell.column < 0 || cell.level < 0) {
        selectAndShow({0, 0});
        return;
    }
    if (direction == Qt::LeftArrow && cell.column > 0)
        --cell.column;
    else if (direction == Qt::UpArrow && cell.level > 0)
        --cell.level;
    else if (direction == Qt::RightArrow && cell.column < last.column)
        ++cell.column;
    else if (direction == Qt::DownArrow && cell.level < last.level)
        ++cell.level;
    else
        return;
    selectAndShow(cell);
}

void ChartView::selectAndShow(Cell cell)
{
    selectCell(cell);
    ensureCellVisible(cell);
}

void ChartView::ensureCellVisible(Cell cell)
{
    const TreeSettings& s = tree().settings();
    const Point origin = s.cellOrigin(cell);
    const QSize page = viewport()->size();
    const QPoint now = scrollPosition();
    // The box with half a gap around it, so that it does not touch the window's
    // edge; the first column and level show the chart's edge (and the generation
    // numbers) too.
    const int left = cell.column == 0 ? 0 : origin.x - gapX / 2;
    const int top = cell.level == 0 ? 0 : origin.y - gapY / 2;
    const auto scaled = [this](int chart) { return int(std::lround(chart * zoom_)); };
    const int x =
        scrollToShow(now.x(), page.width(), scaled(left), scaled(origin.x + s.boxWidth + gapX / 2));
    const int y = scrollToShow(now.y(), page.height(), scaled(top),
                               scaled(origin.y + s.boxHeight + gapY / 2));
    scrollTo({x, y});
}

void ChartView::selectAndCentre(Cell cell)
{
    selectCell(cell);
    const TreeSettings& s = tree().settings();
    const Point origin = s.cellOrigin(cell);
    centreOn({origin.x + s.boxWidth / 2, origin.y + s.boxHeight / 2});
}

void ChartView::centreOn(Point chartPoint)
{
    const QSize page = viewport()->size();
    scrollTo({int(std::lround(chartPoint.x * zoom_ - page.width() / 2.0)),
              int(std::lround(chartPoint.y * zoom_ - page.height() / 2.0))});
}

void ChartView::scrollTo(QPoint position)
{
    if (position == scrollPosition())
        return;
    // The scroll bars move the pixels already drawn and paint only what comes in;
    // they keep the position within their range.
    withoutDragOutline([&] {
        horizontalScrollBar()->setValue(position.x());
        verticalScrollBar()->setValue(position.y());
    });
}
