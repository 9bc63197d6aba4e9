// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/line_insertions.h"

#include <algorithm>
#include <numeric>

int LineInsertions::add(int index, int count)
{
    groups_.push_back({index, count});
    return int(groups_.size()) - 1;
}

void LineInsertions::finish()
{
    std::vector<int> order(groups_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return groups_[std::size_t(a)].index < groups_[std::size_t(b)].index;
    });
    starts_.assign(groups_.size(), 0);
    int before = 0;
    for (const int g : order) {
        const Group& group = groups_[std::size_t(g)];
        starts_[std::size_t(g)] = group.index + before;
        before += group.count;
        if (!indices_.empty() && indices_.back() == group.index)
            countsUpTo_.back() = before;
        else {
            indices_.push_back(group.index);
            countsUpTo_.push_back(before);
        }
    }
    total_ = before;
}

int LineInsertions::map(int line) const
{
    const auto after = std::upper_bound(indices_.begin(), indices_.end(), line);
    if (after == indices_.begin())
        return line;
    return line + countsUpTo_[std::size_t(after - indices_.begin() - 1)];
}
