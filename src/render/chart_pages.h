// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/page_layout.h"

#include <QPageLayout>

class Chart;
class QPagedPaintDevice;
class QPainter;
class RenderOutput;

// Paints every page of the chart on a printer or PDF writer the painter has
// begun: the part of the chart at its scale, the generation column again on
// later columns of pages, and a footer naming the chart and the page; or, for
// a poster, the one sheet paintChartPoster() paints. The
// paper stays white unless the options ask for the background; no selection is
// drawn. With an output, each box drawn is a step of its progress.
void paintChartPages(QPainter& painter, QPagedPaintDevice& device, const Chart& chart,
                     const PageOptions& options, RenderOutput* progress = nullptr);

// The layout's page turned as the options ask, else the way that takes fewer
// pages for the chart, then the way that prints it larger (portrait when both
// are alike).
QPageLayout::Orientation chartOrientation(const Chart& chart, QPageLayout layout,
                                          const PageOptions& options);

// The layout with the options' paper, turned by chartOrientation, its margins kept.
QPageLayout chartPaper(const Chart& chart, QPageLayout layout, const PageOptions& options);

// Sets the device's paper to chartPaper(). False when the device refuses it.
bool setChartPaper(QPagedPaintDevice& device, const Chart& chart, const PageOptions& options);

// How many pages the chart takes on the layout's paper (a poster: one).
long long chartPageCount(const Chart& chart, const QPageLayout& layout, const PageOptions& options);
