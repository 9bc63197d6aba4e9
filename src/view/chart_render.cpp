// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/chart_render.h"

#include "chartfile/atomic_file.h"
#include "chartfile/chart_reader.h"
#include "model/chart.h"
#include "view/chart_painter.h"
#include "view/qt_draw_context.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace {

constexpr int chartDpi = 96;

bool paintInto(QPaintDevice& device, const Chart& chart)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    {
        QtDrawContext dc(painter);
        paintChart(dc, &chart, false);
    }
    return painter.end();
}

// What the PNG encoder takes (libpng's default limit on either side) and what
// one picture may take in memory while it is drawn.
constexpr qint64 maxPngSide = 1000000;
constexpr qint64 maxImageBytes = qint64(512) << 20;

// Checked before anything is allocated: a tiny chart can ask for gigabytes.
Result checkPngSize(QSize size)
{
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (size.width() <= maxPngSide && size.height() <= maxPngSide && bytes <= maxImageBytes)
        return {};
    return Result::failure(
        Result::TooLarge,
        QStringLiteral("the picture would be %1 × %2 pixels (%3 MB); a PNG can be at most %4 "
                       "pixels on a side and %5 MB")
            .arg(size.width())
            .arg(size.height())
            .arg(bytes >> 20)
            .arg(maxPngSide)
            .arg(maxImageBytes >> 20)
            .toStdString());
}

bool renderPng(const Chart& chart, QSize size, QBuffer& out)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    return paintInto(image, chart) && image.save(&out, "PNG");
}

bool renderPdf(const Chart& chart, QSize size, QBuffer& out)
{
    QPdfWriter writer(&out);
    writer.setResolution(chartDpi);
    const QSizeF points = QSizeF(size) * 72.0 / chartDpi;
    writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QString::fromUtf8(chart.tree().name().c_str()));
    writer.setCreator(QStringLiteral("Stirpa"));
    return paintInto(writer, chart);
}

bool renderSvg(const Chart& chart, QSize size, QBuffer& out)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(chartDpi);
    generator.setTitle(QString::fromUtf8(chart.tree().name().c_str()));
    return paintInto(generator, chart);
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

Result renderChart(const Chart& chart, ChartImageFormat format, QByteArray& bytes)
{
    const Size total = chartTotalSize(chart.tree().boxExtent());
    const QSize size(total.width, total.height);
    if (format == ChartImageFormat::Png) {
        if (Result fits = checkPngSize(size); !fits)
            return fits;
    }

    bytes.clear();
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    bool made = false;
    switch (format) {
    case ChartImageFormat::Png:
        made = renderPng(chart, size, out);
        break;
    case ChartImageFormat::Pdf:
        made = renderPdf(chart, size, out);
        break;
    case ChartImageFormat::Svg:
        made = renderSvg(chart, size, out);
        break;
    }
    out.close();
    if (!made || bytes.isEmpty())
        return Result::failure(Result::TooLarge, "the chart is too large for this format");
    return {};
}

Result renderChartFile(const std::string& chartPath, const std::string& outPath)
{
    const std::optional<ChartImageFormat> format = chartImageFormat(outPath);
    if (!format)
        return Result::failure(Result::CannotCreate,
                               "cannot render '" + outPath +
                                   "': the name must end in .png, .pdf or .svg");
    ChartLoad load = readChartFile(String(chartPath.c_str()), TreeSettings());
    if (!load)
        return load;

    QByteArray bytes;
    if (Result rendered = renderChart(load.chart, *format, bytes); !rendered) {
        rendered.message = "cannot render '" + chartPath + "': " + rendered.message;
        return rendered;
    }
    return writeFileAtomically(outPath,
                               std::string_view(bytes.constData(), std::size_t(bytes.size())));
}
