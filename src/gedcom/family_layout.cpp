// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/family_layout.h"

#include <algorithm>

namespace {

PlannedBox personBox(int person, Cell cell)
{
    PlannedBox box;
    box.person = person;
    box.cell = cell;
    return box;
}

PlannedBox continuationBox(Cell cell, int direction, int beyond)
{
    PlannedBox box;
    box.cell = cell;
    box.direction = direction;
    box.beyond = beyond;
    return box;
}

class Planner {
public:
    Planner(const GedcomData& data, int generations)
        : data_(data),
          generations_(generations),
          laidOut_(data.persons.size(), false),
          rows_(std::size_t(generations) + 1)
    {
    }

    // The person's box and spouses at the cell, their descendants below; the boxes
    // on the person's level are added to row. Returns the columns the block takes.
    int descendants(int person, Cell at, std::vector<int>& row);
    // The person's box at the cell, their ancestors above (depth grows upward
    // until levels are turned over). Returns the columns the block takes.
    int ancestors(int person, Cell at);
    // Links each box of a row to the next one; the last one ends the chain.
    void chain(const std::vector<int>& row);
    // Turns depths into levels counted from the top.
    void turnOver();

    std::vector<PlannedBox> boxes;

private:
    int add(const PlannedBox& box)
    {
        boxes.push_back(box);
        return int(boxes.size()) - 1;
    }
    // False for a person whose branch is already in the chart.
    bool firstVisit(int person)
    {
        if (laidOut_[std::size_t(person)])
            return false;
        laidOut_[std::size_t(person)] = true;
        return true;
    }

    const GedcomData& data_;
    int generations_;
    std::vector<bool> laidOut_;
    std::vector<std::vector<int>> rows_; // the boxes of a family's children, by level
};

int Planner::descendants(int person, Cell at, std::vector<int>& row)
{
    const int self = add(personBox(person, at));
    row.push_back(self);
    if (!firstVisit(person))
        return 1;
    int width = 1;
    int children = 0;
    const std::vector<int>& families = data_.persons[std::size_t(person)].spouseIn;
    for (const int f : families) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        const int partner = family.husband == person ? family.wife : family.husband;
        if (partner >= 0) {
            row.push_back(add(personBox(partner, {at.column + width, at.level})));
            ++width;
        }
        children += int(family.children.size());
    }
    if (children == 0)
        return width;
    boxes[std::size_t(self)].down = true;
    const Cell below{at.column, at.level + 1};
    if (below.level >= generations_) {
        add(continuationBox(below, 2, children));
        return width;
    }
    // One row per level will do: a family's children are placed, and chained,
    // before the next family on their level begins.
    std::vector<int>& childRow = rows_[std::size_t(below.level)];
    childRow.clear();
    int column = at.column;
    for (const int f : families)
        for (const int child : data_.families[std::size_t(f)].children)
            column += descendants(child, {column, below.level}, childRow);
    chain(childRow);
    return std::max(width, column - at.column);
}

int Planner::ancestors(int person, Cell at)
{
    add(personBox(person, at));
    if (!firstVisit(person))
        return 1;
    std::vector<int> parents;
    for (const int f : data_.persons[std::size_t(person)].childOf) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        for (const int parent : {family.husband, family.wife})
            if (parent >= 0)
                parents.push_back(parent);
        if (!parents.empty())
            break;
    }
    if (parents.empty())
        return 1;
    const Cell above{at.column, at.level + 1};
    if (above.level >= generations_) {
        add(continuationBox(above, 0, int(parents.size())));
        return 1;
    }
    const int first = int(boxes.size());
    int width = ancestors(parents[0], above);
    boxes[std::size_t(first)].down = true;
    if (parents.size() > 1) {
        boxes[std::size_t(first)].rightTo = at.column + width;
        width += ancestors(parents[1], {at.column + width, above.level});
    }
    return width;
}

void Planner::chain(const std::vector<int>& row)
{
    for (std::size_t i = 0; i + 1 < row.size(); ++i)
        boxes[std::size_t(row[i])].rightTo = boxes[std::size_t(row[i + 1])].cell.column;
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

std::vector<PlannedBox> planLayout(const GedcomData& data, const LayoutRequest& request)
{
    if (request.root < 0 || std::size_t(request.root) >= data.persons.size())
        return {};
    Planner planner(data, std::clamp(request.generations, 1, maxGenerations));
    if (request.kind == LayoutKind::Descendants) {
        std::vector<int> row;
        planner.descendants(request.root, {0, 0}, row);
        planner.chain(row);
    } else {
        planner.ancestors(request.root, {0, 0});
        planner.turnOver();
    }
    return std::move(planner.boxes);
}
