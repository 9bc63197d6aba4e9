// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/qt_draw_context.h"

#include "model/text_codec.h"
#include "render/qt_font.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int maxFontHeight = 1000;

// Corners in any order to a QRect covering pixels left..right-1, top..bottom-1.
QRect pixelRect(const Rect& rect)
{
    const int left = std::min(rect.left, rect.right), right = std::max(rect.left, rect.right);
    const int top = std::min(rect.top, rect.bottom), bottom = std::max(rect.top, rect.bottom);
    return QRect(left, top, right - left, bottom - top);
}

// SVG output drops clip regions.
bool clipsNatively(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    return !engine || engine->type() != QPaintEngine::SVG;
}

// Only the raster engine applies XOR to pixels; vector engines claim the
// feature but would draw the outline as it is.
bool hasRasterOps(const QPainter& painter)
{
    const QPaintEngine* engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
}

} // namespace

QColor QtDrawContext::toQColor(Colour colour)
{
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

QSize QtDrawContext::cornerEllipse(const Rect& rect, float roundness)
{
    return {scaled(std::abs(rect.right - rect.left), roundness),
            scaled(std::abs(rect.bottom - rect.top), roundness)};
}

QtDrawContext::QtDrawContext(QPainter& painter, QPoint origin, Size client, const QRegion& area,
                             double scale)
    : painter_(painter),
      origin_(origin),
      client_(client),
      area_(area.translated(origin)),
      scale_(scale),
      pen_(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin),
      brush_(Qt::white),
      // The stand-in for a fresh surface's default font.
      font_(chartFont("Arial", 16, true)),
      clipsNatively_(clipsNatively(painter))
{
    painter_.save();
    // On top of the painter's own transform: a printed page scales the chart.
    base_ = painter_.worldTransform();
    setChartTransform();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setFont(font_->font);
    applyClip();
}

QtDrawContext::~QtDrawContext() { painter_.restore(); }

void QtDrawContext::setChartTransform()
{
    painter_.setWorldTransform(base_);
    painter_.translate(-origin_);
    painter_.scale(scale_, scale_);
}

QRect QtDrawContext::toScaled(const QRect& chartRect) const
{
    if (scale_ == 1.0)
        return chartRect;
    const QRectF scaled(chartRect.x() * scale_, chartRect.y() * scale_, chartRect.width() * scale_,
                        chartRect.height() * scale_);
    return scaled.toAlignedRect();
}

Rect QtDrawContext::clipBox() const
{
    const QPaintDevice* device = painter_.device();
    const QRect deviceRect(QPoint(), device ? QSize(device->width(), device->height()) : QSize());
    // Every chart pixel that reaches the device, the exposed area and the clip.
    QRectF box = painter_.worldTransform().inverted().mapRect(QRectF(deviceRect));
    if (!area_.isEmpty()) {
        const QRectF exposed = area_.boundingRect();
        box &= QRectF(exposed.topLeft() / scale_, exposed.size() / scale_);
    }
    if (!clip_.isNull())
        box &= QRectF(clip_);
    if (box.isEmpty())
        return {};
    const QRect pixels = box.toAlignedRect();
    return {pixels.left(), pixels.top(), pixels.left() + pixels.width(),
            pixels.top() + pixels.height()};
}

void QtDrawContext::applyClip()
{
    if (clip_.isNull() && area_.isEmpty()) {
        painter_.setClipping(false);
        return;
    }
    // The exposed area is in device pixels: the clip is set without the zoom.
    painter_.setWorldTransform(base_);
    painter_.translate(-origin_);
    if (clip_.isNull())
        painter_.setClipRegion(area_);
    else if (area_.isEmpty())
        painter_.setClipRect(toScaled(clip_));
    else
        painter_.setClipRegion(area_.intersected(toScaled(clip_)));
    setChartTransform();
}

void QtDrawContext::report(const QRect& chartRect)
{
    QRect changed = toScaled(chartRect);
    if (!clip_.isNull())
        changed &= toScaled(clip_);
    if (!changed.isEmpty())
        touched(changed.translated(-origin_));
}

void QtDrawContext::fillBackground(Colour colour, const Rect& rect)
{
    const QRect area = rect.isEmpty() ? QRect(0, 0, int(std::ceil(client_.width / scale_)),
                                              int(std::ceil(client_.height / scale_)))
                                      : pixelRect(rect);
    painter_.fillRect(area, toQColor(colour));
    report(area);
}

void QtDrawContext::setClip(const Rect& rect)
{
    clip_ = rect.isEmpty() ? QRect() : pixelRect(rect);
    applyClip();
}

void QtDrawContext::setPen(Colour colour)
{
    if (colour == noColour)
        return;
    pen_ = QPen(toQColor(colour), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void QtDrawContext::setBrush(Colour colour)
{
    brush_ = colour == noColour ? QBrush(Qt::NoBrush) : QBrush(toQColor(colour));
}

void QtDrawContext::setFont(std::string_view face, int height, bool bold)
{
    if (height < 1 || height > maxFontHeight)
        return;
    font_ = chartFont(face, height, bold);
    painter_.setFont(font_->font);
}

// Text is transparent, so its background colour never shows.
void QtDrawContext::setTextColours(Colour text, Colour /*background*/)
{
    if (text != noColour)
        textColour_ = toQColor(text);
}

void QtDrawContext::drawBox(const Rect& rect, float roundness)
{
    const QRect pixels = pixelRect(rect);
    if (pixels.isEmpty() || (pen_.style() == Qt::NoPen && brush_.style() == Qt::NoBrush))
        return;
    painter_.setPen(pen_);
    painter_.setBrush(brush_);
    // Centres of the edge pixels, so the 1-pixel stroke covers exactly the edge
    // pixels on raster and vector devices alike.
    const QRectF outline(pixels.left() + 0.5, pixels.top() + 0.5, pixels.width() - 1,
                         pixels.height() - 1);
    if (roundness == 0) {
        painter_.drawRect(outline);
    } else {
        const QSize ellipse = cornerEllipse(rect, roundness);
        painter_.drawRoundedRect(outline, ellipse.width() / 2.0, ellipse.height() / 2.0,
                                 Qt::AbsoluteSize);
    }
    report(pixels);
}

void QtDrawContext::drawLine(Point from, Point to)
{
    const int dx = to.x - from.x, dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0 || pen_.style() == Qt::NoPen)
        return;
    if (steps == 1) {
        // Only the start pixel; a zero-length stroke would be placed by rounding.
        painter_.fillRect(QRect(from.x, from.y, 1, 1), pen_.color());
    } else {
        // Through the centres up to the last pixel before the end point; the
        // square cap covers both ends.
        const double keep = double(steps - 1) / steps;
        const QPointF last(from.x + std::round(dx * keep), from.y + std::round(dy * keep));
        painter_.setPen(pen_);
        painter_.drawLine(QPointF(from.x + 0.5, from.y + 0.5), last + QPointF(0.5, 0.5));
    }
    report(QRect(QPoint(std::min(from.x, to.x), std::min(from.y, to.y)),
                 QPoint(std::max(from.x, to.x), std::max(from.y, to.y))));
}

void QtDrawContext::drawText(Point bottomLeft, std::string_view bytes)
{
    if (bytes.empty())
        return;
    const std::string utf8 = displayText(bytes);
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    const int height = font_->metrics.height();
    const int top = bottomLeft.y - height;
    const QPoint baseline(bottomLeft.x, top + font_->metrics.ascent());
    if (!clipsNatively_ && !clip_.isNull() &&
        !clip_.contains(font_->metrics.tightBoundingRect(text).translated(baseline))) {
        // The device ignores clipping: cut the glyph outlines at the clip instead.
        QPainterPath glyphs;
        glyphs.addText(baseline, font_->font, text);
        QPainterPath clip;
        clip.addRect(clip_);
        painter_.fillPath(glyphs.intersected(clip), textColour_);
    } else {
        painter_.setPen(textColour_);
        painter_.drawText(baseline, text);
    }
    // Glyphs may overhang their advance a little.
    if (watchesTouches())
        report(QRect(bottomLeft.x - 2, top, font_->metrics.horizontalAdvance(text) + 2 + height / 2,
                     height));
}

void QtDrawContext::beginXorOutline(const OutlinePen& pen)
{
    xorMode_ = hasRasterOps(painter_);
    if (xorMode_)
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    pen_ = QPen(toQColor(pen.colour), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (pen.dashed)
        pen_.setDashPattern({18, 6}); // the classic dash: 18 pixels on, 6 off
    // Without raster operations an outline could not be taken back: draw none.
    if (!xorMode_)
        pen_ = QPen(Qt::NoPen);
    brush_ = QBrush(Qt::NoBrush);
}

void QtDrawContext::endXorOutline()
{
    brush_ = QBrush(Qt::NoBrush);
    if (xorMode_)
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    xorMode_ = false;
}
