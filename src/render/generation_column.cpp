// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/generation_column.h"

#include "model/chart.h"
#include "model/draw_context.h"
#include "model/place_name.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {
// A number's text lies above its bottom; no font the chart uses is taller.
constexpr int textReach = 256;
constexpr int numberHeight = 16;
// Zoomed out, the numbers keep this many device pixels while a level has room.
constexpr double legibleHeight = 11;
} // namespace

void paintGenerationColumn(DrawContext& dc, const Chart& chart)
{
    if (!generationColumnShown(chart))
        return;
    const TreeSettings& s = chart.settings();
    const Person* deepest = chart.tree().deepestPerson();

    const int levels = deepest->level() + 1;
    const int pitch = s.pitchY();
    const int half = pitch / 2;
    dc.setPen(colours::darkblue);
    dc.setBrush(colours::generationFill);
    dc.drawBox({0, 0, generationColumnWidth, levels * pitch - half + originY + 20}, 0);
    dc.setTextColours(colours::darkblue, colours::paleblue);
    // At full size the numbers take the surface's font; zoomed out, a larger one,
    // and once a level is lower than a legible number, one number for several.
    const double legible = legibleHeight / dc.scale();
    const int every = std::max(1, int(std::ceil(legible / pitch)));
    const int height = std::max(numberHeight, int(legible));
    const bool grown = generationNumbersGrown(dc.scale());
    if (grown)
        dc.setFont("Arial", height, true);

    const bool downward = s.generationMode == 'd';
    // Text bottoms grow by one pitch per level; only the levels whose numbers
    // can reach the area being drawn are written.
    int firstBottom = downward ? originY + 20 + (pitch - 2 * half) : originY + 40;
    // A grown number reaches far above its level: all move down enough for the
    // first to start at the chart's top rather than above it.
    if (grown)
        firstBottom = std::max(firstBottom, height);
    const Rect clip = dc.clipBox();
    int fromLevel = 0, toLevel = levels - 1;
    if (!clip.isEmpty()) {
        fromLevel = std::max(fromLevel, (clip.top - firstBottom) / pitch - 1);
        toLevel = std::min(toLevel,
                           (clip.bottom + std::max(textReach, height) - firstBottom) / pitch + 1);
    }
    for (int level = toLevel; level >= fromLevel; --level) {
        if (level % every != 0)
            continue;
        dc.drawText({2, level * pitch + firstBottom},
                    std::to_string(generationNumber(s, level, levels)));
    }
}

bool generationNumbersGrown(double scale) { return legibleHeight / scale > numberHeight; }

bool generationColumnShown(const Chart& chart)
{
    return chart.settings().generationMode != 'h' && chart.tree().deepestPerson();
}
