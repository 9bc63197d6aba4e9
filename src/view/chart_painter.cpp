// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_painter.h"

#include "model/chart.h"
#include "model/draw_context.h"
#include "view/generation_column.h"

namespace {
constexpr int scrollMargin = 150;
}

void paintChart(DrawContext& dc, const Chart* chart, bool withSelection)
{
    Rect area = dc.clipBox();
    if (area.isEmpty()) {
        const Size client = dc.clientSize();
        area = {0, 0, client.width, client.height};
    }
    dc.fillBackground(colours::paleblue, area);
    if (!chart)
        return;
    paintGenerationColumn(dc, *chart);
    const Tree& tree = chart->tree();
    const Person* selected = withSelection ? tree.selected : nullptr;
    // Boxes wholly outside the area would be clipped away; skipping them keeps a
    // paint as cheap for a huge chart as for a small one.
    for (const Person* box : tree.boxesInArea(area))
        box->draw(dc, chart->settings(), box == selected);
    if (withSelection && tree.selectionFrame.drawn)
        tree.selectionFrame.redraw(dc);
}

Size chartTotalSize(Point extent) { return {extent.x + scrollMargin, extent.y + scrollMargin}; }
