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
    if (box.kind() != BoxKind::Continuation) {
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

Tree::Tree(const TreeSettings& settings, std::string name)
    : settings_(&settings),
      name_(std::move(name)),
      undoRecord_(*this)
{
}

Tree::~Tree()
{
    // The record's copy of a box may point into the boxes: it goes first.
    undoRecord_.clear();
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
    noteLinks(box->links());
    addToExtremes(box->cell_);
}

Person* Tree::append(std::unique_ptr<Person> box)
{
    Person* added = box.get();
    adopt(added);
    boxes_.push_back(std::move(box));
    index_.add(added);
    ++revision_;
    return added;
}

void Tree::appendAll(std::vector<std::unique_ptr<Person>>& boxes)
{
    if (boxes.empty())
        return;
    index_.reserve(index_.cellCount() + boxes.size());
    boxes_.reserve(boxes_.size() + boxes.size());
    for (std::unique_ptr<Person>& box : boxes) {
        Person* added = box.get();
        adopt(added);
        boxes_.push_back(std::move(box));
        index_.add(added);
    }
    boxes.clear();
    ++revision_;
}

std::size_t Tree::positionOf(const Person* box) const
{
    // List order numbers grow along the list, so the box is found by halving.
    const auto at = std::lower_bound(boxes_.begin(), boxes_.end(), box->listOrder_,
                                     [](const std::unique_ptr<Person>& held, std::uint32_t order) {
                                         return held->listOrder_ < order;
                                     });
    return std::size_t(at - boxes_.begin());
}

std::unique_ptr<Person> Tree::detach(const Person* box)
{
    if (!box || box->owner_ != this)
        return nullptr;
    const std::size_t position = positionOf(box);
    std::unique_ptr<Person> taken = std::move(boxes_[position]);
    boxes_.erase(boxes_.begin() + std::ptrdiff_t(position));
    index_.remove(taken.get());
    removeFromExtremes(taken->cell_);
    taken->owner_ = nullptr;
    records_.erase(taken.get());
    ++revision_;
    return taken;
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
        forEachPerson([this](const Person* box) { addToExtremes(box->cell_); });
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
    index_.reserve(boxes_.size());
    greatestColumn_ = greatestLevel_ = Greatest{};
    forEachPerson([this](Person* box) {
        index_.add(box);
        addToExtremes(box->cell_);
    });
    ++revision_;
}

bool Tree::growExtent(Cell cell)
{
    bool grew = false;
    if (cell.column > maxColumn_) {
        maxColumn_ = cell.column;
        grew = true;
    }
    if (cell.level > maxLevel_) {
        maxLevel_ = cell.level;
        grew = true;
    }
    return grew;
}

Point Tree::extent() const
{
    if (maxColumn_ == 0 || maxLevel_ == 0) {
        // As a walk over every box would raise them, without the walk.
        const Cell greatest = greatestCell();
        maxColumn_ = std::max(maxColumn_, greatest.column);
        maxLevel_ = std::max(maxLevel_, greatest.level);
    }
    return settings_->cellOrigin({maxColumn_, maxLevel_});
}

Point Tree::boxExtent() const
{
    const Cell greatest = greatestCell();
    return settings_->cellOrigin({std::max(0, greatest.column), std::max(0, greatest.level)});
}

Rect Tree::drawnArea() const
{
    Cell least{0, 0};
    forEachPerson([&least](const Person* box) {
        least = {std::min(least.column, box->column()), std::min(least.level, box->level())};
    });
    // The margin the first generation has above it, on every side.
    constexpr int margin = originY;
    const Point corner = settings_->cellOrigin(least);
    const Size size = drawnSize();
    return {std::min(0, corner.x - margin), std::min(0, corner.y - margin), size.width,
            size.height};
}

void Tree::resetExtent() { maxColumn_ = maxLevel_ = 0; }

Cell Tree::extentCells() const
{
    extent();
    return {maxColumn_, maxLevel_};
}

const Person* Tree::lastInDirection(char axis) const
{
    int best = -1;
    const Person* result = nullptr;
    forEachPerson([&](const Person* box) {
        const int value = axis == 'x' ? box->column() : box->level();
        if (value > best && box->kind() == BoxKind::Person) {
            result = box;
            best = value;
        }
    });
    return result;
}

const Person* Tree::deepestPerson() const
{
    if (deepestRevision_ != revision_) {
        deepest_ = lastInDirection('y');
        deepestRevision_ = revision_;
    }
    return deepest_;
}

std::vector<const Person*> Tree::boxesInArea(const Rect& area) const
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
    std::vector<const Person*> found;
    const long long cells = (c1 - c0 + 1) * (l1 - l0 + 1);
    if (cells > (long long)boxes_.size()) {
        forEachPerson([&](const Person* box) {
            if (intersects(drawnBounds(*box, s), area))
                found.push_back(box);
        });
        return found;
    }
    constexpr int lookAhead = 8;
    for (long long level = l0; level <= l1; ++level) {
        for (long long column = c0; column <= c1; ++column) {
            index_.prefetch({int(column + lookAhead), int(level)});
            for (const Person* box = index_.first({int(column), int(level)}); box;
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
