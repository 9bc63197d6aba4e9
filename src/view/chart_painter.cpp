// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_painter.h"

#include "draw_context.h"
#include "generation_column.h"
#include "tree.h"
#include "tree_settings.h"

namespace {
constexpr int scrollMargin = 150;
}

void paintChart(DrawContext& dc, Tree* tree, const GenerationColumn& column)
{
    Rect area = dc.clipBox();
    if (area.isEmpty()) {
        const Size client = dc.clientSize();
        area = {0, 0, client.width, client.height};
    }
    dc.fillBackground(colours::paleblue, area);
    column.paint(dc);
    if (!tree)
        return;
    // Boxes wholly outside the area would be clipped away; skipping them keeps a
    // paint as cheap for a huge chart as for a small one.
    for (Person* box : tree->boxesInArea(area))
        box->draw(dc, box == tree->selected);
    if (tree->selectionFrame.drawn)
        tree->selectionFrame.show(dc, 2);
}

Size chartTotalSize(Tree* tree)
{
    Point extent = cellOrigin({0, 0});
    if (tree) {
        tree->resetExtent();
        extent = tree->extent();
    }
    return {extent.x + scrollMargin, extent.y + scrollMargin};
}
