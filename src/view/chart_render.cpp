// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_render.h"

#include "atomic_file.h"
#include "chart_painter.h"
#include "chart_reader.h"
#include "generation_column.h"
#include "qt_draw_context.h"
#include "tree.h"

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

bool paintInto(QPaintDevice& device, Tree& tree)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    GenerationColumn column;
    column.tree = &tree;
    {
        QtDrawContext dc(painter);
        paintChart(dc, &tree, column);
    }
    return painter.end();
}

bool renderPng(Tree& tree, QSize size, QBuffer& out)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    return paintInto(image, tree) && image.save(&out, "PNG");
}

bool renderPdf(Tree& tree, QSize size, QBuffer& out)
{
    QPdfWriter writer(&out);
    writer.setResolution(chartDpi);
    const QSizeF points = QSizeF(size) * 72.0 / chartDpi;
    writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QString::fromUtf8(tree.name().c_str()));
    writer.setCreator(QStringLiteral("Stirpa"));
    return paintInto(writer, tree);
}

bool renderSvg(Tree& tree, QSize size, QBuffer& out)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&out);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(chartDpi);
    generator.setTitle(QString::fromUtf8(tree.name().c_str()));
    return paintInto(generator, tree);
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

bool renderChart(Tree& tree, ChartImageFormat format, QByteArray& bytes)
{
    const Size total = chartTotalSize(&tree);
    const QSize size(total.width, total.height);
    // The picture has no selection; the tree keeps its own.
    Person* const selected = tree.selected;
    const bool frameDrawn = tree.selectionFrame.drawn;
    tree.selected = nullptr;
    tree.selectionFrame.drawn = false;

    bytes.clear();
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    bool made = false;
    switch (format) {
    case ChartImageFormat::Png:
        made = renderPng(tree, size, out);
        break;
    case ChartImageFormat::Pdf:
        made = renderPdf(tree, size, out);
        break;
    case ChartImageFormat::Svg:
        made = renderSvg(tree, size, out);
        break;
    }
    out.close();

    tree.selected = selected;
    tree.selectionFrame.drawn = frameDrawn;
    return made && !bytes.isEmpty();
}

RenderResult renderChartFile(const std::string& chartPath, const std::string& outPath)
{
    const std::optional<ChartImageFormat> format = chartImageFormat(outPath);
    if (!format)
        return {false, "cannot render '" + outPath + "': the name must end in .png, .pdf or .svg"};
    ChartLoad load = readChartFile(String(chartPath.c_str()), treeSettings());
    if (!load)
        return {false, load.message};
    treeSettings() = load.settings;

    QByteArray bytes;
    if (!renderChart(*load.tree, *format, bytes))
        return {false, "cannot render '" + chartPath + "': the chart is too large for this format"};
    std::string error;
    if (!writeFileAtomically(outPath, bytes.toStdString(), error))
        return {false, error};
    return {true, {}};
}
