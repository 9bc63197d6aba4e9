// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/pdf_draw_context.h"

#include "model/text_codec.h"
#include "render/qt_draw_context.h"
#include "render/qt_font.h"
#include "render/render_output.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

constexpr int maxFontHeight = 1000;
constexpr std::size_t drawingPiece = 1 << 16;
constexpr double pointsPerPixel = 0.75;
// Readers refuse or clamp a page side longer than this many units (200 inches).
constexpr double longestPageSide = 14400;
// A quarter ellipse as a Bézier curve: control points this far along the tangents.
constexpr double kappa = 0.5523;
// Drawing operators repeat so much that the default level's longer searches
// take four times as long for a file 4 % smaller.
constexpr int compressionLevel = 5;

// Objects in the order written: the page's content (1) and its length (2) come
// first, as they are made while drawing; the fonts follow the rest.
enum Object { Content = 1, ContentLength, Catalog, Pages, Page, Info, FirstFont };

// Up to `places` decimals, no trailing zeros. to_chars rounds as printf does,
// many times faster: a box's outline has dozens of numbers.
std::string decimals(double value, int places)
{
    char text[400];
    char* end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places).ptr;
    if (std::find(text, end, '.') != end) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    const std::string_view out(text, std::size_t(end - text));
    return out == "-0" ? "0" : std::string(out);
}

// Two decimals. Most numbers are whole or half pixels: hundredths that come out
// whole round to themselves and need no general formatting.
std::string num(double value)
{
    const double hundredths = value * 100;
    if (hundredths != std::trunc(hundredths) || std::abs(hundredths) >= 1e15)
        return decimals(value, 2);
    const long long whole = static_cast<long long>(hundredths);
    const long long size = whole < 0 ? -whole : whole;
    std::string out = whole < 0 ? "-" : "";
    out += std::to_string(size / 100);
    if (const int rest = int(size % 100); rest != 0) {
        out += '.';
        out += char('0' + rest / 10);
        if (rest % 10 != 0)
            out += char('0' + rest % 10);
    }
    return out;
}

std::string num(int value) { return std::to_string(value); }

// The page's scale and size, where two decimals would move a far box.
std::string precise(double value) { return decimals(value, 6); }

// The whole number of points a page unit must stand for so that no side of the
// page is longer than readers take.
int userUnitFor(Size size)
{
    const double longest = std::max(size.width, size.height) * pointsPerPixel;
    return std::max(1, int(std::ceil(longest / longestPageSide)));
}

// Four decimals bring each component back to its byte; each is written once.
const std::string& component(int value)
{
    static const std::array<std::string, 256> components = [] {
        std::array<std::string, 256> texts;
        char text[16];
        for (int byte = 0; byte < 256; ++byte)
            texts[std::size_t(byte)].assign(
                text,
                std::to_chars(text, text + sizeof text, byte / 255.0, std::chars_format::general, 4)
                    .ptr);
        return texts;
    }();
    return components[std::size_t(value)];
}

std::string rgb(Colour colour)
{
    return component(redOf(colour)) + " " + component(greenOf(colour)) + " " +
           component(blueOf(colour));
}

// A PDF text string in UTF-16, as hex digits.
std::string pdfText(std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    std::string out = "<FEFF";
    char digits[8];
    for (QChar c : text) {
        std::snprintf(digits, sizeof digits, "%04X", unsigned(c.unicode()));
        out += digits;
    }
    return out + ">";
}

