// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chart_limits.h"
#include "model/draw_context.h"
#include "model/tree.h"

#include <utility>

Person* Tree::select(DrawContext& dc, Cell cell)
{
    selectionFrame.show(dc, 0);
    if (selected)
        selected->draw(dc, *settings_, false);
    selected = findPerson(cell);
    if (selected) {
        selected->draw(dc, *settings_, true);
    } else {
        selectionFrame.start = selectionFrame.current = settings_->cellOrigin(cell);
        selectionFrame.show(dc, 1);
    }
    return selected;
}

void Tree::erase(Person* box, int undoKind)
{
    // Any other kind would leave the removed box without an owner.
    if (undoKind != UndoRecord::Cut && undoKind != UndoRecord::ErasePerson)
        return;
    if (!detach(box))
        return;
    undoRecord.recordPerson(undoKind, box);
    if (selected == box)
        selected = nullptr;
    // The record may destroy the box later; no mark may outlive it.
    dropMarksOf(box);
}

bool Tree::move(Cell from, Cell to)
{
    if (to.column < 0 || from == to)
        return false;
    Person* a = findPerson(from);
    if (!a)
        return false;
    Person* b = findPerson(to);
    a->setCell(to);
    if (b)
        b->setCell(from);
    undoRecord.recordCells(b ? UndoRecord::SwitchPersons : UndoRecord::MovePerson, from, to);
    return true;
}

bool Tree::dragCopy(Cell from, Cell to)
{
    if (to.column < 0 || from == to)
        return false;
    const Person* source = findPerson(from);
    if (!source)
        return false;
    if (Person* target = findPerson(to)) {
        undoRecord.recordPerson(UndoRecord::DragCopy, target);
        target->copyContentFrom(*source);
        return true;
    }
    auto* copy = new Person;
    copy->copyContentFrom(*source);
    copy->setCell(to);
    append(copy);
    undoRecord.clear();
    return true;
}

bool Tree::paste(const Person& source)
{
    if (selected) {
        undoRecord.recordPerson(UndoRecord::PastePerson, selected);
        selected->copyContentFrom(source);
        return true;
    }
    if (!selectionFrame.drawn)
        return false;
    const Point inside{selectionFrame.current.x + 1, selectionFrame.current.y + 1};
    const Cell cell = settings_->cellAt(inside);
    // A frame off the grid (a cell selected before any was current) is no place for
    // a box, and a box put in the frame's cell since would hide the pasted one.
    if (cell.column < 0 || cell.level < 0 || findPerson(cell))
        return false;
    auto* copy = new Person;
    copy->copyContentFrom(source);
    copy->setCell(cell);
    append(copy);
    undoRecord.clear();
    return true;
}

bool Tree::insertLine(char axis, int index)
{
    const auto shifted = [axis](const Person* box) {
        return axis == 'x' ? box->cell_.column : box->cell_.level;
    };
    bool fits = true;
    forEachPerson([&](Person* box) { fits = fits && shifted(box) < chartLimits::maxCell; });
    if (!fits)
        return false;
    forEachPerson([&](Person* box) {
        if (axis == 'x' && box->cell_.column >= index)
            ++box->cell_.column;
        else if (axis != 'x' && box->cell_.level >= index)
            ++box->cell_.level;
    });
    reindex();
    undoRecord.clear();
    return true;
}

void Tree::fitConnectors(Person* box)
{
    if (!box || box->kind() != 'P')
        return;
    const Cell range = extentCells();
    const TreeSettings& s = *settings_;
    const Cell at = box->cell();
    // Cells between the box and the next one in a direction, or 0 when none is in range.
    auto emptyCellsTo = [&](int steps, int dx, int dy) {
        for (int k = 1; k <= steps; ++k) {
            if (findPerson({at.column + k * dx, at.level + k * dy}))
                return k - 1;
        }
        return 0;
    };
    Links links = box->links();
    if (links.right != 0)
        links.right = emptyCellsTo(range.column, 1, 0) * s.pitchX() + gapX;
    if (links.down != 0)
        links.down = emptyCellsTo(range.level, 0, 1) * s.pitchY() + gapY;
    box->setLinkLengths(links);
}

void Tree::pushMark(Person* box, int bits)
{
    List::Position front = lineagePath.begin();
    lineagePath.insert(front, new HMark(box, bits));
    ++segmentCount;
}

Person* Tree::markAbove(Cell cell)
{
    Person* above = nullptr;
    for (int y = cell.level - 1; y >= 0 && !above; --y)
        above = findPerson({cell.column, y});
    if (!above || above->kind() != 'P' || above->downLink() == 0)
        return nullptr;
    pushMark(above, 2);
    return above;
}

Person* Tree::findParent(Person* box)
{
    const int limit = extentCells().column + 1;
    if (!box || box->kind() != 'P')
        return nullptr;
    const Cell start = box->cell();
    segmentCount = 0;

    for (int x = start.column; x < limit; ++x) {
        Person* b = findPerson({x, start.level});
        if (!b)
            continue;
        if (b->kind() != 'P')
            break;
        Person* parent = markAbove({x, start.level});
        pushMark(b, parent ? 0 : 1);
        if (parent)
            return parent;
        if (b->rightLink() == 0)
            break;
    }

    for (; segmentCount > 0; --segmentCount)
        lineagePath.removeFirst();

    for (int x = start.column - 1; x >= 0; --x) {
        Person* b = findPerson({x, start.level});
        if (!b)
            continue;
        if (b->kind() != 'P' || b->rightLink() == 0)
            return nullptr;
        pushMark(b, 1);
        if (Person* parent = markAbove({x, start.level}))
            return parent;
    }
    return nullptr;
}

void Tree::dropMarksOf(const Person* box)
{
    for (List::Position at = lineagePath.begin(); !at.atEnd();) {
        if (static_cast<HMark*>(at.element())->person == box)
            lineagePath.remove(at, true);
        else
            at.next();
    }
}

void Tree::showLineage(DrawContext& dc, const std::function<void()>& pause)
{
    // Marks are pushed at the front; reversed they run from the searched box upward.
    lineagePath.reverse();
    for (ListData* element : std::as_const(lineagePath)) {
        const auto* mark = static_cast<HMark*>(element);
        if (selected)
            selected->draw(dc, *settings_, false);
        selected = mark->person;
        selected->lineage |= mark->bits;
        selected->draw(dc, *settings_, true);
        pause();
    }
}

void Tree::clearLineage(DrawContext& dc)
{
    lineagePath.clear();
    forEachPerson([&](Person* box) {
        if (box->lineage != 0) {
            box->lineage = 0;
            box->draw(dc, *settings_, box == selected);
        }
    });
}
