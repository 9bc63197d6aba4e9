// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/chart_render.h"

#include "chartfile/chart_reader.h"
#include "model/chart.h"
#include "model/text_codec.h"
#include "render/chart_pages.h"
#include "render/chart_painter.h"
#include "render/chart_poster.h"
#include "render/colour_key.h"
#include "render/output_device.h"
#include "render/pdf_draw_context.h"
#include "render/png_bands.h"
#include "render/qt_draw_context.h"
#include "render/svg_draw_context.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cctype>
#include <new>

namespace {

// Fine enough for text at any scale a page is printed at.
constexpr int pageDpi = 600;
// One chart pixel is 1/96 inch.
constexpr int chartDpi = 96;
constexpr double pageMarginMm = 10;
// More pages than anyone prints: past it a slip of the scale would write for
// hours.
constexpr long long maxPages = 10000;

QSize sizeOf(const Rect& area) { return {area.right - area.left, area.bottom - area.top}; }

QString titleOf(const Chart& chart)
{
    return QString::fromStdString(displayText(chart.tree().name().c_str()));
}

void renderPng(const Chart& chart, RenderOutput& out)
{
    const Rect area = chart.tree().drawnArea();
    const std::vector<LegendEntry> legend = colourLegend(chart);
    writePngInBands(
        sizeOf(area),
        [&chart, &area, &legend](QImage& band, int top) {
            QPainter painter(&band);
            QtDrawContext dc(painter, QPoint(area.left, area.top + top));
            paintChart(dc, &chart);
            paintColourKey(dc, chart, legend);
        },
        out);
}

QPageLayout pdfPageLayout(const Chart& chart, const PageOptions& pages)
{
    const QPageLayout margins(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                              QMarginsF(pageMarginMm, pageMarginMm, pageMarginMm, pageMarginMm),
                              QPageLayout::Millimeter);
    return chartPaper(chart, margins, pages);
}

// The poster's sheet at one pixel per 1/96 inch, margins and all.
QSize posterImageSize(const QPageLayout& layout)
{
    return layout.fullRectPixels(int(chartDpi)).size();
}

void renderPngPoster(const Chart& chart, RenderOutput& out, const PageOptions& pages)
{
    const QPageLayout layout = pdfPageLayout(chart, pages);
    const QRect printable = layout.paintRectPixels(int(chartDpi));
    writePngInBands(
        posterImageSize(layout),
        [&](QImage& band, int top) {
            band.fill(Qt::white);
            QPainter painter(&band);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.translate(printable.left(), printable.top() - top);
            paintChartPoster(painter, chartDpi, printable.size(), chart, pages.background);
        },
        out);
}

void renderSvg(const Chart& chart, RenderOutput& out)
{
    out.expectSteps(qint64(chart.tree().size()));
    SvgDrawContext dc(out, chart.tree().drawnArea(), chart.tree().name().c_str());
    paintChart(dc, &chart);
    paintColourKey(dc, chart, colourLegend(chart));
    dc.finish();
}

// A PDF laid out on pages, through Qt's PDF writer: each page is small.
void renderPdfPages(const Chart& chart, RenderOutput& out, const PageOptions& pages)
{
    OutputDevice device(out);
    QPdfWriter writer(&device);
    writer.setTitle(titleOf(chart));
    writer.setCreator(QStringLiteral("Stirpa"));
    writer.setResolution(pageDpi);
    if (!writer.setPageLayout(pdfPageLayout(chart, pages)))
        throw RenderStopped();
    QPainter painter;
    if (!painter.begin(&writer))
        throw RenderStopped();
    paintChartPages(painter, writer, chart, pages, &out);
    if (!painter.end())
        throw RenderStopped();
}

// One page the size of the chart, by our own writer: Qt's would hold the
// page's whole drawing in memory.
void renderPdf(const Chart& chart, RenderOutput& out, const PdfPages& pages)
{
    if (pages) {
        renderPdfPages(chart, out, *pages);
        return;
    }
    out.expectSteps(qint64(chart.tree().size()));
    PdfDrawContext dc(out, chart.tree().drawnArea(), chart.tree().name().c_str());
    paintChart(dc, &chart);
    paintColourKey(dc, chart, colourLegend(chart));
    dc.finish();
}

void renderOnto(const Chart& chart, ChartImageFormat format, RenderOutput& out,
                const PdfPages& pages)
{
    switch (format) {
    case ChartImageFormat::Png:
        if (pages && pages->mode == PageOptions::Poster)
            renderPngPoster(chart, out, *pages);
        else
            renderPng(chart, out);
        break;
    case ChartImageFormat::Pdf:
        renderPdf(chart, out, pages);
        break;
    case ChartImageFormat::Svg:
        renderSvg(chart, out);
        break;
    }
    out.flush();
}

Result refusedBeforeDrawing(const Chart& chart, ChartImageFormat format, const PdfPages& pages)
{
    if (format == ChartImageFormat::Png)
        return checkPngSize(pages ? posterImageSize(pdfPageLayout(chart, *pages))
                                  : sizeOf(chart.tree().drawnArea()));
    if (!pages)
        return {};
    const long long count = chartPageCount(chart, pdfPageLayout(chart, *pages), *pages);
    if (count <= maxPages)
        return {};
    return Result::failure(Result::TooLarge,
                           STIRPA_TR_NOOP("Message", "the chart would take %1 pages, more than "
                                                     "%2: choose a smaller scale or fewer pages "
                                                     "wide"),
                           {std::to_string(count), std::to_string(maxPages)});
}

Result outOfMemory()
{
    return Result::failure(
        Result::TooLarge,
        STIRPA_TR_NOOP("Message", "there is not enough memory to render the chart"));
}

Result stopped(bool cancelled)
{
    return Result::failure(Result::Failed,
                           cancelled ? STIRPA_TR_NOOP("Message", "the render was cancelled")
                                     : STIRPA_TR_NOOP("Message", "the chart could not be encoded"));
}

} // namespace

