// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry.h"

class DrawContext;
class GenerationColumn;
class Tree;

// The one picture of a chart, for screen, printer and image files alike: the
// background over the area being drawn (the client area when the clip box is
// empty), the generation column, the boxes that reach the area in list order
// (the tree's selected box drawn selected), then a shown selection frame put
// back. A null tree paints the background and nothing else.
void paintChart(DrawContext& dc, Tree* tree, const GenerationColumn& column);

// The scroll area of a chart: recomputes the tree's cached extent from its boxes
// and adds (150, 150). A null tree counts as an empty one.
Size chartTotalSize(Tree* tree);
