// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/chart_poster.h"

#include "model/chart.h"
#include "model/colour_legend.h"
#include "poster/cut_marks.h"
#include "poster/poster_title.h"
#include "render/chart_painter.h"
#include "render/generation_column.h"
#include "render/paper_draw_context.h"
#include "render/qt_draw_context.h"
#include "render/render_output.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr double chartDpi = 96;
// A mark: a dot this far from the cut edge, of this radius, its label beyond
// it in this many chart pixels of bold text.
constexpr double markDotOffset = 7;
constexpr double markDotRadius = 3;
constexpr double markLabelGap = 12;
constexpr int markLabelPixels = posterMarkText;

QColor markColour() { return QtDrawContext::toQColor(colours::darkblue); }

void paintTitle(QPainter& painter, QSizeF area, const Chart& chart)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(posterTitleText));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString title = QString::fromStdString(posterTitle(chart));
    painter.drawText(QRectF(0, 0, area.width(), posterTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, title);
    // The key to the boxes' colours, as much of it as the title leaves room for.
    const std::vector<LegendEntry> legend = colourLegend(chart);
    if (legend.empty())
        return;
    const double titleEnd = QFontMetricsF(font).horizontalAdvance(title) + posterTitleText;
    font.setBold(false);
    font.setPixelSize(int(posterTitleText * 0.6));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double swatch = posterTitleText * 0.6;
    // The first entries that fit beside the title, ended at the right edge.
    const auto entryWidth = [&](const LegendEntry& entry) {
        return 2.4 * swatch + metrics.horizontalAdvance(QString::fromStdString(entry.label));
    };
    std::size_t shown = 0;
    double width = 0;
    while (shown < legend.size() && titleEnd + width + entryWidth(legend[shown]) <= area.width())
        width += entryWidth(legend[shown++]);
    double x = area.width() - width;
    for (std::size_t i = 0; i < shown; ++i) {
        const QString label = QString::fromStdString(legend[i].label);
        painter.setPen(markColour());
        painter.setBrush(QtDrawContext::toQColor(legend[i].colour));
        painter.drawRect(QRectF(x, (posterTitleHeight - swatch) / 2, swatch, swatch));
        x += 1.4 * swatch;
        const double labelWidth = metrics.horizontalAdvance(label);
        painter.drawText(QRectF(x, 0, labelWidth, posterTitleHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
        x += labelWidth + swatch;
    }
}

// One end of a cut connector at the band edge `edge` (sheet units, chart
// height y already placed): the line on to a dot and the label beyond it,
// rightward from a band's right edge, leftward from its left.
void paintMark(QPainter& painter, QPointF edge, double scale, bool rightward,
               const std::string& label)
{
    const double way = rightward ? 1 : -1;
    const QPointF dot(edge.x() + way * markDotOffset * scale, edge.y());
    painter.setPen(QPen(markColour(), scale));
    painter.drawLine(edge, dot);
    painter.setBrush(markColour());
    painter.drawEllipse(dot, markDotRadius * scale, markDotRadius * scale);
    const double labelWidth = (markRoom - markLabelGap) * scale;
    const QRectF box(rightward ? edge.x() + markLabelGap * scale
                               : edge.x() - markLabelGap * scale - labelWidth,
                     edge.y() - markLabelPixels * scale, labelWidth, 2 * markLabelPixels * scale);
    painter.drawText(box, (rightward ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                     QString::fromStdString(label));
}

void paintMarks(QPainter& painter, const ChartStrip& strip, const PosterPlan& plan)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, int(markLabelPixels * plan.scale)));
    font.setBold(true);
    painter.setFont(font);
    for (const CutMark& mark : cutMarks(strip, plan)) {
        const PosterBand& ending = plan.bands[mark.band];
        const PosterBand& next = plan.bands[mark.band + 1];
        const double y = (mark.y - strip.top) * plan.scale;
        paintMark(painter,
                  {ending.sheetX + (ending.right - ending.left) * plan.scale, ending.sheetY + y},
                  plan.scale, true, mark.label);
        paintMark(painter, {next.sheetX, next.sheetY + y}, plan.scale, false, mark.label);
    }
}

// The part of the chart from `from` of `size` chart pixels, drawn at `at` on the sheet.
void paintPart(QPainter& painter, const Chart& chart, QPointF at, double scale, QPoint from,
               QSize size, bool background, RenderOutput* progress)
{
    painter.save();
    painter.translate(at);
    painter.scale(scale, scale);
    {
        PaperDrawContext dc(painter, from, size, background, progress);
        paintChart(dc, &chart);
    }
    painter.restore();
}

} // namespace

PosterPlan chartPosterPlan(const Chart& chart, QSizeF area)
{
    return planPoster(chartStrip(chart, generationColumnShown(chart)), area.width(), area.height());
}

void paintChartPoster(QPainter& painter, double dpi, QSizeF area, const Chart& chart,
                      bool background, RenderOutput* progress)
{
    const ChartStrip strip = chartStrip(chart, generationColumnShown(chart));
    const PosterPlan plan = planPoster(strip, area.width(), area.height());
    if (progress)
        progress->expectSteps(qint64(chart.tree().size()));
    painter.save();
    painter.scale(dpi / chartDpi, dpi / chartDpi);
    paintTitle(painter, area, chart);
    const int height = strip.bottom - strip.top;
    for (std::size_t b = 0; b < plan.bands.size(); ++b) {
        const PosterBand& band = plan.bands[b];
        paintPart(painter, chart, {band.sheetX, band.sheetY}, plan.scale, {band.left, strip.top},
                  {band.right - band.left, height}, background, progress);
        if (b > 0 && strip.repeated > 0)
            paintPart(painter, chart,
                      {band.sheetX - (strip.repeated + markRoom) * plan.scale, band.sheetY},
                      plan.scale, {0, strip.top}, {strip.repeated, height}, background, nullptr);
    }
    paintMarks(painter, strip, plan);
    painter.restore();
}
