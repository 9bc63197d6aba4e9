// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/family_layout.h"

#include <algorithm>

namespace {

PlannedBox personBox(int person, int level)
{
    PlannedBox box;
    box.person = person;
    box.cell.level = level;
    return box;
}

PlannedBox continuationBox(int level, Direction direction, int beyond)
{
    PlannedBox box;
    box.cell.level = level;
    box.direction = direction;
    box.beyond = beyond;
    return box;
}

void turnIntoSeeBox(PlannedBox& box)
{
    box.sees = box.person;
    box.person = -1;
}

// The columns a block takes on each of its levels, counted from its first box:
// index 0 is that box's level, then the levels away from it.
struct Contour {
    std::vector<int> left;
    std::vector<int> right;
};

// The least shift that puts a block right of the blocks placed so far on every
// level both take: the block's boxes then stay beside each other, and no box of
// another family comes between them.
int shiftBeside(const Contour& placed, const Contour& block)
{
    int shift = 0;
    const std::size_t shared = std::min(placed.right.size(), block.left.size());
    for (std::size_t k = 0; k < shared; ++k)
        shift = std::max(shift, placed.right[k] + 1 - block.left[k]);
    return shift;
}

void appendBeside(Contour& placed, const Contour& block, int shift)
{
    for (std::size_t k = 0; k < block.right.size(); ++k) {
        if (k < placed.right.size()) {
            placed.right[k] = block.right[k] + shift;
        } else {
            placed.left.push_back(block.left[k] + shift);
            placed.right.push_back(block.right[k] + shift);
        }
    }
}

// A box's own level on top of the levels of the blocks beyond it.
Contour withOwnLevel(int width, const Contour& beyond)
{
    Contour block{{0}, {width - 1}};
    block.left.insert(block.left.end(), beyond.left.begin(), beyond.left.end());
    block.right.insert(block.right.end(), beyond.right.begin(), beyond.right.end());
    return block;
}

// Columns are known relative to an earlier box until the whole chart is placed:
// packing a block never moves the boxes already in it.
class Planner {
public:
    Planner(const GedcomData& data, int generations, const std::function<bool(int)>& elsewhere)
        : data_(data),
          generations_(generations),
          elsewhere_(elsewhere),
          laidOut_(data.persons.size(), false),
          familyTaken_(data.families.size(), false),
          rows_(std::size_t(generations) + 1)
    {
        // Room for a box per person (more only with see boxes): growing would
        // move the plan again and again.
        boxes.reserve(data.persons.size());
        anchor_.reserve(data.persons.size());
        offset_.reserve(data.persons.size());
        next_.reserve(data.persons.size());
    }

    // The person's box and spouses on the level, their descendants below; the
    // boxes on the person's level are added to row.
    Contour descendants(int person, int level, std::vector<int>& row);
    // How near each person is to the root along parent lines, for ancestors.
    void measureAncestry(int root);
    // The person's box at the depth, their ancestors above (depth grows upward
    // until levels are turned over).
    Contour ancestors(int person, int depth);
    // Links each box of a row to the next one; the last one ends the chain.
    void chain(const std::vector<int>& row);
    // A spouse who has a box of their own elsewhere, or beside an earlier
    // spouse, is shown by a see box.
    void settleSpouses();
    // Columns from the relative places, then the right connectors' ends.
    void placeColumns();
    // Turns depths into levels counted from the top.
    void turnOver();

    std::vector<PlannedBox> boxes;

private:
    int add(const PlannedBox& box, int anchor, int offset)
    {
        boxes.push_back(box);
        anchor_.push_back(anchor);
        offset_.push_back(offset);
        next_.push_back(-1);
        return int(boxes.size()) - 1;
    }
    void placeAt(int box, int anchor, int offset)
    {
        anchor_[std::size_t(box)] = anchor;
        offset_[std::size_t(box)] = offset;
    }
    // False for a person whose box is already in the chart, or in another.
    bool firstVisit(int person)
    {
        if (laidOut_[std::size_t(person)] || (elsewhere_ && elsewhere_(person)))
            return false;
        laidOut_[std::size_t(person)] = true;
        return true;
    }

