// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "render/page_layout.h"
#include "render/render_output.h"

#include <QByteArray>

#include <optional>
#include <string>
#include <string_view>

class Chart;

// A chart as the view paints it, without a selection, over its whole scroll area
// (the size the boxes are drawn at), as an image or vector file. Needs a
// QGuiApplication. A PNG is made band by band and every format is written as it
// is drawn, so a render needs little memory whatever the chart's size.
enum class ChartImageFormat { Png, Pdf, Svg };

// The format named by a path's extension (.png, .pdf or .svg, any case).
std::optional<ChartImageFormat> chartImageFormat(std::string_view path);

// A PDF is one page the size of the chart unless pages are asked for: then it
// is laid out on the options' paper as printing does.
using PdfPages = std::optional<PageOptions>;

// Renders the chart into bytes of the format. Fails (TooLarge) when the picture
// cannot be made: a chart too large for an image.
Result renderChart(const Chart& chart, ChartImageFormat format, QByteArray& bytes,
                   const PdfPages& pages = {});

// Renders the chart into the file, atomically: on failure (a picture too large,
// refused before anything is drawn; a write that fails; no memory left) or when
// progress answers false, the message says why and the file is left as it was.
Result writeChartImage(const Chart& chart, ChartImageFormat format, const std::string& outPath,
                       const PdfPages& pages = {}, const RenderProgress& progress = {});

// Opens the chart file and renders it with writeChartImage.
Result renderChartFile(const std::string& chartPath, const std::string& outPath,
                       const PdfPages& pages = {});
