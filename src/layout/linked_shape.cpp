// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/linked_shape.h"

#include <algorithm>

LinkedShape::LinkedShape(const Tree& tree, const GedcomData& data,
                         const std::vector<LinkedBox>& boxes)
    : tree(tree),
      data(data),
      boxes(boxes),
      shown(data.persons.size())
{
    for (const LinkedBox& m : boxes) {
        const int level = m.box->level(), column = m.box->column();
        if (!lowest || level > lowest->box->level() ||
            (level == lowest->box->level() && column < lowest->box->column()))
            lowest = &m;
        if (!topLeft || level < topLeft->box->level() ||
            (level == topLeft->box->level() && column < topLeft->box->column()))
            topLeft = &m;
        byLevel[level].push_back(&m);
        shown[std::size_t(m.person)] = true;
    }
}

bool LinkedShape::allAmong(const std::vector<bool>& persons) const
{
    return std::all_of(boxes.begin(), boxes.end(),
                       [&](const LinkedBox& m) { return persons[std::size_t(m.person)]; });
}
