// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/svg_draw_context.h"

#include "base/control_characters.h"
#include "base/markup_escape.h"
#include "model/text_codec.h"
#include "render/qt_draw_context.h"
#include "render/qt_font.h"
#include "render/render_output.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int maxFontHeight = 1000;

// Without printf: every box asks for two.
std::string hex(Colour colour)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text = "#";
    for (const int byte : {redOf(colour), greenOf(colour), blueOf(colour)}) {
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    return text;
}

std::string number(int value) { return std::to_string(value); }

// Half a whole number, as short as it can be written.
std::string half(int value) { return std::to_string(value / 2) + (value % 2 ? ".5" : ""); }

// A pixel centre: the stroke of a one-pixel pen covers exactly that pixel.
std::string centre(int value) { return std::to_string(value) + ".5"; }

// Text as XML may hold it: a control character, which no XML parser accepts
// (some not even as a reference), shows as U+FFFD.
std::string xmlText(std::string_view utf8)
{
    return escapedMarkup(withControlsReplaced(utf8, "\t\n\r"));
}

// Corners in any order.
Rect normalised(const Rect& rect)
{
    return {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
            std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

} // namespace

SvgDrawContext::SvgDrawContext(RenderOutput& out, const Rect& area, std::string_view title)
    : out_(out),
      area_(area),
      size_{area.right - area.left, area.bottom - area.top},
      font_(chartFont("Arial", 16, true)),
      fontFamily_("Arial")
{
    const std::string width = number(size_.width), height = number(size_.height);
    out_.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
               "xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
               width + "\" height=\"" + height + "\" viewBox=\"" + number(area.left) + " " +
               number(area.top) + " " + width + " " + height +
               "\" shape-rendering=\"crispEdges\">\n<title>" + xmlText(displayText(title)) +
               "</title>\n");
}

void SvgDrawContext::finish()
{
    closeClipGroup();
    out_.write("</svg>\n");
    out_.flush();
}

Rect SvgDrawContext::clipBox() const { return area_; }

const std::string& SvgDrawContext::styleClass(const std::string& declarations)
{
    auto found = classes_.find(declarations);
    if (found != classes_.end())
        return found->second;
    std::string name = 'c' + std::to_string(classes_.size());
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
    closeClipGroup();
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
    std::string path = 'M' + centre(from.x) + ' ' + centre(from.y);
    if (lastY == from.y)
        path += 'H' + centre(lastX);
    else if (lastX == from.x)
        path += 'V' + centre(lastY);
    else
        path += 'L' + centre(lastX) + ' ' + centre(lastY);
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
    QPoint baseline(bottomLeft.x, bottomLeft.y - font_->metrics.height() + font_->metrics.ascent());
    if (!clip_.isEmpty()) {
        const TextAgainstClip where =
            textAgainstClip(*font_, text, bottomLeft, clip_, clipGroupOpen_);
        if (where == TextAgainstClip::Outside)
            return;
        if (where == TextAgainstClip::Crossing) {
            openClipGroup();
            baseline -= QPoint(clip_.left, clip_.top);
        }
    }
    out_.write("<text class=\"" +
               styleClass("font-family:" + fontFamily_ +
                          ";font-size:" + std::to_string(font_->font.pixelSize()) +
                          "px;font-weight:" + (fontBold_ ? "bold" : "normal") +
                          ";white-space:pre;fill:" + hex(textColour_)) +
               "\" x=\"" + number(baseline.x()) + "\" y=\"" + number(baseline.y()) + "\">" +
               xmlText(utf8) + "</text>\n");
}

// A box's clip is the same size as every other box's: one clip path per size,
// placed by the group's offset.
void SvgDrawContext::openClipGroup()
{
    if (clipGroupOpen_)
        return;
    const int width = clip_.right - clip_.left, height = clip_.bottom - clip_.top;
    auto [path, added] = clipPaths_.emplace(std::make_pair(width, height), "");
    if (added) {
        path->second = 'k' + std::to_string(clipPaths_.size() - 1);
        out_.write("<defs><clipPath id=\"" + path->second + "\"><rect width=\"" + number(width) +
                   "\" height=\"" + number(height) + "\"/></clipPath></defs>\n");
    }
    out_.write("<g clip-path=\"url(#" + path->second + ")\" transform=\"translate(" +
               number(clip_.left) + " " + number(clip_.top) + ")\">\n");
    clipGroupOpen_ = true;
}

void SvgDrawContext::closeClipGroup()
{
    if (clipGroupOpen_)
        out_.write("</g>\n");
    clipGroupOpen_ = false;
}
