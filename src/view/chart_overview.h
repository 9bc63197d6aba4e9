// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

class Chart;
class ChartView;

// The whole chart at a glance, fitted into size: each box a filled rectangle
// of at least one pixel (lineage boxes red, continuation boxes cyan), written
// straight into the pixels, so a million boxes take a few milliseconds. Also
// gives the scale used, device pixels per chart pixel.
QImage chartOverviewImage(const Chart& chart, QSize size, double* scale = nullptr);

// The overview beside the chart: the whole chart with the part the view shows
// framed. A click or a drag moves the view there. The picture is made again only
// when the chart or the overview's size changes, not when the view scrolls.
class ChartOverview : public QWidget {
    Q_OBJECT
public:
    explicit ChartOverview(ChartView* view, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {240, 180}; }
    // The frame of the part the view shows, in the overview's pixels.
    QRect shownFrame() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void chartChanged();
    void moveViewTo(QPointF point);

    ChartView* view_;
    QImage picture_;
    double scale_ = 1;
    bool stale_ = true;
};
