// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_overview.h"

#include "model/chart.h"
#include "render/chart_painter.h"
#include "render/qt_draw_context.h"
#include "view/chart_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

QRgb rgbOf(Colour colour) { return QtDrawContext::toQColor(colour).rgb(); }

} // namespace

QImage chartOverviewImage(const Chart& chart, QSize size, double* scaleOut)
{
    QImage image(size.expandedTo({1, 1}), QImage::Format_RGB32);
    image.fill(rgbOf(colours::paleblue));
    const Tree& tree = chart.tree();
    const TreeSettings& s = chart.settings();
    const Size total = s.drawnSize(tree.extent());
    const double scale =
        std::min(double(image.width()) / total.width, double(image.height()) / total.height);
    if (scaleOut)
        *scaleOut = scale;
    const QRgb lineage = rgbOf(colours::red);
    const int width = image.width(), height = image.height();
    const auto pixelOf = [scale](int chart) { return int(std::floor(chart * scale)); };
    tree.forEachPerson([&](const Person* person) {
        const Rect r = s.boxRect(person->cell());
        const int left = std::clamp(pixelOf(r.left), 0, width - 1);
        const int top = std::clamp(pixelOf(r.top), 0, height - 1);
        const int right = std::clamp(std::max(pixelOf(r.right), left + 1), 1, width);
        const int bottom = std::clamp(std::max(pixelOf(r.bottom), top + 1), 1, height);
        const Colour standard = person->kind() == BoxKind::Continuation ? colours::palecyan
                                                                        : colours::paleyellow;
        const QRgb colour = person->lineage != 0 ? lineage : rgbOf(person->fillColour(standard));
        for (int y = top; y < bottom; ++y)
            std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)) + left, right - left, colour);
    });
    return image;
}

ChartOverview::ChartOverview(ChartView* view, QWidget* parent) : QWidget(parent), view_(view)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
    ChartDocument* document = view_->document();
    connect(document, &ChartDocument::changed, this, &ChartOverview::chartChanged);
    connect(document, &ChartDocument::chartReplaced, this, &ChartOverview::chartChanged);
    // Scrolling and zooming move the frame only.
    const auto moveFrame = [this] { update(); };
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, moveFrame);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, this, moveFrame);
    connect(view_, &ChartView::zoomChanged, this, moveFrame);
}

void ChartOverview::chartChanged()
{
    stale_ = true;
    update();
}

QRect ChartOverview::shownFrame() const
{
    const double zoom = view_->zoom();
    const QPointF corner = QPointF(view_->scrollPosition()) / zoom * scale_;
    const QSizeF size = QSizeF(view_->viewport()->size()) / zoom * scale_;
    return QRectF(corner, size).toAlignedRect();
}

void ChartOverview::paintEvent(QPaintEvent*)
{
    if (stale_ || picture_.size() != size()) {
        picture_ = chartOverviewImage(view_->document()->chart(), size(), &scale_);
        stale_ = false;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    painter.setPen(QPen(QColor(0xFF, 0x8C, 0x00), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(shownFrame().adjusted(1, 1, -1, -1));
}

void ChartOverview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    stale_ = true;
}

void ChartOverview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        moveViewTo(event->position());
}

void ChartOverview::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons().testFlag(Qt::LeftButton))
        moveViewTo(event->position());
}

void ChartOverview::moveViewTo(QPointF point)
{
    if (scale_ <= 0)
        return;
    const QPointF chart = point / scale_;
    view_->centreOn({int(chart.x()), int(chart.y())});
}
