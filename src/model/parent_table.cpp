// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/parent_table.h"

#include "model/tree.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr int none = -1;
constexpr int noResidue = INT_MIN;

struct Box {
    const Person* person;
    int column;
    int level;
    int index; // in list order
};

bool plain(const Person* box) { return box->kind() == BoxKind::Person; }

// Two numbers as one that sorts as the pair does.
std::uint64_t sortKey(int first, int second)
{
    return std::uint64_t(std::uint32_t(first) ^ 0x80000000u) << 32 |
           (std::uint32_t(second) ^ 0x80000000u);
}

// The tree's boxes by cell: the first box in list order at each cell (the one
// every lookup of the search answers with), in reading order.
struct CellTable {
    std::vector<Box> firsts;
    std::vector<int> cellOf; // per box in list order, its cell's place in firsts

    explicit CellTable(const Tree& tree)
    {
        std::vector<Box> boxes;
        boxes.reserve(tree.size());
        tree.forEachPerson([&](const Person* box) {
            boxes.push_back({box, box->column(), box->level(), int(boxes.size())});
        });
        // Sorted as numbers, ties in list order: far faster than comparing boxes.
        std::vector<std::pair<std::uint64_t, int>> order;
        order.reserve(boxes.size());
        for (const Box& box : boxes)
            order.emplace_back(sortKey(box.level, box.column), box.index);
        std::sort(order.begin(), order.end());
        cellOf.resize(boxes.size());
        for (const auto& [key, i] : order) {
            const Box& box = boxes[std::size_t(i)];
            if (firsts.empty() || firsts.back().level != box.level ||
                firsts.back().column != box.column)
                firsts.push_back(box);
            cellOf[std::size_t(i)] = int(firsts.size()) - 1;
        }
    }

    bool sameRow(int a, int b) const
    {
        return firsts[std::size_t(a)].level == firsts[std::size_t(b)].level;
    }
};

// For each cell, the parent straight above it: the nearest box above (levels
// from 0 on only) when it is a plain box with a down connector.
std::vector<int> parentsAbove(const CellTable& cells)
{
    const std::vector<Box>& firsts = cells.firsts;
    std::vector<std::pair<std::uint64_t, int>> keys;
    keys.reserve(firsts.size());
    for (std::size_t i = 0; i < firsts.size(); ++i)
        keys.emplace_back(sortKey(firsts[i].column, firsts[i].level), int(i));
    std::sort(keys.begin(), keys.end());
    std::vector<int> byColumn;
    byColumn.reserve(keys.size());
    for (const auto& key : keys)
        byColumn.push_back(key.second);
    std::vector<int> above(firsts.size(), none);
    for (std::size_t i = 1; i < byColumn.size(); ++i) {
        const Box& nearest = firsts[std::size_t(byColumn[i - 1])];
        const Box& cell = firsts[std::size_t(byColumn[i])];
        if (nearest.column == cell.column && nearest.level >= 0 && plain(nearest.person) &&
            nearest.person->downLink() != 0)
            above[std::size_t(byColumn[i])] = byColumn[i - 1];
    }
    return above;
}

// Where each box's search ends, found for all boxes at once.
struct Search {
    CellTable cells;
    std::vector<int> parent;  // per box in list order, its parent's cell, or none
    std::vector<int> residue; // without one, the leftmost column a leftward pass crossed
};

Search search(const Tree& tree)
{
    Search result{CellTable(tree), {}, {}};
    const CellTable& cells = result.cells;
    const std::vector<Box>& firsts = cells.firsts;
    const int count = int(firsts.size());
    const std::vector<int> above = parentsAbove(cells);
    const int limit = tree.extentCells().column + 1;

    // The rightward pass from each cell: the parent it reaches, from the right.
    std::vector<int> rightward(firsts.size(), none);
    for (int i = count - 1; i >= 0; --i) {
        const Person* box = firsts[std::size_t(i)].person;
        if (!plain(box))
            continue;
        if (above[std::size_t(i)] != none)
            rightward[std::size_t(i)] = above[std::size_t(i)];
        else if (box->rightLink() != 0 && i + 1 < count && cells.sameRow(i, i + 1) &&
                 firsts[std::size_t(i) + 1].column < limit)
            rightward[std::size_t(i)] = rightward[std::size_t(i) + 1];
    }

    // The leftward pass as it meets each cell (columns from 0 on): the parent it
    // reaches, or the leftmost column it stepped through in vain.
    std::vector<int> leftward(firsts.size(), none);
    std::vector<int> residue(firsts.size(), noResidue);
    for (int i = 0; i < count; ++i) {
        const Box& cell = firsts[std::size_t(i)];
        if (cell.column < 0 || !plain(cell.person) || cell.person->rightLink() == 0)
            continue;
        if (above[std::size_t(i)] != none) {
            leftward[std::size_t(i)] = above[std::size_t(i)];
        } else if (i > 0 && cells.sameRow(i - 1, i) && firsts[std::size_t(i) - 1].column >= 0) {
            leftward[std::size_t(i)] = leftward[std::size_t(i) - 1];
            residue[std::size_t(i)] = residue[std::size_t(i) - 1] == noResidue
                                          ? cell.column
                                          : residue[std::size_t(i) - 1];
        } else {
            residue[std::size_t(i)] = cell.column;
        }
    }

    result.parent.assign(tree.size(), none);
    result.residue.assign(tree.size(), noResidue);
    std::size_t index = 0;
    tree.forEachPerson([&](const Person* box) {
        const std::size_t at = index++;
        const int cell = cells.cellOf[at];
        if (!plain(box))
            return;
        int parent = box->column() < limit ? rightward[std::size_t(cell)] : none;
        const bool left =
            cell > 0 && cells.sameRow(cell - 1, cell) && firsts[std::size_t(cell) - 1].column >= 0;
        if (parent == none && left) {
            parent = leftward[std::size_t(cell) - 1];
            if (parent == none)
                result.residue[at] = residue[std::size_t(cell) - 1];
        }
        result.parent[at] = parent;
    });
    return result;
}

} // namespace

std::vector<ParentAnswer> parentAnswers(const Tree& tree)
{
    const Search found = search(tree);
    const std::vector<Box>& firsts = found.cells.firsts;
    std::vector<ParentAnswer> answers(tree.size());
    std::size_t index = 0;
    tree.forEachPerson([&](const Person* box) {
        ParentAnswer& answer = answers[index];
        const int parent = found.parent[index];
        const int residue = found.residue[index++];
        if (parent != none) {
            answer.levelsUp = box->level() - firsts[std::size_t(parent)].level;
            answer.columnOffset = firsts[std::size_t(parent)].column - box->column();
        } else if (residue != noResidue) {
            answer.residueOffset = residue - box->column();
        }
    });
    return answers;
}

std::vector<int> parentIndices(const Tree& tree)
{
    const Search found = search(tree);
    std::vector<int> parents(found.parent.size(), none);
    for (std::size_t i = 0; i < parents.size(); ++i) {
        if (found.parent[i] != none)
            parents[i] = found.cells.firsts[std::size_t(found.parent[i])].index;
    }
    return parents;
}
