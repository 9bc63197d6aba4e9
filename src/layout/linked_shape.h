// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"
#include "model/tree.h"

#include <map>
#include <vector>

// A box of a chart linked to a person of the family file.
struct LinkedBox {
    const Person* box;
    int person;
};

// What a chart's linked boxes (at least one) show, for telling which layout
// made them.
struct LinkedShape {
    LinkedShape(const Tree& tree, const GedcomData& data, const std::vector<LinkedBox>& boxes);

    // Whether every linked box's person is among the persons (by person).
    bool allAmong(const std::vector<bool>& persons) const;

    const Tree& tree;
    const GedcomData& data;
    const std::vector<LinkedBox>& boxes;
    std::map<int, std::vector<const LinkedBox*>> byLevel; // each level's boxes in list order
    std::vector<bool> shown;                              // by person: has a linked box
    const LinkedBox* lowest = nullptr;                    // the leftmost on the lowest level
    const LinkedBox* topLeft = nullptr;                   // the leftmost on the top level
};
