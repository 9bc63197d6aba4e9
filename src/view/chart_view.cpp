// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_view.h"

#include "render/chart_painter.h"
#include "view/chart_view_accessible.h"

#include <QEvent>
#include <QNativeGestureEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {
constexpr int lineStep = 20;
}

ChartView::ChartView(ChartDocument* document, QWidget* parent)
    : QAbstractScrollArea(parent),
      document_(document)
{
    // Every pixel of the viewport comes from the backing image.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    // The arrow keys move the selection, so the chart takes the keyboard focus.
    setFocusPolicy(Qt::StrongFocus);
    connect(document_, &ChartDocument::chartReplaced, this, &ChartView::chartReplaced);
    connect(document_, &ChartDocument::changed, this, &ChartView::chartChanged);
    connect(document_, &ChartDocument::selectionChanged, this, &ChartView::selectionChanged);
    ChartViewAccessible::install();
    const auto announce = [this] { ChartViewAccessible::announce(this); };
    connect(document_, &ChartDocument::selectionChanged, this, announce);
    connect(document_, &ChartDocument::changed, this, announce);
    updateScrollSizes();
}

ChartView::~ChartView() = default;

void ChartView::chartReplaced()
{
    // An outline of the old chart's drag has nothing left to drop.
    endDrag();
    shownSelection_ = noCell;
    redLine_ = {};
    // A record belongs to the family file of the chart it was copied from.
    pasteRecord_.reset();
    updateScrollSizes();
    invalidateChart();
}

void ChartView::chartChanged(const ChartChange& change)
{
    if (change.extentGrew)
        updateScrollSizes();
    // A box of the line may be gone.
    if (change.what == ChartChange::Boxes)
        redLine_ = {};
    invalidateChart();
}

void ChartView::updateScrollSizes()
{
    const Size total = tree().settings().drawnSize(document_->measureExtent());
    total_ = QSize(total.width, total.height);
    page_ = windowSize();
    updateScrollBars();
}

void ChartView::updateScrollBars()
{
    const QSize client = viewport()->size();
    const QSize total(int(std::ceil(total_.width() * zoom_)),
                      int(std::ceil(total_.height() * zoom_)));
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    across->setRange(0, std::max(0, total.width() - client.width()));
    down->setRange(0, std::max(0, total.height() - client.height()));
    across->setPageStep(page_.width());
    down->setPageStep(page_.height());
    across->setSingleStep(lineStep);
    down->setSingleStep(lineStep);
}

QPoint ChartView::scrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QSize ChartView::windowSize() const { return frameGeometry().size(); }

Point ChartView::chartPointAt(QPointF viewportPoint) const
{
    const QPointF at = (viewportPoint + scrollPosition()) / zoom_;
    return {int(std::floor(at.x())), int(std::floor(at.y()))};
}

void ChartView::setZoom(double zoom) { setZoom(zoom, QRectF(viewport()->rect()).center()); }

void ChartView::setZoom(double zoom, QPointF anchor)
{
    zoom = std::clamp(zoom, minZoom, maxZoom);
    if (zoom == zoom_)
        return;
    // A drag's outline cannot follow a change of scale: the drag ends unmade.
    endDrag();
    const QPointF fixed = (anchor + scrollPosition()) / zoom_;
    zoom_ = zoom;
    updateScrollBars();
    const QPointF position = fixed * zoom_ - anchor;
    horizontalScrollBar()->setValue(int(std::lround(position.x())));
    verticalScrollBar()->setValue(int(std::lround(position.y())));
    invalidateChart();
    emit zoomChanged(zoom_);
}

namespace {
// Each step multiplies or divides the zoom by this.
constexpr double zoomStep = 1.25;
} // namespace

void ChartView::zoomIn() { setZoom(zoom_ * zoomStep); }

void ChartView::zoomOut() { setZoom(zoom_ / zoomStep); }

void ChartView::fitChart()
{
    const QSize client = viewport()->size();
    setZoom(std::min(
        {1.0, double(client.width()) / total_.width(), double(client.height()) / total_.height()}));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

bool ChartView::viewportEvent(QEvent* event)
{
    // A touchpad pinch zooms about the fingers.
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            setZoom(zoom_ * (1 + gesture->value()), gesture->position());
            return true;
        }
    }
    // Scroll bars coming and going resize the viewport alone.
    if (event->type() == QEvent::Resize)
        updateScrollBars();
    return QAbstractScrollArea::viewportEvent(event);
}
