// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree.h"

#include <algorithm>
#include <cstdlib>

namespace {

void cover(Rect& bounds, Point from, Point to)
{
    bounds.left = std::min({bounds.left, from.x, to.x});
    bounds.right = std::max({bounds.right, from.x, to.x});
    bounds.top = std::min({bounds.top, from.y, to.y});
    bounds.bottom = std::max({bounds.bottom, from.y, to.y});
}

// The pixels (edges included) that a box's drawing can cover: its frame and its
// connectors or pointer stub, with the geometry of Person::draw and ContPerson::draw.
Rect drawnBounds(const Person& box, const TreeSettings& s)
{
    const Point origin = s.cellOrigin(box.cell());
    const int x = origin.x, y = origin.y, w = s.boxWidth, h = s.boxHeight;
    if (box.kind() != 'p') {
        Rect bounds{x, y, x + w, y + h};
        cover(bounds, {x + w, y + h / 2}, {x + w + box.rightLink(), y + h / 2});
        cover(bounds, {x + w / 2, y + h}, {x + w / 2, y + h + box.downLink()});
        return bounds;
    }
    const DirectionFactors f = directionFactors(box.direction());
    const Point corner{x + scaled(w, 0.15) * f.x, y + scaled(h, 0.15) * f.y};
    Rect bounds{corner.x, corner.y, corner.x + scaled(w, continuationScale),
                corner.y + scaled(h, continuationScale)};
    if (box.direction() < 4) {
        const Point anchor{x + scaled(w, 0.5) * f.x, y + scaled(h, 0.5) * f.y};
        cover(bounds, anchor,
              {anchor.x + box.rightLink() * (f.x - 1), anchor.y + box.downLink() * (f.y - 1)});
    }
    return bounds;
}

} // namespace

Tree::Tree(const TreeSettings& settings, const String& name)
    : selectionFrame(settings),
      undoRecord(*this),
      settings_(&settings),
      name_(name)
{
}

Tree::~Tree()
{
    // The boxes go first: the record's subject may point into them.
    undoRecord.clear();
    lineagePath.clear();
    persons.clear();
}

void Tree::adopt(Person* box)
{
    // Numbers run out only after four billion appends; counting afresh keeps
    // the order, which is all the numbers are for.
    if (nextOrder_ == UINT32_MAX) {
        nextOrder_ = 1;
        forEachPerson([this](Person* held) { held->listOrder_ = nextOrder_++; });
    }
    box->owner_ = this;
    box->listOrder_ = nextOrder_++;
    persons.append(box);
    noteLinks(box->links());
    addToExtremes(box->cell_);
}

void Tree::append(Person* box)
{
    adopt(box);
    index_.add(box);
    ++revision_;
}

void Tree::appendAll(std::vector<std::unique_ptr<Person>>& boxes)
{
    if (boxes.empty())
        return;
    index_.reserve(index_.cellCount() + boxes.size());
    for (std::unique_ptr<Person>& box : boxes) {
        adopt(box.get());
        index_.add(box.release());
    }
    boxes.clear();
    ++revision_;
}

bool Tree::detach(Person* box)
{
    if (!box || box->owner_ != this || !persons.removeElement(box, false))
        return false;
    index_.remove(box);
    removeFromExtremes(box->cell_);
    box->owner_ = nullptr;
    ++revision_;
    return true;
}

void Tree::moveInIndex(Person* box, Cell cell)
{
    index_.remove(box);
    removeFromExtremes(box->cell_);
    box->cell_ = cell;
    index_.add(box);
    addToExtremes(cell);
    ++revision_;
}

void Tree::Greatest::add(int v)
{
    if (!known)
        return;
    if (v > value) {
        value = v;
        count = 1;
    } else if (v == value) {
        ++count;
    }
}

void Tree::Greatest::remove(int v)
{
    if (known && v == value && --count == 0)
        known = false;
}

void Tree::addToExtremes(Cell cell) const
{
    greatestColumn_.add(cell.column);
    greatestLevel_.add(cell.level);
}

void Tree::removeFromExtremes(Cell cell)
{
    greatestColumn_.remove(cell.column);
    greatestLevel_.remove(cell.level);
}

