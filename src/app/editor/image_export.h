// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "render/chart_render.h"

class QWidget;

// Writes the chart as an image file with writeChartImage, showing a progress
// dialog with Cancel while a large chart takes its time.
Result exportChartImage(QWidget* parent, const Chart& chart, const std::string& path,
                        const PdfPages& pages);
