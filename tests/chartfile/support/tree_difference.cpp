// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree_difference.h"

#include <vector>

namespace {

std::vector<const Person*> boxesOf(const Tree& tree)
{
    std::vector<const Person*> boxes;
    tree.forEachPerson([&boxes](const Person* box) { boxes.push_back(box); });
    return boxes;
}

} // namespace

std::string treeDifference(const Tree& a, const Tree& b)
{
    const std::vector<const Person*> left = boxesOf(a);
    const std::vector<const Person*> right = boxesOf(b);
    if (left.size() != right.size())
        return "box count " + std::to_string(left.size()) + " vs " + std::to_string(right.size());
    for (std::size_t i = 0; i < left.size(); ++i) {
        const Person& x = *left[i];
        const Person& y = *right[i];
        const std::string where = "box " + std::to_string(i) + ": ";
        if (x.kind() != y.kind())
            return where + "kind";
        if (x.column() != y.column() || x.level() != y.level())
            return where + "cell";
        if (x.rightLink() != y.rightLink() || x.downLink() != y.downLink())
            return where + "links";
        if (x.text != y.text)
            return where + "text";
        if (x.lineage != y.lineage)
            return where + "lineage";
        if (x.direction() != y.direction())
            return where + "direction";
    }
    return {};
}