    const GedcomData& data_;
    int generations_;
    const std::function<bool(int)>& elsewhere_;
    std::vector<bool> laidOut_;
    std::vector<bool> familyTaken_;
    // By person: the generations up from the root to them, generations_ past the limit.
    std::vector<int> nearest_;
    std::vector<std::vector<int>> rows_; // the boxes of a family's children, by level
    std::vector<int> spouses_;           // the boxes placed as spouses
    std::vector<int> anchor_;            // by box: the box its column counts from, or -1
    std::vector<int> offset_;            // by box: columns right of its anchor
    std::vector<int> next_;              // by box: the box its right connector reaches
};

Contour Planner::descendants(int person, int level, std::vector<int>& row)
{
    const int self = add(personBox(person, level), -1, 0);
    row.push_back(self);
    if (!firstVisit(person)) {
        turnIntoSeeBox(boxes[std::size_t(self)]);
        return {{0}, {0}};
    }
    int width = 1;
    int children = 0;
    std::vector<int> families;
    for (const int f : data_.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        const int partner = family.husband == person ? family.wife : family.husband;
        if (partner >= 0) {
            const int spouse = add(personBox(partner, level), self, width++);
            row.push_back(spouse);
            spouses_.push_back(spouse);
        }
        // A family met again through its other parent shows its children once.
        if (!familyTaken_[std::size_t(f)]) {
            familyTaken_[std::size_t(f)] = true;
            families.push_back(f);
            children += int(family.children.size());
        }
    }
    if (children == 0)
        return withOwnLevel(width, {});
    boxes[std::size_t(self)].down = true;
    if (level + 1 >= generations_) {
        add(continuationBox(level + 1, Direction::Down, children), self, 0);
        return withOwnLevel(width, {{0}, {0}});
    }
    // One row per level will do: a family's children are placed, and chained,
    // before the next family on their level begins.
    std::vector<int>& childRow = rows_[std::size_t(level) + 1];
    childRow.clear();
    Contour below;
    for (const int f : families)
        for (const int child : data_.families[std::size_t(f)].children) {
            const int first = int(boxes.size());
            const Contour block = descendants(child, level + 1, childRow);
            const int shift = shiftBeside(below, block);
            placeAt(first, self, shift);
            appendBeside(below, block, shift);
        }
    chain(childRow);
    return withOwnLevel(width, below);
}

void Planner::measureAncestry(int root) { nearest_ = ancestorDepths(data_, root, generations_); }

Contour Planner::ancestors(int person, int depth)
{
    const int self = add(personBox(person, depth), -1, 0);
    // The own box stands on the shortest line to the person, so that as many
    // of their ancestors as the limit allows stand above it.
    if (depth != nearest_[std::size_t(person)] || !firstVisit(person)) {
        turnIntoSeeBox(boxes[std::size_t(self)]);
        return {{0}, {0}};
    }
    std::vector<int> parents = shownParents(data_, person);
    // Past the limit, a parent whose box stands on a shorter line is still
    // shown, by a see box, so the reader stays in this chart; the others are
    // cut off, their continuation box right above the person it cuts.
    int cut = 0;
    if (depth + 1 >= generations_)
        cut = int(std::erase_if(
            parents, [&](int parent) { return nearest_[std::size_t(parent)] >= generations_; }));
    Contour above;
    if (cut > 0) {
        add(continuationBox(depth + 1, Direction::Up, cut), self, 0);
        above = {{0}, {0}};
    } else if (parents.empty()) {
        return {{0}, {0}};
    }
    int previous = -1;
    for (const int parent : parents) {
        const int first = int(boxes.size());
        const Contour block = ancestors(parent, depth + 1);
        const int shift = shiftBeside(above, block);
        placeAt(first, self, shift);
        appendBeside(above, block, shift);
        if (previous >= 0)
            next_[std::size_t(previous)] = first;
        else if (cut == 0)
            boxes[std::size_t(first)].down = true;
        previous = first;
    }
    // See boxes beside a continuation box stand over no one else's box.
    return withOwnLevel(cut > 0 ? 1 + int(parents.size()) : 1, above);
}

void Planner::chain(const std::vector<int>& row)
{
    for (std::size_t i = 0; i + 1 < row.size(); ++i)
        next_[std::size_t(row[i])] = row[i + 1];
}

void Planner::settleSpouses()
{
    std::vector<bool> shown(laidOut_);
    for (const int spouse : spouses_) {
        PlannedBox& box = boxes[std::size_t(spouse)];
        if (shown[std::size_t(box.person)] || (elsewhere_ && elsewhere_(box.person)))
            turnIntoSeeBox(box);
        else
            shown[std::size_t(box.person)] = true;
    }
}

void Planner::placeColumns()
{
    // An anchor always comes before the boxes placed from it.
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const int anchor = anchor_[i];
        boxes[i].cell.column =
            (anchor < 0 ? 0 : boxes[std::size_t(anchor)].cell.column) + offset_[i];
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (next_[i] >= 0)
            boxes[i].rightTo = boxes[std::size_t(next_[i])].cell.column;
}

void Planner::turnOver()
{
    int top = 0;
    for (const PlannedBox& box : boxes)
        top = std::max(top, box.cell.level);
    for (PlannedBox& box : boxes)
        box.cell.level = top - box.cell.level;
}

} // namespace

std::vector<int> shownParents(const GedcomData& data, int person)
{
    std::vector<int> parents;
    for (const int f : data.persons[std::size_t(person)].childOf) {
        const GedcomFamily& family = data.families[std::size_t(f)];
        for (const int parent : {family.husband, family.wife})
            if (parent >= 0)
                parents.push_back(parent);
        if (!parents.empty())
            break;
    }
    return parents;
}

std::vector<int> ancestorDepths(const GedcomData& data, int root, int generations)
{
    std::vector<int> nearest(data.persons.size(), generations);
    nearest[std::size_t(root)] = 0;
    std::vector<int> line{root};
    for (int depth = 1; depth < generations && !line.empty(); ++depth) {
        std::vector<int> next;
        for (const int person : line)
            for (const int parent : shownParents(data, person))
                if (nearest[std::size_t(parent)] > depth) {
                    nearest[std::size_t(parent)] = depth;
                    next.push_back(parent);
                }
        line = std::move(next);
    }
    return nearest;
}

std::vector<PlannedBox> planDescendants(const GedcomData& data, const LayoutRequest& request,
                                        const std::function<bool(int)>& boxedElsewhere)
{
    if (request.root < 0 || std::size_t(request.root) >= data.persons.size())
        return {};
    Planner planner(data, std::clamp(request.generations, 1, maxGenerations), boxedElsewhere);
    std::vector<int> row;
    planner.descendants(request.root, 0, row);
    planner.chain(row);
    planner.settleSpouses();
    planner.placeColumns();
    return std::move(planner.boxes);
}

std::vector<PlannedBox> planAncestors(const GedcomData& data, const LayoutRequest& request,
                                      const std::function<bool(int)>& boxedElsewhere)
{
    if (request.root < 0 || std::size_t(request.root) >= data.persons.size())
        return {};
    Planner planner(data, std::clamp(request.generations, 1, maxGenerations), boxedElsewhere);
    planner.measureAncestry(request.root);
    planner.ancestors(request.root, 0);
    planner.placeColumns();
    planner.turnOver();
    return std::move(planner.boxes);
}