Rect normalised(const Rect& rect)
{
    return {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
            std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

std::string rectangle(double left, double top, double width, double height)
{
    return num(left) + " " + num(top) + " " + num(width) + " " + num(height) + " re\n";
}

// A rounded rectangle's outline from its top-left, clockwise (y grows down).
std::string roundedOutline(double l, double t, double r, double b, double rx, double ry)
{
    const double cx = rx * kappa, cy = ry * kappa;
    const auto point = [](double x, double y) { return num(x) + " " + num(y) + " "; };
    return point(l + rx, t) + "m\n" + point(r - rx, t) + "l\n" + point(r - rx + cx, t) +
           point(r, t + ry - cy) + point(r, t + ry) + "c\n" + point(r, b - ry) + "l\n" +
           point(r, b - ry + cy) + point(r - rx + cx, b) + point(r - rx, b) + "c\n" +
           point(l + rx, b) + "l\n" + point(l + rx - cx, b) + point(l, b - ry + cy) +
           point(l, b - ry) + "c\n" + point(l, t + ry) + "l\n" + point(l, t + ry - cy) +
           point(l + rx - cx, t) + point(l + rx, t) + "c\nh\n";
}

} // namespace

PdfDrawContext::PdfDrawContext(RenderOutput& out, const Rect& area, std::string_view title)
    : out_(out),
      area_(area),
      size_{area.right - area.left, area.bottom - area.top},
      userUnit_(userUnitFor(size_)),
      title_(displayText(title)),
      objectStarts_(1, 0),
      pen_(namedColour("black")),
      brush_(colours::white),
      textColour_(namedColour("black")),
      font_(chartFont("Arial", 16, true))
{
    if (deflateInit(&zip_, compressionLevel) != Z_OK)
        throw std::bad_alloc();
    // A page unit of more than a point came with PDF 1.6.
    put(userUnit_ > 1 ? "%PDF-1.6\n%\xE2\xE3\xCF\xD3\n" : "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    startObject();
    put("<</Length " + num(int(ContentLength)) + " 0 R/Filter/FlateDecode>>\nstream\n");
    // Chart pixels, y growing down, one pixel per 1/96 inch; round caps would
    // reach past a line's ends.
    const double scale = pageScale();
    draw(precise(scale) + " 0 0 -" + precise(scale) + " " + precise(-area.left * scale) + " " +
         precise((size_.height + area.top) * scale) + " cm\n1 w 2 J 0 j\n");
}

// Nothing is written here: a render stopped by an exception leaves its file
// unfinished, and writing could throw again.
PdfDrawContext::~PdfDrawContext() { deflateEnd(&zip_); }

void PdfDrawContext::finish()
{
    closeClip();
    compress(Z_FINISH);
    put("\nendstream\nendobj\n");
    startObject();
    put(num(int(compressedLength_)) + "\nendobj\n");
    startObject();
    put("<</Type/Catalog/Pages " + num(int(Pages)) + " 0 R>>\nendobj\n");
    startObject();
    put("<</Type/Pages/Kids[" + num(int(Page)) + " 0 R]/Count 1>>\nendobj\n");
    std::string fonts;
    for (int font = 0; font < fonts_.count(); ++font)
        fonts += "/F" + num(font) + " " + num(FirstFont + font * PdfFonts::objectsPerFont) + " 0 R";
    startObject();
    const double scale = pageScale();
    put("<</Type/Page/Parent " + num(int(Pages)) + " 0 R/MediaBox[0 0 " +
        precise(size_.width * scale) + " " + precise(size_.height * scale) + "]" +
        (userUnit_ > 1 ? "/UserUnit " + num(userUnit_) : std::string()) + "/Resources<</Font<<" +
        fonts + ">>>>/Contents " + num(int(Content)) + " 0 R>>\nendobj\n");
    startObject();
    put("<</Title" + pdfText(title_) + "/Creator(Stirpa)>>\nendobj\n");
    for (int font = 0; font < fonts_.count(); ++font) {
        const int first = FirstFont + font * PdfFonts::objectsPerFont;
        for (const std::string& body : fonts_.objects(font, first)) {
            startObject();
            put(body + "\nendobj\n");
        }
    }
    const long long index = written_;
    const int count = int(objectStarts_.size());
    put("xref\n0 " + num(count) + "\n0000000000 65535 f \n");
    for (int object = 1; object < count; ++object) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n",
                      objectStarts_[std::size_t(object)]);
        put(entry);
    }
    put("trailer\n<</Size " + num(count) + "/Root " + num(int(Catalog)) + " 0 R/Info " +
        num(int(Info)) + " 0 R>>\nstartxref\n" + std::to_string(index) + "\n%%EOF\n");
    out_.flush();
}

double PdfDrawContext::pageScale() const { return pointsPerPixel / userUnit_; }

void PdfDrawContext::put(const std::string& bytes)
{
    out_.write(bytes);
    written_ += (long long)bytes.size();
}

void PdfDrawContext::startObject()
{
    objectStarts_.push_back(written_);
    put(num(int(objectStarts_.size() - 1)) + " 0 obj\n");
}

void PdfDrawContext::draw(const std::string& operators)
{
    pending_ += operators;
    if (pending_.size() >= drawingPiece)
        compress(Z_NO_FLUSH);
}

