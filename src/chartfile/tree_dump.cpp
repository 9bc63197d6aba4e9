// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/tree_dump.h"

#include "model/pair_text.h"

void dumpTree(std::ostream& out, const Chart& chart)
{
    const Tree& tree = chart.tree();
    out << "\nTree: " << tree.name().c_str() << std::endl;
    tree.forEachPerson([&out](const Person* box) { box->describe(out); });
    const Point extent = tree.extent();
    out << "  Extent: " << writePair(extent.x, extent.y).c_str() << std::endl;
}
