// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/colour_key.h"

#include "model/chart.h"
#include "model/draw_context.h"

#include <algorithm>

namespace {
constexpr int swatch = 14;
constexpr int rowHeight = 20;
constexpr int slotWidth = 190; // a swatch and a name of about 20 letters
constexpr int fontHeight = 14;
} // namespace

void paintColourKey(DrawContext& dc, const Chart& chart, const std::vector<LegendEntry>& legend)
{
    if (legend.empty())
        return;
    const Tree& tree = chart.tree();
    const Rect drawn = tree.drawnArea();
    const TreeSettings& s = chart.settings();
    const int top = tree.boxExtent().y + s.boxHeight + gapY / 2;
    const int perRow = std::max(1, (drawn.right - originX) / slotWidth);
    const Rect clip = dc.clipBox();
    dc.setFont("Arial", fontHeight, false);
    dc.setTextColours(colours::darkblue, noColour);
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const int x = originX + int(i % std::size_t(perRow)) * slotWidth;
        const int y = top + int(i / std::size_t(perRow)) * rowHeight;
        if (y + rowHeight > drawn.bottom)
            break;
        const Rect slot{x, y, x + slotWidth - 6, y + rowHeight};
        if (!clip.isEmpty() && (slot.right < clip.left || slot.left > clip.right ||
                                slot.bottom < clip.top || slot.top > clip.bottom))
            continue;
        dc.setPen(colours::darkblue);
        dc.setBrush(legend[i].colour);
        dc.drawBox({x, y + 2, x + swatch, y + 2 + swatch}, 0);
        dc.setClip(slot);
        dc.drawText({x + swatch + 5, y + 2 + swatch}, legend[i].label);
        dc.setClip({});
    }
}