void PdfDrawContext::compress(int flush)
{
    zip_.next_in = reinterpret_cast<Bytef*>(pending_.data());
    zip_.avail_in = uInt(pending_.size());
    char buffer[1 << 14];
    int status;
    do {
        zip_.next_out = reinterpret_cast<Bytef*>(buffer);
        zip_.avail_out = sizeof buffer;
        status = deflate(&zip_, flush);
        const std::size_t made = sizeof buffer - zip_.avail_out;
        put(std::string(buffer, made));
        compressedLength_ += (long long)made;
    } while (zip_.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    pending_.clear();
}

Rect PdfDrawContext::clipBox() const { return area_; }

void PdfDrawContext::fillBackground(Colour colour, const Rect& rect)
{
    const Rect area = normalised(rect.isEmpty() ? clipBox() : rect);
    draw(rgb(colour) + " rg\n" +
         rectangle(area.left, area.top, area.right - area.left, area.bottom - area.top) + "f\n");
}

void PdfDrawContext::setClip(const Rect& rect)
{
    closeClip();
    clip_ = rect.isEmpty() ? Rect{} : normalised(rect);
}

void PdfDrawContext::closeClip()
{
    if (clipOpen_)
        draw("Q\n");
    clipOpen_ = false;
}

void PdfDrawContext::setPen(Colour colour)
{
    if (colour != noColour)
        pen_ = colour;
}

void PdfDrawContext::setBrush(Colour colour) { brush_ = colour; }

void PdfDrawContext::setFont(std::string_view face, int height, bool bold)
{
    if (height < 1 || height > maxFontHeight)
        return;
    font_ = chartFont(face, height, bold);
}

void PdfDrawContext::setTextColours(Colour text, Colour /*background*/)
{
    if (text != noColour)
        textColour_ = text;
}

void PdfDrawContext::drawBox(const Rect& rect, float roundness)
{
    const Rect box = normalised(rect);
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    // Through the centres of the edge pixels.
    const double l = box.left + 0.5, t = box.top + 0.5, r = box.right - 0.5, b = box.bottom - 0.5;
    std::string operators = rgb(pen_) + " RG\n";
    if (brush_ != noColour)
        operators += rgb(brush_) + " rg\n";
    if (roundness == 0) {
        operators += rectangle(l, t, r - l, b - t);
    } else {
        const QSize ellipse = QtDrawContext::cornerEllipse(rect, roundness);
        operators += roundedOutline(l, t, r, b, ellipse.width() / 2.0, ellipse.height() / 2.0);
    }
    draw(operators + (brush_ == noColour ? "S\n" : "B\n"));
    out_.step();
}

void PdfDrawContext::drawLine(Point from, Point to)
{
    const int dx = to.x - from.x, dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;
    if (steps == 1) {
        draw(rgb(pen_) + " rg\n" + rectangle(from.x, from.y, 1, 1) + "f\n");
        return;
    }
    // Up to the last pixel before the end point; the square cap covers both ends.
    const double keep = double(steps - 1) / steps;
    const double lastX = from.x + std::round(dx * keep), lastY = from.y + std::round(dy * keep);
    draw(rgb(pen_) + " RG\n" + num(from.x + 0.5) + " " + num(from.y + 0.5) + " m " +
         num(lastX + 0.5) + " " + num(lastY + 0.5) + " l S\n");
}

void PdfDrawContext::drawText(Point bottomLeft, std::string_view bytes)
{
    if (bytes.empty())
        return;
    const int baseline = bottomLeft.y - font_->metrics.height() + font_->metrics.ascent();
    const std::string utf8 = displayText(bytes);
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    if (!clip_.isEmpty()) {
        const TextAgainstClip where = textAgainstClip(*font_, text, bottomLeft, clip_, clipOpen_);
        if (where == TextAgainstClip::Outside)
            return;
        if (where == TextAgainstClip::Crossing && !clipOpen_) {
            draw("q\n" +
                 rectangle(clip_.left, clip_.top, clip_.right - clip_.left,
                           clip_.bottom - clip_.top) +
                 "W n\n");
            clipOpen_ = true;
        }
    }
    // Text space is flipped back upright.
    std::string operators = rgb(textColour_) + " rg\nBT\n";
    const std::string size = num(font_->font.pixelSize());
    for (const PdfFonts::Run& run : fonts_.runs(*font_, text))
        operators += "/F" + num(run.font) + " " + size + " Tf 1 0 0 -1 " +
                     (run.offset == 0 ? num(bottomLeft.x) : num(bottomLeft.x + run.offset)) + " " +
                     num(baseline) + " Tm <" + run.glyphs + "> Tj\n";
    draw(operators + "ET\n");
}
