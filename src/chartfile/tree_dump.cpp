// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/tree_dump.h"

#include "model/pair_text.h"

void dumpTree(std::ostream& out, const Chart& chart)
{
    const Tree& tree = chart.tree();
    out << "\nTree: " << tree.name().c_str() << '\n';
    tree.forEachPerson([&out](const Person* box) { box->describe(out); });
    const Point extent = tree.extent();
    // One flush at the end: a flush per line would make a write per line.
    out << "  Extent: " << writePair(extent.x, extent.y).c_str() << std::endl;
}
