// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class Tree;

// Where Tree > Find parent leads from a box. With a parent, the search's red
// steps are the right connectors of the first boxes of the row between the box's
// column and the parent's (the near end included, the far end not) and the
// parent's down connector. Without one, a search that turned left and failed
// leaves the right connectors of the first boxes of the row from residueColumn
// up to the box's column red.
struct ParentAnswer {
    int levelsUp = 0;      // the parent's level below this box's; 0: no parent
    int columnOffset = 0;  // with a parent: its column less this box's
    int residueOffset = 0; // without one: residueColumn less this box's column (0: none)
};

// The answer of Tree::findParent for every box of the tree, in list order (a
// continuation box has none), found in time in proportion to the number of
// boxes, where a search per box could cross a whole row each time.
std::vector<ParentAnswer> parentAnswers(const Tree& tree);

// The same search's parent of every box, as its place in list order (-1: none).
std::vector<int> parentIndices(const Tree& tree);
