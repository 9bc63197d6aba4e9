// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// Empty columns (or levels) opened at several places at once, as Insert
// column would open them one by one: a line at or beyond an insertion's index
// moves on by its count. Groups are added first, then mapped.
class LineInsertions {
public:
    // Opens count lines before the old line index; returns the group.
    int add(int index, int count);
    bool empty() const { return groups_.empty(); }
    // Fixes where each group's lines come; no add() after it.
    void finish();
    // Where an old line goes.
    int map(int line) const;
    // Where a group's first new line comes.
    int start(int group) const { return starts_[std::size_t(group)]; }
    // The lines opened in all.
    int total() const { return total_; }

private:
    struct Group {
        int index;
        int count;
    };
    std::vector<Group> groups_;
    std::vector<int> starts_;
    std::vector<int> indices_;    // sorted
    std::vector<int> countsUpTo_; // lines opened at indices up to indices_[i]
    int total_ = 0;
};
