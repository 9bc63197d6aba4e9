// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/draw_context.h"
#include "model/tree_settings.h"

#include <vector>

// A drawing surface that remembers which boxes were drawn (by cell, selected or
// not) and which XOR outlines were drawn, and ignores everything else. Cells
// are found with the settings given.
class BoxDrawLog : public DrawContext {
public:
    explicit BoxDrawLog(const TreeSettings& settings = TreeSettings()) : settings_(settings) {}

    struct Drawn {
        Cell cell;
        bool selected;
        friend bool operator==(const Drawn&, const Drawn&) = default;
    };

    std::vector<Drawn> boxes;
    std::vector<Rect> outlines;

    void reset()
    {
        boxes.clear();
        outlines.clear();
    }

    Size clientSize() const override { return {800, 600}; }
    Rect clipBox() const override { return {0, 0, 800, 600}; }
    void fillBackground(Colour, const Rect&) override {}
    void setClip(const Rect&) override {}
    void setPen(Colour) override {}
    void setBrush(Colour colour) override { brush_ = colour; }
    void setFont(std::string_view, int, bool) override {}
    void setTextColours(Colour, Colour) override {}
    void drawBox(const Rect& rect, float) override
    {
        if (xor_)
            outlines.push_back(rect);
        else // a selected box is filled dark blue
            boxes.push_back(
                {settings_.cellUnder({rect.left, rect.top}), brush_ == colours::darkblue});
    }
    void drawLine(Point, Point) override {}
    void drawText(Point, std::string_view) override {}
    void beginXorOutline(const OutlinePen&) override { xor_ = true; }
    void endXorOutline() override { xor_ = false; }

private:
    TreeSettings settings_;
    Colour brush_ = noColour;
    bool xor_ = false;
};
