// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_view.h"

#include "render/chart_painter.h"
#include "render/generation_column.h"
#include "render/qt_draw_context.h"
#include "view/window_draw_context.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Moves the pixels of an RGB32 image by (dx, dy) in place; what moves in from
// outside keeps its old pixels and is repainted by the caller.
void shiftPixels(QImage& image, int dx, int dy)
{
    const int width = image.width(), height = image.height();
    if (std::abs(dx) >= width || std::abs(dy) >= height)
        return;
    const int count = width - std::abs(dx);
    const int fromX = dx >= 0 ? 0 : -dx, toX = dx >= 0 ? dx : 0;
    auto moveRow = [&](int toY) {
        auto* target = reinterpret_cast<quint32*>(image.scanLine(toY));
        const auto* source = reinterpret_cast<const quint32*>(image.constScanLine(toY - dy));
        std::memmove(target + toX, source + fromX, std::size_t(count) * sizeof(quint32));
    };
    if (dy > 0) {
        for (int y = height - 1; y >= dy; --y)
            moveRow(y);
    } else {
        for (int y = 0; y < height + dy; ++y)
            moveRow(y);
    }
}

// A rectangle of viewport pixels in the device pixels of an image.
QRectF devicePixels(const QRect& rect, qreal ratio)
{
    return {rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio};
}

} // namespace

void ChartView::draw(DrawContext& dc)
{
    paintChart(dc, &document_->chart(), &document_->selection());
}

namespace {
// The cell whose box shows the selection; noCell when nothing is selected.
Cell shownCell(const Selection& selection)
{
    if (selection.box)
        return selection.box->cell();
    return selection.frameShown ? selection.current : noCell;
}
} // namespace

QRect ChartView::selectionArea(Cell cell) const
{
    if (cell == noCell)
        return {};
    const Rect box = tree().settings().boxRect(cell);
    const QPointF scroll = scrollPosition();
    const QRectF shown(QPointF(box.left, box.top) * zoom_ - scroll,
                       QPointF(box.right, box.bottom) * zoom_ - scroll);
    // The frame's pen and the rounding of a zoomed edge reach a little past the box.
    constexpr int margin = 2;
    return shown.toAlignedRect().adjusted(-margin, -margin, margin, margin);
}

void ChartView::selectionChanged()
{
    if (!redLine_.empty())
        setRedLine({});
    const Cell now = shownCell(document_->selection());
    const QRegion area = QRegion(selectionArea(shownSelection_)) | selectionArea(now);
    shownSelection_ = now;
    stale_ |= area;
    viewport()->repaint(area);
}

void ChartView::setMarkedCells(std::vector<Cell> cells)
{
    markedCells_ = std::move(cells);
    invalidateChart();
}

void ChartView::setRedLine(RedLine line)
{
    redLine_ = std::move(line);
    invalidateChart();
}

std::unique_ptr<DrawContext> ChartView::windowContext()
{
    fitImage();
    return std::make_unique<WindowDrawContext>(*this);
}

void ChartView::invalidateChart()
{
    stale_ = QRegion(viewport()->rect());
    viewport()->update();
}

void ChartView::fitImage()
{
    const QSize wanted = viewport()->size();
    const qreal ratio = viewport()->devicePixelRatioF();
    // The image cannot be replaced while a context draws into it.
    if ((imageArea().size() == wanted && image_.devicePixelRatio() == ratio) ||
        imagePainterUsers_ > 0)
        return;
    QImage fitted(wanted * ratio, QImage::Format_RGB32);
    fitted.setDevicePixelRatio(ratio);
    fitted.fill(QtDrawContext::toQColor(colours::paleblue));
    // Pixels of another density are not worth keeping: all is painted anew.
    const QRect kept =
        image_.devicePixelRatio() == ratio ? imageArea() & QRect(QPoint(), wanted) : QRect();
    if (!kept.isEmpty()) {
        QPainter copy(&fitted);
        copy.setCompositionMode(QPainter::CompositionMode_Source);
        copy.drawImage(QRectF(kept), image_, devicePixels(kept, ratio));
    }
    stale_ = ((stale_ & kept) | (QRegion(QRect(QPoint(), wanted)) - kept));
    image_ = std::move(fitted);
}

QRect ChartView::imageArea() const
{
    return QRect(QPoint(), image_.deviceIndependentSize().toSize());
}

QPainter& ChartView::beginImagePainter()
{
    if (imagePainterUsers_++ == 0)
        imagePainter_ = std::make_unique<QPainter>(&image_);
    return *imagePainter_;
}

void ChartView::endImagePainter()
{
    if (--imagePainterUsers_ == 0)
        imagePainter_.reset();
}

void ChartView::paintEvent(QPaintEvent* event)
{
    fitImage();
    const QRegion exposed = event->region();
    const QRect area = imageArea();
    const QRegion todo = stale_ & exposed & area;
    if (!todo.isEmpty()) {
        QPainter& painter = beginImagePainter();
        // A paint during a drawing step starts from the window's pixels too.
        painter.save();
        painter.resetTransform();
        {
            QtDrawContext dc(painter, scrollPosition(), {area.width(), area.height()}, todo, zoom_);
            paintChart(dc, &document_->chart(), &document_->selection(), markedCells_,
                       GenerationColumn::LeftOut);
            paintRedLine(dc, tree().settings(), redLine_);
            // The paint covered a drag's outline: put it back, as the frame is.
            if (dragTracker_ && dragTracker_->drawn())
                dragTracker_->redraw(dc);
        }
        painter.restore();
        endImagePainter();
        stale_ -= todo;
    }
    QPainter screen(viewport());
    for (const QRect& rect : exposed)
        screen.drawImage(QRectF(rect), image_, devicePixels(rect, image_.devicePixelRatio()));
    paintFrozenColumn(screen, exposed);
}

void ChartView::paintFrozenColumn(QPainter& screen, const QRegion& exposed)
{
    // Drawn as if the chart were not scrolled sideways.
    const QSize size = viewport()->size();
    QtDrawContext dc(screen, QPoint(0, scrollPosition().y()), {size.width(), size.height()},
                     exposed, zoom_);
    paintGenerationColumn(dc, document_->chart());
}

void ChartView::scrollContentsBy(int dx, int dy)
{
    if (image_.isNull()) {
        viewport()->update();
        return;
    }
    const QRect all = imageArea();
    const qreal ratio = image_.devicePixelRatio();
    if (ratio != std::floor(ratio)) {
        // A step of whole viewport pixels is no whole number of device pixels.
        stale_ = all;
        viewport()->update();
        return;
    }
    // The pixels move with the chart, XOR outlines included, as a window scroll
    // moves them; only the strips that come into view are painted anew.
    shiftPixels(image_, int(dx * ratio), int(dy * ratio));
    stale_ = (stale_.translated(dx, dy) | (QRegion(all) - all.translated(dx, dy))) & all;
    viewport()->update();
}
