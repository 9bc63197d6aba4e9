// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/draw_context.h"

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

class QPainter;
struct QtFont;

// DrawContext over an active QPainter. Chart drawing is aliased and follows the
// classic pixel rules: a box (l, t, r, b) covers pixels l..r-1 by t..b-1, and a
// line leaves out its end point; only text is smoothed. The painter's state is
// saved on construction and restored on destruction. Text is always drawn
// transparently: an opaque cell would cut the descenders of the line above it
// (lines are 12 pixels apart, fonts 14 and 16 high), so a box drawn at once would
// differ from the same box painted. XOR outlines need a raster
// device (a QImage); on other devices (printer, PDF, SVG) they are not drawn.
class QtDrawContext : public DrawContext {
public:
    // `origin` is the scaled chart pixel drawn at the top-left of the painter's
    // coordinates (the scroll position); `client` the window's client size (0 x 0
    // for a surface without a window); `area`, unless empty, limits all drawing to
    // that region of the painter's coordinates, as the exposed part of a window
    // does; `scale` is the view's zoom, device pixels per chart pixel. A painter's
    // own scale (a printed page) applies on top, to the whole chart.
    explicit QtDrawContext(QPainter& painter, QPoint origin = {}, Size client = {},
                           const QRegion& area = {}, double scale = 1.0);
    ~QtDrawContext() override;
    QtDrawContext(const QtDrawContext&) = delete;
    QtDrawContext& operator=(const QtDrawContext&) = delete;

    Size clientSize() const override { return client_; }
    double scale() const override { return scale_; }
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
    void beginXorOutline(const OutlinePen& pen) override;
    void endXorOutline() override;

    static QColor toQColor(Colour colour);
    // The corner ellipse of a rounded box: trunc(|width| x roundness) by
    // trunc(|height| x roundness).
    static QSize cornerEllipse(const Rect& rect, float roundness);

protected:
    // Told the device rectangle that each drawing step may have changed, when
    // watchesTouches() says so: a text's area costs measuring the text.
    virtual void touched(const QRect& /*deviceRect*/) {}
    virtual bool watchesTouches() const { return false; }

private:
    void applyClip();
    // Chart pixels to the device's, scroll position aside.
    void setChartTransform();
    QRect toScaled(const QRect& chartRect) const;
    // Reports a chart rectangle (corners in order, right and bottom excluded).
    void report(const QRect& chartRect);

    QPainter& painter_;
    QPoint origin_;
    Size client_;
    QRegion area_; // scaled chart pixels; empty means the whole device
    double scale_;
    QTransform base_; // the painter's transform when the context was made
    QRect clip_;      // chart pixels; null means no clipping of our own
    QPen pen_;
    QBrush brush_;
    const QtFont* font_;
    bool clipsNatively_;
    QColor textColour_{Qt::black};
    bool xorMode_ = false;
};
