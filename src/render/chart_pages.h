// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/page_layout.h"

class Chart;
class QPagedPaintDevice;
class QPainter;
class RenderOutput;

// Paints every page of the chart on a printer or PDF writer the painter has
// begun: the part of the chart at its scale, the generation column again on
// later columns of pages, and a footer naming the chart and the page. The
// paper stays white unless the options ask for the background; no selection is
// drawn. With an output, each box drawn is a step of its progress.
void paintChartPages(QPainter& painter, QPagedPaintDevice& device, const Chart& chart,
                     const PageOptions& options, RenderOutput* progress = nullptr);
