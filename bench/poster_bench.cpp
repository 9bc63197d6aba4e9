// SPDX-License-Identifier: GPL-3.0-or-later
// Posters. With chart files: each as an A0 and an A2 poster, its bands, scale,
// smallest text in points and the share of the sheet its bands cover. Without:
// the time and peak memory of a poster PDF of a 100,000-box chart (a generated
// family's descendants, wide as real ones are) written to memory.
#include "gedcom_generator.h"

#include "chartfile/chart_reader.h"
#include "gedcom/gedcom_reader.h"
#include "layout/chart_import.h"
#include "render/chart_pages.h"
#include "render/chart_poster.h"
#include "render/chart_render.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QRectF>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr double marginMm = 10;

long long peakResidentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoll(line.substr(6));
    return 0;
}

void printFigures(const std::string& path, const Chart& chart, Paper paper, const char* name)
{
    PageOptions options;
    options.mode = PageOptions::Poster;
    options.paper = paper;
    const QPageLayout margins(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                              QMarginsF(marginMm, marginMm, marginMm, marginMm),
                              QPageLayout::Millimeter);
    const QPageLayout layout = chartPaper(chart, margins, options);
    const QRectF inches = layout.paintRect(QPageLayout::Inch);
    const QSizeF area(inches.width() * 96, inches.height() * 96);
    const ChartStrip strip = chartStrip(chart, true);
    const PosterPlan plan = planPoster(strip, area.width(), area.height());
    double covered = 0;
    for (const PosterBand& band : plan.bands)
        covered += (band.right - band.left) * double(strip.bottom - strip.top);
    covered *= plan.scale * plan.scale / (area.width() * area.height());
    const Rect drawn = chart.tree().drawnArea();
    std::printf("| %s | %d x %d | %s %s | %zu | %.3f | %.1f pt | %.0f %% |\n", path.c_str(),
                drawn.right - drawn.left, drawn.bottom - drawn.top, name,
                layout.orientation() == QPageLayout::Landscape ? "landscape" : "portrait",
                plan.bands.size(), plan.scale, posterMarkText * plan.scale * 0.75, 100 * covered);
}

Chart wideChart(int boxes)
{
    const GeneratedFamilies family = generateDescendants({7, 6, 2, boxes, 3, false});
    const GedcomLoad load = readGedcom(family.text);
    ImportOptions options;
    options.layout.generations = 7;
    ChartImport imported = importChart(load.data, options, "wide");
    return std::move(imported.chart);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc > 1) {
        std::printf("| chart | pixels | poster | bands | scale | smallest text | covered |\n"
                    "|---|---|---|--:|--:|--:|--:|\n");
        for (int i = 1; i < argc; ++i) {
            ChartLoad load = readChartFile(argv[i], TreeSettings());
            if (!load) {
                std::fprintf(stderr, "%s: %s\n", argv[i], load.message().c_str());
                return 1;
            }
            printFigures(argv[i], load.chart, Paper::A0, "A0");
            printFigures(argv[i], load.chart, Paper::A2, "A2");
        }
        return 0;
    }
    const Chart chart = wideChart(100000);
    const Rect drawn = chart.tree().drawnArea();
    std::printf("%zu boxes, %d x %d pixels\n", chart.tree().size(), drawn.right - drawn.left,
                drawn.bottom - drawn.top);
    const long long before = peakResidentKb();
    const auto planStart = std::chrono::steady_clock::now();
    const PosterPlan plan = planPoster(chartStrip(chart, true), 3103, 4418);
    const std::chrono::duration<double> planned = std::chrono::steady_clock::now() - planStart;
    std::printf("plan for A0 portrait: %.3f s, %zu bands at %.4f\n", planned.count(),
                plan.bands.size(), plan.scale);
    PageOptions options;
    options.mode = PageOptions::Poster;
    options.paper = Paper::A0;
    QByteArray bytes;
    const auto start = std::chrono::steady_clock::now();
    const Result result = renderChart(chart, ChartImageFormat::Pdf, bytes, options);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!result) {
        std::fprintf(stderr, "%s\n", result.message().c_str());
        return 1;
    }
    std::printf("A0 poster PDF: %.2f s, %.1f MB, peak memory %.0f MB (%.0f MB before)\n",
                took.count(), bytes.size() / 1e6, peakResidentKb() / 1024.0, before / 1024.0);
    return 0;
}
