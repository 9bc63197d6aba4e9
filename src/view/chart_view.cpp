// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_view.h"

#include "view/chart_painter.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

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
    updateScrollSizes();
}

ChartView::~ChartView() = default;

void ChartView::chartReplaced()
{
    currentCell_ = noCell;
    // An outline of the old chart's drag has nothing left to drop.
    dragTracker_.reset();
    updateScrollSizes();
    invalidateChart();
    emit cellSelected();
    emit selectionChanged();
}

void ChartView::chartChanged(const ChartChange& change)
{
    if (change.extentGrew)
        updateScrollSizes();
    invalidateChart();
}

void ChartView::updateScrollSizes()
{
    // The extent is measured anew from the boxes, so it also shrinks.
    tree().resetExtent();
    const Size total = chartTotalSize(tree().extent());
    total_ = QSize(total.width, total.height);
    page_ = windowSize();
    updateScrollBars();
}

void ChartView::updateScrollBars()
{
    const QSize client = viewport()->size();
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    across->setRange(0, std::max(0, total_.width() - client.width()));
    down->setRange(0, std::max(0, total_.height() - client.height()));
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

void ChartView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

bool ChartView::viewportEvent(QEvent* event)
{
    // Scroll bars coming and going resize the viewport alone.
    if (event->type() == QEvent::Resize)
        updateScrollBars();
    return QAbstractScrollArea::viewportEvent(event);
}
