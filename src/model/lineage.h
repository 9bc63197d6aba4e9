// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class Person;

// One step of a lineage: a box and which of its connectors lie on the path
// (1 right, 2 down, 0 neither).
struct LineageMark {
    const Person* box = nullptr;
    int bits = 0;

    bool operator==(const LineageMark&) const = default;
};

// The steps of a parent search in the order they were found, from the searched
// box upward.
using LineagePath = std::vector<LineageMark>;

// A line drawn red over a chart for a while, not saved with it (a
// relationship): the boxes on it and the connectors between them.
struct RedLine {
    std::vector<const Person*> boxes;
    LineagePath connectors;

    bool empty() const { return boxes.empty() && connectors.empty(); }
};
