// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/chart_painter.h"

#include "model/chart.h"
#include "model/draw_context.h"
#include "model/person.h"
#include "model/selection.h"
#include "render/generation_column.h"

#include <algorithm>

namespace {

// As rounded as a box.
constexpr float boxRoundness = 0.15f;
// The mark frame lies in the gap around a box, clear of the selection frame.
constexpr int markOffset = 3;
constexpr int markWidth = 2;

bool readingOrder(Cell a, Cell b)
{
    return a.level != b.level ? a.level < b.level : a.column < b.column;
}

void paintMark(DrawContext& dc, const Rect& box, Colour colour = colours::findMark)
{
    const Rect outer{box.left - markOffset, box.top - markOffset, box.right + markOffset,
                     box.bottom + markOffset};
    dc.fillBackground(colour, {outer.left, outer.top, outer.right, outer.top + markWidth});
    dc.fillBackground(colour, {outer.left, outer.bottom - markWidth, outer.right, outer.bottom});
    dc.fillBackground(colour, {outer.left, outer.top, outer.left + markWidth, outer.bottom});
    dc.fillBackground(colour, {outer.right - markWidth, outer.top, outer.right, outer.bottom});
}

} // namespace

void paintChart(DrawContext& dc, const Chart* chart, const Selection* selection,
                const std::vector<Cell>& marked, GenerationColumn column)
{
    Rect area = dc.clipBox();
    if (area.isEmpty()) {
        const Size client = dc.clientSize();
        area = {0, 0, client.width, client.height};
    }
    dc.fillBackground(colours::paleblue, area);
    if (!chart)
        return;
    // Grown numbers reach over the first boxes: then they come after them.
    const bool withColumn = column == GenerationColumn::Painted;
    const bool columnOnTop = generationNumbersGrown(dc.scale());
    if (withColumn && !columnOnTop)
        paintGenerationColumn(dc, *chart);
    const Tree& tree = chart->tree();
    const Person* selected = selection ? selection->box : nullptr;
    // Boxes wholly outside the area would be clipped away; skipping them keeps a
    // paint as cheap for a huge chart as for a small one.
    for (const Person* box : tree.boxesInArea(area)) {
        box->draw(dc, chart->settings(), box == selected);
        if (std::binary_search(marked.begin(), marked.end(), box->cell(), readingOrder))
            paintMark(dc, chart->settings().boxRect(box->cell()));
    }
    if (withColumn && columnOnTop)
        paintGenerationColumn(dc, *chart);
    if (selection && selection->frameShown)
        drawCellOutline(dc, chart->settings(), selection->current);
}

void paintRedLine(DrawContext& dc, const TreeSettings& settings, const RedLine& line)
{
    for (const Person* box : line.boxes)
        paintMark(dc, settings.boxRect(box->cell()), colours::red);
    dc.setPen(colours::red);
    for (const LineageMark& mark : line.connectors) {
        const Rect box = settings.boxRect(mark.box->cell());
        // A continuation box's connector runs its own way, and is not on a line.
        if (mark.box->kind() == BoxKind::Continuation)
            continue;
        const int middleX = (box.left + box.right) / 2, middleY = (box.top + box.bottom) / 2;
        if (mark.bits & 1)
            dc.drawLine({box.right, middleY}, {box.right + mark.box->rightLink(), middleY});
        if (mark.bits & 2)
            dc.drawLine({middleX, box.bottom}, {middleX, box.bottom + mark.box->downLink()});
    }
}

void drawCellOutline(DrawContext& dc, const TreeSettings& settings, Cell cell)
{
    dc.beginXorOutline({colours::white, true});
    dc.drawBox(settings.boxRect(cell), boxRoundness);
    dc.endXorOutline();
}