// The greatest column and level of any box (INT_MIN for none).
Cell Tree::greatestCell() const
{
    if (!greatestColumn_.known || !greatestLevel_.known) {
        greatestColumn_ = greatestLevel_ = Greatest{};
        forEachPerson([this](Person* box) { addToExtremes(box->cell_); });
    }
    return {greatestColumn_.value, greatestLevel_.value};
}

void Tree::noteLinks(Links links)
{
    reach_.right = std::max(reach_.right, std::abs(links.right));
    reach_.down = std::max(reach_.down, std::abs(links.down));
}

void Tree::reindex()
{
    index_.clear();
    index_.reserve(persons.size());
    greatestColumn_ = greatestLevel_ = Greatest{};
    forEachPerson([this](Person* box) {
        index_.add(box);
        addToExtremes(box->cell_);
    });
    ++revision_;
}

Person* Tree::findPerson(Cell cell) const { return index_.first(cell); }

bool Tree::growExtent(Cell cell)
{
    bool grew = false;
    if (cell.column > maxColumn) {
        maxColumn = cell.column;
        grew = true;
    }
    if (cell.level > maxLevel) {
        maxLevel = cell.level;
        grew = true;
    }
    return grew;
}

Point Tree::extent() const
{
    if (maxColumn == 0 || maxLevel == 0) {
        // As a walk over every box would raise them, without the walk.
        const Cell greatest = greatestCell();
        maxColumn = std::max(maxColumn, greatest.column);
        maxLevel = std::max(maxLevel, greatest.level);
    }
    return settings_->cellOrigin({maxColumn, maxLevel});
}

Point Tree::boxExtent() const
{
    const Cell greatest = greatestCell();
    return settings_->cellOrigin({std::max(0, greatest.column), std::max(0, greatest.level)});
}

void Tree::resetExtent() { maxColumn = maxLevel = 0; }

Cell Tree::extentCells() const
{
    extent();
    return {maxColumn, maxLevel};
}

Person* Tree::lastInDirection(char axis) const
{
    int best = -1;
    Person* result = nullptr;
    forEachPerson([&](Person* box) {
        const int value = axis == 'x' ? box->column() : box->level();
        if (value > best && box->kind() == 'P') {
            result = box;
            best = value;
        }
    });
    return result;
}

Person* Tree::deepestPerson() const
{
    if (deepestRevision_ != revision_) {
        deepest_ = lastInDirection('y');
        deepestRevision_ = revision_;
    }
    return deepest_;
}

std::vector<Person*> Tree::boxesInArea(const Rect& area) const
{
    const TreeSettings& s = *settings_;
    // Widen the area by the longest connector so boxes whose lines cross it count.
    const long long left = (long long)area.left - reach_.right - s.boxWidth;
    const long long right = (long long)area.right + reach_.right;
    const long long top = (long long)area.top - reach_.down - s.boxHeight;
    const long long bottom = (long long)area.bottom + reach_.down;
    auto cellFloor = [](long long pixel, int origin, int pitch) {
        const long long offset = pixel - origin;
        return offset >= 0 ? offset / pitch : -((-offset + pitch - 1) / pitch);
    };
    const long long c0 = cellFloor(left, originX, s.pitchX()),
                    c1 = cellFloor(right, originX, s.pitchX());
    const long long l0 = cellFloor(top, originY, s.pitchY()),
                    l1 = cellFloor(bottom, originY, s.pitchY());

    // The cell range is a superset (the reach is the longest connector of any
    // box); each candidate is then held against its own drawing.
    std::vector<Person*> found;
    const long long cells = (c1 - c0 + 1) * (l1 - l0 + 1);
    if (cells > (long long)persons.size()) {
        forEachPerson([&](Person* box) {
            if (intersects(drawnBounds(*box, s), area))
                found.push_back(box);
        });
        return found;
    }
    constexpr int lookAhead = 8;
    for (long long level = l0; level <= l1; ++level) {
        for (long long column = c0; column <= c1; ++column) {
            index_.prefetch({int(column + lookAhead), int(level)});
            for (Person* box = index_.first({int(column), int(level)}); box;
                 box = box->nextAtCell_) {
                if (intersects(drawnBounds(*box, s), area))
                    found.push_back(box);
            }
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Person* a, const Person* b) { return a->listOrder_ < b->listOrder_; });
    return found;
}
