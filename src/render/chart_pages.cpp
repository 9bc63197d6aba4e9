// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/chart_pages.h"

#include "model/chart.h"
#include "model/text_codec.h"
#include "render/chart_painter.h"
#include "render/chart_poster.h"
#include "render/colour_key.h"
#include "render/generation_column.h"
#include "render/paper_draw_context.h"
#include "render/render_output.h"

#include <QFont>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSizeF>

#include <string>
#include <vector>

namespace {

constexpr double chartDpi = 96;
constexpr double footerInches = 0.3;
constexpr double footerFontInches = 0.11;

// A chart cut into pages: where each column and row of pages starts (chart
// pixels), the scale (1 = one chart pixel per 1/96 inch) and how much of the
// chart's left edge every later column of pages repeats.
struct PagePlan {
    std::vector<int> columnStarts;
    std::vector<int> rowStarts;
    double scale = 1;
    int repeated = 0;
};

int endOf(const std::vector<int>& starts, std::size_t i, int total)
{
    return i + 1 < starts.size() ? starts[i + 1] : total;
}

double footerHeight(double dpi) { return footerInches * dpi; }

void paintFooter(QPainter& painter, const QPagedPaintDevice& device, const std::string& text)
{
    const double dpi = device.logicalDpiY();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, int(footerFontInches * dpi)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF line(0, device.height() - footerHeight(dpi), device.width(), footerHeight(dpi));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignBottom, QString::fromStdString(text));
}

// The pages for paper whose printable area, less the footer, is `paper` in
// 1/96 inch. Page starts count from the top-left of the chart's drawn area.
PagePlan planPages(const Chart& chart, QSizeF paper, const PageOptions& options)
{
    const TreeSettings& s = chart.settings();
    const Rect area = chart.tree().drawnArea();
    PagePlan plan;
    // The generation column is repeated only where it is the chart's left edge.
    plan.repeated = generationColumnShown(chart) && area.left == 0 ? originX : 0;
    const PageAxis across{area.right - area.left, originX - area.left, s.boxWidth, s.pitchX(),
                          plan.repeated};
    const PageAxis down{area.bottom - area.top, originY - area.top, s.boxHeight, s.pitchY(), 0};
    switch (options.mode) {
    case PageOptions::ActualSize:
    case PageOptions::Poster: // one sheet, planned by chartPosterPlan
        plan.scale = 1;
        break;
    case PageOptions::FitPagesWide:
        plan.scale = fitScale(across, down, paper.width(), paper.height(), options.pagesWide);
        break;
    case PageOptions::Percent:
        plan.scale = options.percent / 100.0;
        break;
    }
    plan.columnStarts = pageStarts(across, paper.width() / plan.scale);
    plan.rowStarts = pageStarts(down, paper.height() / plan.scale);
    return plan;
}

// The printable area in 1/96 inch: a poster's whole, pages' less the footer.
QSizeF printableArea(const QPageLayout& layout, const PageOptions& options)
{
    const QRectF inches = layout.paintRect(QPageLayout::Inch);
    const double footer = options.mode == PageOptions::Poster ? 0 : footerInches;
    return {inches.width() * chartDpi, (inches.height() - footer) * chartDpi};
}

// How large the chart prints on the layout's paper: its scale.
double printedScale(const Chart& chart, const QPageLayout& layout, const PageOptions& options)
{
    const QSizeF area = printableArea(layout, options);
    return options.mode == PageOptions::Poster ? chartPosterPlan(chart, area).scale
                                               : planPages(chart, area, options).scale;
}

QPageSize pageSize(const PageOptions& options)
{
    switch (options.paper) {
    case Paper::Roll:
        return QPageSize(QSizeF(options.roll.width, options.roll.height), QPageSize::Millimeter, {},
                         QPageSize::ExactMatch);
    case Paper::A4:
        return QPageSize(QPageSize::A4);
    case Paper::A3:
        return QPageSize(QPageSize::A3);
    case Paper::A2:
        return QPageSize(QPageSize::A2);
    case Paper::A1:
        return QPageSize(QPageSize::A1);
    case Paper::A0:
        return QPageSize(QPageSize::A0);
    case Paper::Letter:
        return QPageSize(QPageSize::Letter);
    case Paper::Legal:
        return QPageSize(QPageSize::Legal);
    case Paper::Tabloid:
        return QPageSize(QPageSize::Tabloid);
    }
    return QPageSize(QPageSize::A4);
}

} // namespace

