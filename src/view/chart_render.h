// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chartfile/result.h"

#include <QByteArray>

#include <optional>
#include <string>
#include <string_view>

class Chart;

// A chart as the view paints it, without a selection, over its whole scroll area
// (the boxes' extent + (150, 150)), as an image or vector file. Needs a
// QGuiApplication.
enum class ChartImageFormat { Png, Pdf, Svg };

// The format named by a path's extension (.png, .pdf or .svg, any case).
std::optional<ChartImageFormat> chartImageFormat(std::string_view path);

// Renders the chart into bytes of the format. Fails (TooLarge) when the picture
// cannot be made: a chart too large for an image.
Result renderChart(const Chart& chart, ChartImageFormat format, QByteArray& bytes);

// Opens the chart file, renders it and writes the output file atomically. On
// failure the message says why and the output file is left as it was.
Result renderChartFile(const std::string& chartPath, const std::string& outPath);
