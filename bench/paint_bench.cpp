// SPDX-License-Identifier: GPL-3.0-or-later
// Paint timings: one 1000 x 800 viewport at the far corner of generated charts of
// growing size, and whole-chart renders. A viewport should cost about the same
// whatever the chart's size.
#include "chart_generator.h"
#include "view/chart_overview.h"
#include "render/chart_painter.h"
#include "render/chart_render.h"
#include "render/qt_draw_context.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>

namespace {

constexpr QSize viewport(1000, 800);

Chart& chart(int boxes)
{
    static std::map<int, Chart> charts;
    auto found = charts.find(boxes);
    if (found == charts.end())
        found = charts.emplace(boxes, generateChart(boxes)).first;
    return found->second;
}

// The viewport at a screen scale: 2 draws four times the pixels of 1.
void paintViewportAt(benchmark::State& state, qreal ratio)
{
    const Chart& painted = chart(int(state.range(0)));
    const Tree& tree = painted.tree();
    const Size total = tree.settings().drawnSize(tree.extent());
    const QPoint corner(std::max(0, total.width - viewport.width()),
                        std::max(0, total.height - viewport.height()));
    QImage image(viewport * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        QPainter painter(&image);
        QtDrawContext dc(painter, corner, {viewport.width(), viewport.height()});
        paintChart(dc, &painted);
    }
    state.counters["boxes"] = double(tree.size());
    state.counters["drawn"] =
        double(tree.boxesInArea({corner.x(), corner.y(), corner.x() + viewport.width(),
                                 corner.y() + viewport.height()})
                   .size());
}

// The viewport at the top-left corner at a zoom: 0 fits the whole chart (not
// below the smallest zoom, 2 %).
void paintZoomed(benchmark::State& state, double zoom)
{
    const Chart& painted = chart(int(state.range(0)));
    const Size total = painted.settings().drawnSize(painted.tree().extent());
    if (zoom == 0)
        zoom = std::max(0.02, std::min(double(viewport.width()) / total.width,
                                       double(viewport.height()) / total.height));
    QImage image(viewport, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QtDrawContext dc(painter, {}, {viewport.width(), viewport.height()}, {}, zoom);
        paintChart(dc, &painted);
    }
    state.counters["zoom"] = zoom;
}

void paintFitChart(benchmark::State& state) { paintZoomed(state, 0); }

// The overview's picture, made again after an edit.
void overviewAfterEdit(benchmark::State& state)
{
    const Chart& shown = chart(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(chartOverviewImage(shown, {240, 180}));
}
void paintActualSize(benchmark::State& state) { paintZoomed(state, 1); }
// One Zoom Out step from actual size: a whole repaint at 80 %.
void paintZoomStep(benchmark::State& state) { paintZoomed(state, 0.8); }

void paintViewport(benchmark::State& state) { paintViewportAt(state, 1); }
void paintViewportScale2(benchmark::State& state) { paintViewportAt(state, 2); }

void renderWhole(benchmark::State& state, ChartImageFormat format)
{
    const Chart& rendered = chart(int(state.range(0)));
    QByteArray bytes;
    for (auto _ : state) {
        if (!renderChart(rendered, format, bytes))
            state.SkipWithError("render failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

void renderPng(benchmark::State& state) { renderWhole(state, ChartImageFormat::Png); }
void renderSvg(benchmark::State& state) { renderWhole(state, ChartImageFormat::Svg); }
void renderPdf(benchmark::State& state) { renderWhole(state, ChartImageFormat::Pdf); }

} // namespace

BENCHMARK(paintViewport)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(paintViewportScale2)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(paintFitChart)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(overviewAfterEdit)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(paintActualSize)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(paintZoomStep)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(renderPng)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(renderSvg)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(renderPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
