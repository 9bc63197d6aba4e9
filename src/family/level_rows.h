// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unordered_map>
#include <utility>
#include <vector>

class Person;
class Tree;

// The boxes of each level of a tree by column, to find a box's neighbours on
// its level and where a chain of right connectors ends, each in logarithmic
// time. Made once for a tree that does not change while it is used.
class LevelRows {
public:
    explicit LevelRows(const Tree& tree);
    // The first box right of the column on the level, or null.
    const Person* rightOf(int level, int column) const;
    // The nearest box left of the column on the level, or null.
    const Person* leftOf(int level, int column) const;
    // The last box reached from the box over right connectors, each step to the
    // first box right of the last one, while that is a plain box.
    const Person* chainEnd(const Person* from) const;

private:
    struct Row {
        std::vector<std::pair<int, const Person*>> boxes; // by column
        // At the first box of each column: the end of the chain from it.
        std::vector<const Person*> ends;
    };
    const Row* rowAt(int level) const;
    std::unordered_map<int, Row> rows_;
};
