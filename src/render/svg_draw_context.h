// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/draw_context.h"

#include <map>
#include <string>

class RenderOutput;
struct QtFont;

// Writes SVG as the chart is drawn, straight to the output: each combination of
// colours and font becomes one style class, declared before its first use, so
// a box costs a few short elements. Follows the pixel rules of QtDrawContext
// (outlines through pixel centres, lines without their end point); text that
// crosses the clip is cut there by a clip path. Each box drawn is a step
// of the output's progress.
class SvgDrawContext : public DrawContext {
public:
    // Writes the document's start: a picture of size pixels named title.
    SvgDrawContext(RenderOutput& out, const Rect& area, std::string_view title);
    // Writes the document's end, once the drawing is done.
    void finish();
    SvgDrawContext(const SvgDrawContext&) = delete;
    SvgDrawContext& operator=(const SvgDrawContext&) = delete;

    Size clientSize() const override { return {}; }
    Rect clipBox() const override;

    void fillBackground(Colour colour, const Rect& rect) override;
    void setClip(const Rect& rect) override;
    void setPen(Colour colour) override;
    void setBrush(Colour colour) override;
    void setFont(std::string_view face, int height, bool bold) override;
    void setTextColours(Colour text, Colour background) override;
    void drawBox(const Rect& rect, float roundness) override;
    void drawLine(Point from, Point to) override;
    void drawText(Point bottomLeft, std::string_view bytes) override;
    // Outlines cannot be taken back from a file: none are drawn.
    void beginXorOutline(const OutlinePen&) override {}
    void endXorOutline() override {}

private:
    // The class of a style, declared on first use.
    const std::string& styleClass(const std::string& declarations);
    // Text crossing the clip goes into a group cut at the clip, open until the
    // clip changes.
    void openClipGroup();
    void closeClipGroup();

    RenderOutput& out_;
    Rect area_; // the chart pixels pictured
    Size size_;
    std::map<std::string, std::string> classes_;
    Colour pen_ = namedColour("black");
    Colour brush_ = colours::white;
    Colour textColour_ = namedColour("black");
    const QtFont* font_;
    std::string fontFamily_;
    bool fontBold_ = true;
    Rect clip_{};
    bool clipGroupOpen_ = false;
    std::map<std::pair<int, int>, std::string> clipPaths_;
};
