// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree.h"

#include "tree_settings.h"

#include <algorithm>
#include <cstdlib>

Tree::Tree(const String& name) : undoRecord(*this), name_(name) {}

Tree::~Tree()
{
    // The boxes go first: the record's subject may point into them.
    undoRecord.clear();
    lineagePath.clear();
    persons.clear();
}

void Tree::append(Person* box)
{
    box->owner_ = this;
    box->listOrder_ = nextOrder_++;
    persons.append(box);
    index_.add(box);
    noteLinks(box->links());
}

bool Tree::detach(Person* box)
{
    if (!box || box->owner_ != this || !persons.removeElement(box, false))
        return false;
    index_.remove(box);
    box->owner_ = nullptr;
    return true;
}

void Tree::moveInIndex(Person* box, Cell cell)
{
    index_.remove(box);
    box->cell_ = cell;
    index_.add(box);
}

void Tree::noteLinks(Links links)
{
    reach_.right = std::max(reach_.right, std::abs(links.right));
    reach_.down = std::max(reach_.down, std::abs(links.down));
}

void Tree::reindex()
{
    index_.clear();
    forEachPerson([this](Person* box) { index_.add(box); });
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

Point Tree::extent()
{
    if (maxColumn == 0 || maxLevel == 0) {
        forEachPerson([this](Person* box) {
            maxColumn = std::max(maxColumn, box->column());
            maxLevel = std::max(maxLevel, box->level());
        });
    }
    return cellOrigin({maxColumn, maxLevel});
}

void Tree::resetExtent() { maxColumn = maxLevel = 0; }

Cell Tree::extentCells()
{
    const Point pixels = extent();
    const TreeSettings& s = treeSettings();
    return {(pixels.x - originX) / s.pitchX(), (pixels.y - originY) / s.pitchY()};
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

std::vector<Person*> Tree::boxesInArea(const Rect& area) const
{
    const TreeSettings& s = treeSettings();
    // Widen the area by the longest connector so boxes whose lines cross it count.
    const long long left = (long long)area.left - reach_.right - s.boxWidth;
    const long long right = (long long)area.right + reach_.right;
    const long long top = (long long)area.top - reach_.down - s.boxHeight;
    const long long bottom = (long long)area.bottom + reach_.down;
    auto cellFloor = [](long long pixel, int origin, int pitch) {
        const long long offset = pixel - origin;
        return offset >= 0 ? offset / pitch : -((-offset + pitch - 1) / pitch);
    };
    const long long c0 = cellFloor(left, originX, s.pitchX()), c1 = cellFloor(right, originX, s.pitchX());
    const long long l0 = cellFloor(top, originY, s.pitchY()), l1 = cellFloor(bottom, originY, s.pitchY());

    std::vector<Person*> found;
    const long long cells = (c1 - c0 + 1) * (l1 - l0 + 1);
    if (cells > (long long)persons.size()) {
        forEachPerson([&](Person* box) {
            if (box->column() >= c0 && box->column() <= c1 && box->level() >= l0 && box->level() <= l1)
                found.push_back(box);
        });
        return found;
    }
    for (long long level = l0; level <= l1; ++level) {
        for (long long column = c0; column <= c1; ++column) {
            for (Person* box = index_.first({int(column), int(level)}); box; box = box->nextAtCell_)
                found.push_back(box);
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Person* a, const Person* b) { return a->listOrder_ < b->listOrder_; });
    return found;
}
