// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour.h"
#include "model/geometry.h"

#include <string_view>

// The one drawing interface of the program. Screen, printer and image output
// implement it; boxes, outlines and the generation column draw through it.
// Coordinates are chart pixels (the implementation applies any scroll offset).
// How much of a box a drawing at a given scale shows: text only where it can
// be read, and below that the frames, then only filled cells.
enum class Detail { Full, Frames, Cells };
constexpr Detail detailAt(double scale)
{
    return scale < 0.08 ? Detail::Cells : scale < 0.35 ? Detail::Frames : Detail::Full;
}

class DrawContext {
public:
    // The outline pen of a tracker.
    struct OutlinePen {
        Colour colour = colours::white;
        bool dashed = true;
    };

    virtual ~DrawContext() = default;

    // The size of the window's client area; 0 x 0 without a window.
    virtual Size clientSize() const = 0;
    // The area being drawn, in chart pixels.
    virtual Rect clipBox() const = 0;
    // Device pixels per chart pixel: a zoomed view draws less detail.
    virtual double scale() const { return 1.0; }

    // An empty rect stands for the whole client area. Leaves text transparent.
    virtual void fillBackground(Colour colour, const Rect& rect) = 0;
    // Removes any clipping, then clips to rect unless it is empty.
    virtual void setClip(const Rect& rect) = 0;
    // noColour changes nothing.
    virtual void setPen(Colour colour) = 0;
    // noColour selects the hollow brush.
    virtual void setBrush(Colour colour) = 0;
    // height is the character cell height in pixels.
    virtual void setFont(std::string_view face, int height, bool bold) = 0;
    // Each colour unless it is noColour.
    virtual void setTextColours(Colour text, Colour background) = 0;
    // Roundness 0 gives a plain rectangle; otherwise the corner ellipse is
    // trunc(width x roundness) by trunc(height x roundness).
    virtual void drawBox(const Rect& rect, float roundness) = 0;
    virtual void drawLine(Point from, Point to) = 0;
    // The point is the bottom-left corner of the text; bytes are decoded for display.
    virtual void drawText(Point bottomLeft, std::string_view bytes) = 0;
    // Outlines drawn between these two are XORed, so drawing one twice restores
    // the pixels.
    virtual void beginXorOutline(const OutlinePen& pen) = 0;
    virtual void endXorOutline() = 0;
};
