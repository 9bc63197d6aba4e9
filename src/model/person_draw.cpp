// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/description_lines.h"
#include "model/draw_context.h"
#include "model/person.h"
#include "model/tree_settings.h"

namespace {

constexpr float boxRoundness = 0.15f;
constexpr double contStep = 0.15;
constexpr double anchorStep = 0.5;
constexpr int textInset = 2;
constexpr int clipInsetFar = 4;
constexpr int lineSpacing = 12;
constexpr std::string_view fontFace = "Arial";

void drawLines(DrawContext& dc, std::string_view text, Point corner, int firstBaseline,
               int smallFrom, bool boldStart)
{
    dc.setFont(fontFace, boldStart ? 16 : 14, boldStart);
    int i = 0;
    for (std::string_view line : descriptionLines(text)) {
        if (i == smallFrom)
            dc.setFont(fontFace, 14, false);
        dc.drawText({corner.x + textInset, corner.y + firstBaseline + lineSpacing * i}, line);
        ++i;
    }
}

// A box too small for any text inside its insets shows none: an empty clip
// rectangle would mean no clipping at all.
bool hasRoomForText(const Rect& clip) { return clip.left < clip.right && clip.top < clip.bottom; }

} // namespace

void Person::draw(DrawContext& dc, const TreeSettings& s, bool selected) const
{
    const Point origin = s.cellOrigin(cell());
    const int x = origin.x, y = origin.y, w = s.boxWidth, h = s.boxHeight;
    const Detail detail = detailAt(dc.scale());
    // Cells are too small for plain connectors to show; the lineage's red stays.
    const bool plainConnectors = detail != Detail::Cells;
    const bool redRight = lineage == 1 || lineage == 3, redDown = lineage == 2 || lineage == 3;

    if (rightLink() != 0 && (plainConnectors || redRight)) {
        dc.setPen(redRight ? colours::red : colours::darkblue);
        dc.drawLine({x + w, y + h / 2}, {x + w + rightLink(), y + h / 2});
    }
    if (downLink() != 0 && (plainConnectors || redDown)) {
        dc.setPen(redDown ? colours::red : colours::darkblue);
        dc.drawLine({x + w / 2, y + h}, {x + w / 2, y + h + downLink()});
    }
    // A selected box turns dark, its own colour for the text.
    const Colour colour = fillColour(colours::paleyellow);
    const Colour outline = selected ? colour : colours::darkblue;
    const Colour fill = selected ? colours::darkblue : colour;
    if (detail == Detail::Cells) {
        // Too small for a red line to show: a lineage box is a red cell.
        dc.fillBackground(lineage != 0 && !selected ? colours::red : fill, {x, y, x + w, y + h});
        return;
    }
    dc.setPen(outline);
    dc.setBrush(fill);
    dc.drawBox({x, y, x + w, y + h}, boxRoundness);
    const Rect clip{x + textInset, y + textInset, x + w - clipInsetFar, y + h - clipInsetFar};
    if (detail != Detail::Full || !hasRoomForText(clip))
        return;
    dc.setClip(clip);
    dc.setTextColours(outline, fill);
    drawLines(dc, text, {x, y}, 16, smallFontStart(s.smallFontLine, nameLines()), true);
    dc.setClip({});
}

void ContPerson::draw(DrawContext& dc, const TreeSettings& s, bool selected) const
{
    const Point origin = s.cellOrigin(cell());
    const int x = origin.x, y = origin.y, w = s.boxWidth, h = s.boxHeight;
    const DirectionFactors f = directionFactors(direction());

    if (direction() < 4) {
        const Point anchor{x + scaled(w, anchorStep) * f.x, y + scaled(h, anchorStep) * f.y};
        const Point end{anchor.x + rightLink() * (f.x - 1), anchor.y + downLink() * (f.y - 1)};
        dc.setPen(colours::darkblue);
        dc.drawLine(anchor, end);
    }
    const int bw = scaled(w, continuationScale), bh = scaled(h, continuationScale);
    const Point corner{x + scaled(w, contStep) * f.x, y + scaled(h, contStep) * f.y};
    const Colour colour = fillColour(colours::palecyan);
    const Colour outline = selected ? colour : colours::darkblue;
    const Colour fill = selected ? colours::darkblue : colour;
    const Detail detail = detailAt(dc.scale());
    if (detail == Detail::Cells) {
        dc.fillBackground(fill, {corner.x, corner.y, corner.x + bw, corner.y + bh});
        return;
    }
    dc.setPen(outline);
    dc.setBrush(fill);
    dc.drawBox({corner.x, corner.y, corner.x + bw, corner.y + bh}, boxRoundness);
    const Rect clip{corner.x + textInset, corner.y + textInset, corner.x + bw - clipInsetFar,
                    corner.y + bh - clipInsetFar};
    if (detail != Detail::Full || !hasRoomForText(clip))
        return;
    dc.setClip(clip);
    dc.setTextColours(outline, fill);
    drawLines(dc, text, corner, 14, -1, false);
    dc.setClip({});
}