std::optional<ChartImageFormat> chartImageFormat(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == "png")
        return ChartImageFormat::Png;
    if (extension == "pdf")
        return ChartImageFormat::Pdf;
    if (extension == "svg")
        return ChartImageFormat::Svg;
    return std::nullopt;
}

Result renderChart(const Chart& chart, ChartImageFormat format, QByteArray& bytes,
                   const PdfPages& pages)
{
    if (Result refused = refusedBeforeDrawing(chart, format, pages); !refused)
        return refused;
    bytes.clear();
    RenderOutput out([&bytes](std::string_view piece) {
        bytes.append(piece.data(), qsizetype(piece.size()));
        return true;
    });
    try {
        renderOnto(chart, format, out, pages);
    } catch (const RenderStopped&) {
        return stopped(false);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
    return {};
}

Result writeChartImage(const Chart& chart, ChartImageFormat format, const std::string& outPath,
                       const PdfPages& pages, const RenderProgress& progress)
{
    if (Result refused = refusedBeforeDrawing(chart, format, pages); !refused)
        return refused;
    bool cancelled = false;
    try {
        return writeFileAtomically(outPath, [&](const PieceWriter& write) {
            RenderOutput out(write, progress);
            try {
                renderOnto(chart, format, out, pages);
            } catch (const RenderStopped&) {
                // A failed write is the writer's to report; anything else leaves
                // no file.
                cancelled = out.cancelled();
                if (!out.failed())
                    throw;
            }
        });
    } catch (const RenderStopped&) {
        return stopped(cancelled);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}

Result renderChartFile(const std::string& chartPath, const std::string& outPath,
                       const PdfPages& pages)
{
    const std::optional<ChartImageFormat> format = chartImageFormat(outPath);
    if (!format)
        return Result::failure(
            Result::CannotCreate,
            STIRPA_TR_NOOP("Message",
                           "cannot render '%1': the name must end in .png, .pdf or .svg"),
            {outPath});
    Result result;
    try {
        ChartLoad load = readChartFile(chartPath, TreeSettings());
        if (!load)
            return load;
        result = writeChartImage(load.chart, *format, outPath, pages);
    } catch (const std::bad_alloc&) {
        result = outOfMemory();
    }
    // Only batch mode renders a chart file, so the cause stays English.
    if (!result)
        result = Result::failure(result.status, STIRPA_TR_NOOP("Message", "cannot render '%1': %2"),
                                 {chartPath, result.message()}, result.line);
    return result;
}
