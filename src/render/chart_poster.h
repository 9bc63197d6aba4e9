// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "poster/poster_plan.h"

#include <QSizeF>

class Chart;
class QPainter;
class RenderOutput;

// The chart's poster on a printable area of `area` (1/96 inch).
PosterPlan chartPosterPlan(const Chart& chart, QSizeF area);

// Paints the chart as a poster on a printable area of `area` (1/96 inch) whose
// top-left is the painter's origin, on a device of `dpi`: the title line, then
// each band with the generation column at its left and a labelled mark at each
// end of a cut connector. The paper stays white unless `background` is asked
// for. With an output, each box drawn is a step of its progress.
void paintChartPoster(QPainter& painter, double dpi, QSizeF area, const Chart& chart,
                      bool background, RenderOutput* progress = nullptr);
