// SPDX-License-Identifier: GPL-3.0-or-later
// The view's keyboard handling: End, Home and the arrow keys move the selection
// from cell to cell.
#include "stirpa_view.h"

#include "tree_settings.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace {

enum VirtualKey {
    vkEnd = 0x23,
    vkHome = 0x24,
    vkLeft = 0x25,
    vkUp = 0x26,
    vkRight = 0x27,
    vkDown = 0x28
};

int virtualKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_End:
        return vkEnd;
    case Qt::Key_Home:
        return vkHome;
    case Qt::Key_Left:
        return vkLeft;
    case Qt::Key_Up:
        return vkUp;
    case Qt::Key_Right:
        return vkRight;
    case Qt::Key_Down:
        return vkDown;
    default:
        return 0;
    }
}

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

void CStirpaView::keyPressEvent(QKeyEvent* event)
{
    const int key = virtualKeyOf(event->key());
    // With Alt the arrows are system keys, not the view's.
    if (key == 0 || event->modifiers().testFlag(Qt::AltModifier) || !tree) {
        event->ignore();
        return;
    }
    OnKeyDown(key);
}

void CStirpaView::OnKeyDown(int virtualKey)
{
    if (!tree)
        return;
    const Cell last = tree->extentCells();
    Cell cell = currentCell;
    const bool onGrid = cell.column >= 0 && cell.level >= 0;
    switch (virtualKey) {
    case vkEnd:
        cell = last;
        break;
    case vkHome:
        cell = {0, 0};
        break;
    case vkLeft:
    case vkUp:
    case vkRight:
    case vkDown:
        // Before any cell is current the keys start at the top-left cell rather
        // than stepping off the grid.
        if (!onGrid) {
            cell = {0, 0};
            break;
        }
        if (virtualKey == vkLeft && cell.column > 0)
            --cell.column;
        else if (virtualKey == vkUp && cell.level > 0)
            --cell.level;
        else if (virtualKey == vkRight && cell.column < last.column)
            ++cell.column;
        else if (virtualKey == vkDown && cell.level < last.level)
            ++cell.level;
        else
            return;
        break;
    default:
        return;
    }
    selectCell(cell);
    ensureCellVisible(cell);
}

void CStirpaView::ensureCellVisible(Cell cell)
{
    const Point origin = cellOrigin(cell);
    const TreeSettings& s = treeSettings();
    const QSize page = viewport()->size();
    const QPoint now = scrollPosition();
    // The box with half a gap around it, so that it does not touch the window's
    // edge; the first column and level show the chart's edge (and the generation
    // numbers) too.
    const int left = cell.column == 0 ? 0 : origin.x - gapX / 2;
    const int top = cell.level == 0 ? 0 : origin.y - gapY / 2;
    const int x = scrollToShow(now.x(), page.width(), left, origin.x + s.boxWidth + gapX / 2);
    const int y = scrollToShow(now.y(), page.height(), top, origin.y + s.boxHeight + gapY / 2);
    if (x == now.x() && y == now.y())
        return;
    // The scroll bars move the pixels already drawn and paint only what comes in.
    withoutDragOutline([&] {
        horizontalScrollBar()->setValue(x);
        verticalScrollBar()->setValue(y);
    });
}
