// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/draw_context.h"
#include "render/pdf_fonts.h"

#include <zlib.h>

#include <string>
#include <vector>

class RenderOutput;
struct QtFont;

// Writes a one-page PDF the size of the chart as it is drawn, straight to the
// output: the page's drawing is compressed piece by piece, so no part of the
// file is held whole. Text is set in the fonts the screen uses, each embedded
// at the end as a subset of the glyphs drawn, and reads back as the same
// characters. A page longer than readers take (200 inches) counts in units
// of several points (UserUnit), its text still text. Follows the pixel
// rules of QtDrawContext; text crossing the clip is cut there. Each box drawn
// is a step of the output's progress.
class PdfDrawContext : public DrawContext {
public:
    PdfDrawContext(RenderOutput& out, const Rect& area, std::string_view title);
    ~PdfDrawContext() override;
    // Writes the rest of the file, once the drawing is done.
    void finish();
    PdfDrawContext(const PdfDrawContext&) = delete;
    PdfDrawContext& operator=(const PdfDrawContext&) = delete;

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
    // Page units per chart pixel.
    double pageScale() const;
    // Writes uncompressed bytes of the file, counting them for the index.
    void put(const std::string& bytes);
    void startObject();
    // Adds drawing operators to the page.
    void draw(const std::string& operators);
    void compress(int flush);
    void closeClip();

    RenderOutput& out_;
    Rect area_; // the chart pixels pictured
    Size size_;
    int userUnit_; // points per page unit
    std::string title_;
    long long written_ = 0;
    std::vector<long long> objectStarts_;
    z_stream zip_{};
    std::string pending_;
    long long compressedLength_ = 0;
    Colour pen_;
    Colour brush_;
    Colour textColour_;
    const QtFont* font_;
    PdfFonts fonts_;
    Rect clip_{};
    bool clipOpen_ = false;
};
