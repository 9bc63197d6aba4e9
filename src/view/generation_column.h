// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DrawContext;
class Tree;

// The generation-number column at the chart's left edge. Its mode and start come
// from the tree settings: 'd' numbers grow downward, 'h' hides the column, any
// other letter numbers grow upward.
class GenerationColumn {
public:
    // Paints the column in the context's current font. Paints nothing without a
    // tree, in mode 'h', or when the tree holds no plain person box.
    void paint(DrawContext& dc) const;

    Tree* tree = nullptr; // not owned
};
