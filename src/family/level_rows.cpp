// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/level_rows.h"

#include "model/tree.h"

#include <algorithm>

namespace {

using Entry = std::pair<int, const Person*>;

std::size_t firstRightOf(const std::vector<Entry>& boxes, int column)
{
    return std::size_t(std::upper_bound(boxes.begin(), boxes.end(), column,
                                        [](int c, const Entry& entry) { return c < entry.first; }) -
                       boxes.begin());
}

} // namespace

LevelRows::LevelRows(const Tree& tree)
{
    tree.forEachPerson([&](const Person* box) {
        rows_[box->level()].boxes.push_back({box->column(), box});
    });
    for (auto& [level, row] : rows_) {
        std::vector<Entry>& boxes = row.boxes;
        // In list order within a column, the order Find parent answers in;
        // an imported chart's rows come in order already.
        const auto byColumn = [](const Entry& a, const Entry& b) { return a.first < b.first; };
        if (!std::is_sorted(boxes.begin(), boxes.end(), byColumn))
            std::stable_sort(boxes.begin(), boxes.end(), byColumn);
        // From the right, so that each chain's end is known before the boxes
        // that lead to it: every chain is followed once, not once per box on it.
        row.ends.assign(boxes.size(), nullptr);
        std::size_t next = boxes.size(); // the first box of the next column
        for (std::size_t i = boxes.size(); i-- > 0;) {
            if (i > 0 && boxes[i - 1].first == boxes[i].first)
                continue;
            const Person* box = boxes[i].second;
            const bool goesOn = box->rightLink() != 0 && next < boxes.size() &&
                                boxes[next].second->kind() == BoxKind::Person;
            row.ends[i] = goesOn ? row.ends[next] : box;
            next = i;
        }
    }
}

const LevelRows::Row* LevelRows::rowAt(int level) const
{
    const auto found = rows_.find(level);
    return found == rows_.end() ? nullptr : &found->second;
}

const Person* LevelRows::rightOf(int level, int column) const
{
    const Row* row = rowAt(level);
    if (!row)
        return nullptr;
    const std::size_t at = firstRightOf(row->boxes, column);
    return at == row->boxes.size() ? nullptr : row->boxes[at].second;
}

const Person* LevelRows::leftOf(int level, int column) const
{
    const Row* row = rowAt(level);
    if (!row)
        return nullptr;
    const auto at = std::lower_bound(row->boxes.begin(), row->boxes.end(), column,
                                     [](const Entry& entry, int c) { return entry.first < c; });
    return at == row->boxes.begin() ? nullptr : std::prev(at)->second;
}

const Person* LevelRows::chainEnd(const Person* from) const
{
    const Row* row = rowAt(from->level());
    if (from->rightLink() == 0 || !row)
        return from;
    const std::size_t at = firstRightOf(row->boxes, from->column());
    if (at == row->boxes.size() || row->boxes[at].second->kind() != BoxKind::Person)
        return from;
    return row->ends[at];
}
