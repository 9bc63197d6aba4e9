// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/svg_draw_context.h"

#include "model/text_codec.h"
#include "view/qt_draw_context.h"
#include "view/qt_font.h"
#include "view/render_output.h"

#include <QPainterPath>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int maxFontHeight = 1000;

std::string hex(Colour colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(colour), greenOf(colour),
                  blueOf(colour));
    return text;
}

std::string number(int value) { return std::to_string(value); }

// Half a whole number, as short as it can be written.
std::string half(int value) { return std::to_string(value / 2) + (value % 2 ? ".5" : ""); }

// Two decimals at most, no trailing zeros.
std::string decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string out = text;
    out.erase(out.find_last_not_of('0') + 1);
    if (out.back() == '.')
        out.pop_back();
    return out == "-0" ? "0" : out;
}

// A pixel centre: the stroke of a one-pixel pen covers exactly that pixel.
std::string centre(int value) { return std::to_string(value) + ".5"; }

std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Corners in any order.
Rect normalised(const Rect& rect)
{
    return {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
            std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

} // namespace

SvgDrawContext::SvgDrawContext(RenderOutput& out, Size size, std::string_view title)
    : out_(out),
      size_(size),
      font_(chartFont("Arial", 16, true)),
      fontFamily_("Arial")
{
    const std::string width = number(size.width), height = number(size.height);
    out_.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
               "xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
               width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
               "\" shape-rendering=\"crispEdges\">\n<title>" + escaped(displayText(title)) +
               "</title>\n");
}

SvgDrawContext::~SvgDrawContext()
{
    out_.write("</svg>\n");
    out_.flush();
}

Rect SvgDrawContext::clipBox() const { return {0, 0, size_.width, size_.height}; }

const std::string& SvgDrawContext::styleClass(const std::string& declarations)
{
    auto found = classes_.find(declarations);
    if (found != classes_.end())
        return found->second;
    std::string name = "c" + std::to_string(classes_.size());
    out_.write("<style>." + name + "{" + declarations + "}</style>\n");
    return classes_.emplace(declarations, std::move(name)).first->second;
}

void SvgDrawContext::fillBackground(Colour colour, const Rect& rect)
{
    const Rect area = normalised(rect.isEmpty() ? clipBox() : rect);
    out_.write("<rect class=\"" + styleClass("fill:" + hex(colour)) + "\" x=\"" +
               number(area.left) + "\" y=\"" + number(area.top) + "\" width=\"" +
               number(area.right - area.left) + "\" height=\"" + number(area.bottom - area.top) +
               "\"/>\n");
}

void SvgDrawContext::setClip(const Rect& rect)
{
    clip_ = rect.isEmpty() ? Rect{} : normalised(rect);
}

void SvgDrawContext::setPen(Colour colour)
{
    if (colour != noColour)
        pen_ = colour;
}

void SvgDrawContext::setBrush(Colour colour) { brush_ = colour; }

void SvgDrawContext::setFont(std::string_view face, int height, bool bold)
{
    if (height < 1 || height > maxFontHeight)
        return;
    font_ = chartFont(face, height, bold);
    fontFamily_ = face;
    fontBold_ = bold;
}

void SvgDrawContext::setTextColours(Colour text, Colour /*background*/)
{
    if (text != noColour)
        textColour_ = text;
}

void SvgDrawContext::drawBox(const Rect& rect, float roundness)
{
    const Rect box = normalised(rect);
    const int width = box.right - box.left, height = box.bottom - box.top;
    if (width <= 0 || height <= 0)
        return;
    const std::string fill = brush_ == noColour ? "none" : hex(brush_);
    std::string element = "<rect class=\"" + styleClass("fill:" + fill + ";stroke:" + hex(pen_)) +
                          "\" x=\"" + centre(box.left) + "\" y=\"" + centre(box.top) +
                          "\" width=\"" + number(width - 1) + "\" height=\"" + number(height - 1) +
                          "\"";
    if (roundness != 0) {
        const QSize ellipse = QtDrawContext::cornerEllipse(rect, roundness);
        element += " rx=\"" + half(ellipse.width()) + "\" ry=\"" + half(ellipse.height()) + "\"";
    }
    out_.write(element + "/>\n");
    out_.step();
}

void SvgDrawContext::drawLine(Point from, Point to)
{
    const int dx = to.x - from.x, dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;
    if (steps == 1) {
        // Only the start pixel.
        out_.write("<rect class=\"" + styleClass("fill:" + hex(pen_)) + "\" x=\"" + number(from.x) +
                   "\" y=\"" + number(from.y) + "\" width=\"1\" height=\"1\"/>\n");
        return;
    }
    // Up to the last pixel before the end point; the square cap covers both ends.
    const double keep = double(steps - 1) / steps;
    const int lastX = from.x + int(std::lround(dx * keep));
    const int lastY = from.y + int(std::lround(dy * keep));
    std::string path = "M" + centre(from.x) + " " + centre(from.y);
    if (lastY == from.y)
        path += "H" + centre(lastX);
    else if (lastX == from.x)
        path += "V" + centre(lastY);
    else
        path += "L" + centre(lastX) + " " + centre(lastY);
    out_.write("<path class=\"" +
               styleClass("fill:none;stroke-linecap:square;stroke:" + hex(pen_)) + "\" d=\"" +
               path + "\"/>\n");
}

void SvgDrawContext::drawText(Point bottomLeft, std::string_view bytes)
{
    if (bytes.empty())
        return;
    const std::string utf8 = displayText(bytes);
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    const QPoint baseline(bottomLeft.x,
                          bottomLeft.y - font_->metrics.height() + font_->metrics.ascent());
    const QRect ink = font_->metrics.tightBoundingRect(text).translated(baseline);
    const QRect clip(clip_.left, clip_.top, clip_.right - clip_.left, clip_.bottom - clip_.top);
    if (!clip_.isEmpty() && !clip.contains(ink)) {
        if (clip.intersects(ink))
            writeCutText(baseline, text, clip);
        return;
    }
    out_.write("<text class=\"" +
               styleClass("font-family:" + fontFamily_ +
                          ",sans-serif;font-size:" + std::to_string(font_->font.pixelSize()) +
                          "px;font-weight:" + (fontBold_ ? "bold" : "normal") +
                          ";white-space:pre;fill:" + hex(textColour_)) +
               "\" x=\"" + number(baseline.x()) + "\" y=\"" + number(baseline.y()) + "\">" +
               escaped(utf8) + "</text>\n");
}

// Viewers differ on clip paths: text crossing the clip becomes its glyph
// outlines, cut there.
void SvgDrawContext::writeCutText(QPoint baseline, const QString& text, const QRect& clip)
{
    QPainterPath glyphs;
    glyphs.addText(baseline, font_->font, text);
    QPainterPath area;
    area.addRect(clip);
    const QPainterPath cut = glyphs.intersected(area);
    std::string path;
    for (int i = 0; i < cut.elementCount(); ++i) {
        const QPainterPath::Element element = cut.elementAt(i);
        if (element.isMoveTo())
            path += 'M';
        else if (element.isLineTo())
            path += 'L';
        else if (element.isCurveTo())
            path += 'C';
        else
            path += ' ';
        path += decimal(element.x) + " " + decimal(element.y);
    }
    out_.write("<path class=\"" + styleClass("fill:" + hex(textColour_)) + "\" d=\"" + path +
               "\"/>\n");
}