long long chartPageCount(const Chart& chart, const QPageLayout& layout, const PageOptions& options)
{
    if (options.mode == PageOptions::Poster)
        return 1;
    const PagePlan plan = planPages(chart, printableArea(layout, options), options);
    return (long long)plan.columnStarts.size() * (long long)plan.rowStarts.size();
}

QPageLayout::Orientation chartOrientation(const Chart& chart, QPageLayout layout,
                                          const PageOptions& options)
{
    if (options.orientation != Orientation::Automatic)
        return options.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait;
    QPageLayout landscape = layout;
    layout.setOrientation(QPageLayout::Portrait);
    landscape.setOrientation(QPageLayout::Landscape);
    const long long portraitPages = chartPageCount(chart, layout, options);
    const long long landscapePages = chartPageCount(chart, landscape, options);
    if (landscapePages != portraitPages)
        return landscapePages < portraitPages ? QPageLayout::Landscape : QPageLayout::Portrait;
    return printedScale(chart, landscape, options) > printedScale(chart, layout, options)
               ? QPageLayout::Landscape
               : QPageLayout::Portrait;
}

QPageLayout chartPaper(const Chart& chart, QPageLayout layout, const PageOptions& options)
{
    layout.setPageSize(pageSize(options));
    layout.setOrientation(chartOrientation(chart, layout, options));
    return layout;
}

bool setChartPaper(QPagedPaintDevice& device, const Chart& chart, const PageOptions& options)
{
    return device.setPageLayout(chartPaper(chart, device.pageLayout(), options));
}

void paintChartPages(QPainter& painter, QPagedPaintDevice& device, const Chart& chart,
                     const PageOptions& options, RenderOutput* progress)
{
    const double dpi = device.logicalDpiX();
    if (options.mode == PageOptions::Poster) {
        paintChartPoster(painter, dpi, printableArea(device.pageLayout(), options), chart,
                         options.background, progress);
        return;
    }
    const PagePlan plan = planPages(chart, printableArea(device.pageLayout(), options), options);
    const Rect drawn = chart.tree().drawnArea();
    const Size total{drawn.right - drawn.left, drawn.bottom - drawn.top};
    const std::string name = displayText(chart.tree().name().c_str());
    const std::vector<LegendEntry> legend = colourLegend(chart);
    const int rows = int(plan.rowStarts.size()), columns = int(plan.columnStarts.size());
    if (progress)
        progress->expectSteps(qint64(chart.tree().size()));

    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (row > 0 || column > 0)
                device.newPage();
            const int left = plan.columnStarts[std::size_t(column)];
            const int top = plan.rowStarts[std::size_t(row)];
            const QSize area(endOf(plan.columnStarts, std::size_t(column), total.width) - left,
                             endOf(plan.rowStarts, std::size_t(row), total.height) - top);
            painter.save();
            painter.scale(dpi / chartDpi * plan.scale, dpi / chartDpi * plan.scale);
            if (column > 0 && plan.repeated > 0) {
                {
                    PaperDrawContext dc(painter, QPoint(0, drawn.top + top),
                                        QSize(plan.repeated, area.height()), options.background,
                                        nullptr);
                    paintChart(dc, &chart);
                }
                painter.translate(plan.repeated, 0);
            }
            {
                PaperDrawContext dc(painter, QPoint(drawn.left + left, drawn.top + top), area,
                                    options.background, progress);
                paintChart(dc, &chart);
                paintColourKey(dc, chart, legend);
            }
            painter.restore();
            paintFooter(painter, device, pageFooter(name, row + 1, column + 1, rows, columns));
        }
    }
}
