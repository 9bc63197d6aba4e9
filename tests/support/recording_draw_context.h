// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/draw_context.h"

#include <string>
#include <vector>

// A DrawContext that records every step with the state in force at that moment,
// so tests can check exact coordinates, colours and fonts.
class RecordingDrawContext : public DrawContext {
public:
    enum Kind {
        FillBackground,
        SetClip,
        SetPen,
        SetBrush,
        SetFont,
        SetTextColours,
        Box,
        Line,
        Text,
        BeginXor,
        EndXor
    };

    struct Step {
        Kind kind = FillBackground;
        Rect rect;                // FillBackground, SetClip, Box
        Point from, to;           // Line; Text uses `from`
        Colour colour = noColour; // FillBackground, SetPen, SetBrush, SetTextColours (text)
        Colour background = noColour;
        float roundness = 0;
        std::string text; // Text, SetFont (face)
        // The state when the step was taken.
        Colour pen = noColour, brush = noColour, textColour = noColour;
        int fontHeight = 0;
        bool bold = false;
        Rect clip;
        bool xor_ = false;
    };

    explicit RecordingDrawContext(Rect clipBox = {-1000000, -1000000, 1000000, 1000000},
                                  Size client = {800, 600})
        : clipBox_(clipBox),
          client_(client)
    {
    }

    Size clientSize() const override { return client_; }
    Rect clipBox() const override { return clipBox_; }
    double scale() const override { return drawScale; }

    // The zoom the drawing is told it has.
    double drawScale = 1.0;

    void fillBackground(Colour colour, const Rect& rect) override
    {
        Step& s = add(FillBackground);
        s.colour = colour;
        s.rect = rect;
    }
    void setClip(const Rect& rect) override
    {
        clip_ = rect;
        add(SetClip).rect = rect;
    }
    void setPen(Colour colour) override
    {
        if (colour != noColour)
            pen_ = colour;
        add(SetPen).colour = colour;
    }
    void setBrush(Colour colour) override
    {
        brush_ = colour;
        add(SetBrush).colour = colour;
    }
    void setFont(std::string_view face, int height, bool bold) override
    {
        fontHeight_ = height;
        bold_ = bold;
        add(SetFont).text = std::string(face);
    }
    void setTextColours(Colour text, Colour background) override
    {
        if (text != noColour)
            textColour_ = text;
        Step& s = add(SetTextColours);
        s.colour = text;
        s.background = background;
    }
    void drawBox(const Rect& rect, float roundness) override
    {
        Step& s = add(Box);
        s.rect = rect;
        s.roundness = roundness;
    }
    void drawLine(Point from, Point to) override
    {
        Step& s = add(Line);
        s.from = from;
        s.to = to;
    }
    void drawText(Point bottomLeft, std::string_view bytes) override
    {
        Step& s = add(Text);
        s.from = bottomLeft;
        s.text = std::string(bytes);
    }
    void beginXorOutline(const OutlinePen& pen) override
    {
        xor_ = true;
        pen_ = pen.colour;
        brush_ = noColour;
        add(BeginXor);
    }
    void endXorOutline() override
    {
        brush_ = noColour;
        add(EndXor);
        xor_ = false;
    }

    std::vector<Step> of(Kind kind) const
    {
        std::vector<Step> found;
        for (const Step& s : steps)
            if (s.kind == kind)
                found.push_back(s);
        return found;
    }

    std::vector<Step> steps;

private:
    Step& add(Kind kind)
    {
        Step s;
        s.kind = kind;
        s.pen = pen_;
        s.brush = brush_;
        s.textColour = textColour_;
        s.fontHeight = fontHeight_;
        s.bold = bold_;
        s.clip = clip_;
        s.xor_ = xor_;
        steps.push_back(s);
        return steps.back();
    }

    Rect clipBox_;
    Size client_;
    Colour pen_ = 0, brush_ = colours::white, textColour_ = 0;
    int fontHeight_ = 0;
    bool bold_ = false;
    Rect clip_;
    bool xor_ = false;
};
