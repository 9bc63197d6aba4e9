// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/page_layout.h"

#include <QSizeF>

#include <string>
#include <vector>

class Chart;
class QPagedPaintDevice;
class QPainter;
class RenderOutput;

// A chart cut into pages: where each column and row of pages starts (chart
// pixels), the scale (1 = one chart pixel per 1/96 inch) and how much of the
// chart's left edge every later column of pages repeats.
struct PagePlan {
    std::vector<int> columnStarts;
    std::vector<int> rowStarts;
    double scale = 1;
    int repeated = 0;
};

// The pages for paper whose printable area, less the footer, is `paper` in
// 1/96 inch.
PagePlan planPages(const Chart& chart, QSizeF paper, const PageOptions& options);

// Paints every page of the chart on a printer or PDF writer the painter has
// begun: the part of the chart at its scale, the generation column again on
// later columns of pages, and a footer naming the chart and the page. The
// paper stays white unless the options ask for the background; no selection is
// drawn. With an output, each box drawn is a step of its progress.
void paintChartPages(QPainter& painter, QPagedPaintDevice& device, const Chart& chart,
                     const PageOptions& options, RenderOutput* progress = nullptr);
