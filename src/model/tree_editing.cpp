// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chart_limits.h"
#include "model/tree.h"

#include <utility>

bool Tree::erase(const Person* box, UndoRecord::Kind undoKind)
{
    // Any other kind would leave the removed box without an owner.
    if (undoKind != UndoRecord::Cut && undoKind != UndoRecord::ErasePerson)
        return false;
    const RecordLink* record = records_.find(box);
    std::optional<RecordLink> kept = record ? std::optional<RecordLink>(*record) : std::nullopt;
    std::unique_ptr<Person> removed = detach(box);
    if (!removed)
        return false;
    undoneRecord_ = std::move(kept);
    undoRecord_.recordRemoved(undoKind, std::move(removed));
    return true;
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
    undoRecord_.recordCells(b ? UndoRecord::SwitchPersons : UndoRecord::MovePerson, from, to);
    return true;
}

bool Tree::dragCopy(Cell from, Cell to)
{
    if (to.column < 0 || from == to)
        return false;
    const Person* source = findPerson(from);
    if (!source)
        return false;
    const RecordLink* record = records_.find(source);
    if (Person* target = findPerson(to)) {
        keepForUndo(UndoRecord::DragCopy, target);
        target->copyContentFrom(*source);
        records_.assign(target, record);
        return true;
    }
    auto copy = std::make_unique<Person>();
    copy->copyContentFrom(*source);
    copy->setCell(to);
    records_.assign(append(std::move(copy)), record);
    undoRecord_.clear();
    return true;
}

void Tree::keepForUndo(UndoRecord::Kind kind, Person* box)
{
    const RecordLink* record = records_.find(box);
    undoneRecord_ = record ? std::optional<RecordLink>(*record) : std::nullopt;
    undoRecord_.recordContent(kind, box);
}

void Tree::undo()
{
    const UndoRecord::Kind kind = undoRecord_.kind();
    const Person* subject = undoRecord_.subject();
    undoRecord_.undo();
    if (subject && kind != UndoRecord::MovePerson && kind != UndoRecord::SwitchPersons)
        records_.assign(subject, undoneRecord_ ? &*undoneRecord_ : nullptr);
    undoneRecord_.reset();
}

bool Tree::pasteInto(const Person& source, const Person* box, const RecordLink* record)
{
    Person* target = own(box);
    if (!target)
        return false;
    keepForUndo(UndoRecord::PastePerson, target);
    target->copyContentFrom(source);
    records_.assign(target, record);
    return true;
}

bool Tree::keepBeforeRecolour(const Person* box)
{
    Person* target = own(box);
    if (!target)
        return false;
    keepForUndo(UndoRecord::Recolour, target);
    return true;
}

bool Tree::pasteAt(const Person& source, Cell cell, const RecordLink* record)
{
    // A cell off the grid is no place for a box, and a box there would hide the
    // pasted one.
    if (cell.column < 0 || cell.level < 0 || findPerson(cell))
        return false;
    auto copy = std::make_unique<Person>();
    copy->copyContentFrom(source);
    copy->setCell(cell);
    records_.assign(append(std::move(copy)), record);
    undoRecord_.clear();
    return true;
}

bool Tree::insertLine(char axis, int index)
{
    const auto shifted = [axis](const Person* box) {
        return axis == 'x' ? box->cell_.column : box->cell_.level;
    };
    bool fits = true;
    forEachPerson([&](const Person* box) { fits = fits && shifted(box) < chartLimits::maxCell; });
    if (!fits)
        return false;
    forEachPerson([&](Person* box) {
        if (axis == 'x' && box->cell_.column >= index)
            ++box->cell_.column;
        else if (axis != 'x' && box->cell_.level >= index)
            ++box->cell_.level;
    });
    reindex();
    undoRecord_.clear();
    return true;
}

void Tree::fitConnectors(Person* box)
{
    if (!box || box->kind() != BoxKind::Person)
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

namespace {
void addStep(LineagePath* path, const Person* box, int bits)
{
    if (path)
        path->push_back({box, bits});
}
} // namespace

// The nearest box above the cell, when it is a plain box with a down connector:
// a parent, whose step is added to the path.
const Person* Tree::parentAbove(Cell cell, LineagePath* path) const
{
    const Person* above = nullptr;
    for (int y = cell.level - 1; y >= 0 && !above; --y)
        above = findPerson({cell.column, y});
    if (!above || above->kind() != BoxKind::Person || above->downLink() == 0)
        return nullptr;
    addStep(path, above, 2);
    return above;
}

const Person* Tree::findParent(const Person* box, LineagePath* path) const
{
    const int limit = extentCells().column + 1;
    if (!box || box->kind() != BoxKind::Person)
        return nullptr;
    const Cell start = box->cell();
    const std::size_t before = path ? path->size() : 0;

    for (int x = start.column; x < limit; ++x) {
        const Person* b = findPerson({x, start.level});
        if (!b)
            continue;
        if (b->kind() != BoxKind::Person)
            break;
        const Person* parent = parentAbove({x, start.level}, path);
        addStep(path, b, parent ? 0 : 1);
        if (parent)
            return parent;
        if (b->rightLink() == 0)
            break;
    }

    // The rightward pass found nothing: its steps go, and the search turns left.
    if (path)
        path->resize(before);
    for (int x = start.column - 1; x >= 0; --x) {
        const Person* b = findPerson({x, start.level});
        if (!b)
            continue;
        if (b->kind() != BoxKind::Person || b->rightLink() == 0)
            return nullptr;
        addStep(path, b, 1);
        if (const Person* parent = parentAbove({x, start.level}, path))
            return parent;
    }
    return nullptr;
}

bool Tree::markLineage(const LineageMark& mark)
{
    Person* box = own(mark.box);
    if (!box)
        return false;
    box->lineage |= mark.bits;
    return true;
}

bool Tree::clearLineage()
{
    bool cleared = false;
    forEachPerson([&](Person* box) {
        if (box->lineage != 0) {
            box->lineage = 0;
            cleared = true;
        }
    });
    return cleared;
}
