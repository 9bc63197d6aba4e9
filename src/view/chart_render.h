// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>
#include <string>
#include <string_view>

class Tree;

// A chart as the view paints it, without a selection, over its whole scroll area
// (extent + (150, 150)), as an image or vector file. Needs a QGuiApplication.
enum class ChartImageFormat { Png, Pdf, Svg };

// The format named by a path's extension (.png, .pdf or .svg, any case).
std::optional<ChartImageFormat> chartImageFormat(std::string_view path);

// Renders the tree into bytes of the format. Recomputes the tree's extent; its
// selection is left as it was. False when the picture cannot be made (a chart
// too large for an image).
bool renderChart(Tree& tree, ChartImageFormat format, QByteArray& bytes);

struct RenderResult {
    bool ok = false;
    std::string message;
    explicit operator bool() const { return ok; }
};

// Opens the chart file (its settings come into force), renders it and writes the
// output file atomically. On failure the message says why and the output file
// is left as it was.
RenderResult renderChartFile(const std::string& chartPath, const std::string& outPath);
