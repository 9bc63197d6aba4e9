// SPDX-License-Identifier: GPL-3.0-or-later
// Posters of charts laid out from generated families, on every sheet from A4 to
// a roll: each box once and whole on the sheet, each cut connector marked at
// both ends alike, and no other number of bands printing larger.
#include "chart_checks.h"
#include "gedcom_generator.h"

#include "gedcom/gedcom_reader.h"
#include "layout/chart_import.h"
#include "poster/cut_marks.h"
#include "poster/poster_plan.h"
#include "poster/poster_title.h"

#include <QtTest>

#include <algorithm>
#include <limits>
#include <set>

namespace {

// Printable areas in 1/96 inch: A4, A2 and A0 less 10 mm margins, a narrow
// roll, low sheets where one band fewer than the most that fit prints larger,
// and a sheet larger than any chart here.
const std::vector<std::pair<double, double>> sheets{{718, 1047},  {1512, 2170},  {3103, 4418},
                                                    {2170, 1512}, {3103, 18000}, {1512, 600},
                                                    {3000, 900},  {20000, 20000}};

Chart imported(const GeneratedFamilies& families, int generations)
{
    const GedcomLoad load = readGedcom(families.text);
    if (!load)
        qFatal("generated file refused: %s", load.message().c_str());
    ImportOptions options;
    options.layout.generations = generations;
    ChartImport result = importChart(load.data, options, "generated", "/families/royal.ged");
    if (!result)
        qFatal("import failed: %s", result.message().c_str());
    return std::move(result.chart);
}

// A row of boxes each with a connector over the whole row: lines on top of
// each other, one mark a cut.
Chart overlappingLines(int columns)
{
    Chart chart;
    const int pitch = chart.settings().pitchX();
    for (int column = 0; column < columns; ++column)
        chart.mutableTree().append(std::make_unique<Person>("Anna Berg", Cell{column, 0},
                                                            Links{(columns - column) * pitch, 0}));
    return chart;
}

std::vector<Chart> generatedCharts()
{
    std::vector<Chart> charts;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const int generations = 2 + int(seed % 5);
        const DescendantShape shape{generations, 2 + int(seed % 8), int(seed % 4), 700,
                                    seed,        seed % 6 == 0};
        charts.push_back(imported(generateDescendants(shape), generations));
        charts.push_back(imported(generateVillage({6, 3 + int(seed % 4), 500, seed, seed % 2 == 0}),
                                  3 + int(seed % 3)));
    }
    charts.push_back(overlappingLines(60));
    return charts;
}

// The width a band takes on the sheet at scale 1, as the plan counts it.
long long sheetWidth(const ChartStrip& strip, int left, int right, int band, int bands)
{
    return (band > 0 ? strip.repeated + markRoom : 0) + (right - left) +
           (band < bands - 1 ? markRoom : 0);
}

// The largest scale `bands` bands print at, cut anywhere: the narrowest widest
// band over every choice of cut places, found by trying them all.
double referenceScale(const ChartStrip& strip, int bands, double width, double height)
{
    std::vector<int> edges{strip.left};
    edges.insert(edges.end(), strip.cutX.begin(), strip.cutX.end());
    edges.push_back(strip.right);
    const std::size_t n = edges.size();
    constexpr long long none = std::numeric_limits<long long>::max();
    // widest[j]: the least widest band of bands 0..c-1 ending at edge j.
    std::vector<long long> widest(n, none);
    widest[0] = 0;
    for (int c = 0; c < bands; ++c) {
        std::vector<long long> next(n, none);
        for (std::size_t j = 1; j < n; ++j)
            for (std::size_t i = 0; i < j; ++i)
                if (widest[i] != none && (c == bands - 1) == (j == n - 1))
                    next[j] = std::min(
                        next[j],
                        std::max(widest[i], sheetWidth(strip, edges[i], edges[j], c, bands)));
        widest = next;
    }
    if (widest[n - 1] == none)
        return 0;
    const double stack = double(bands) * (strip.bottom - strip.top) + (bands - 1) * bandGap;
    return std::min({1.0, width / double(widest[n - 1]), (height - posterTitleHeight) / stack});
}

// The fewest connectors that `bands` bands no wider than maxWidth cut, over
// every choice of cut places.
long long fewestCrossings(const ChartStrip& strip, int bands, long long maxWidth)
{
    std::vector<int> edges{strip.left}, crossings{0};
    edges.insert(edges.end(), strip.cutX.begin(), strip.cutX.end());
    crossings.insert(crossings.end(), strip.crossings.begin(), strip.crossings.end());
    edges.push_back(strip.right);
    crossings.push_back(0);
    const std::size_t n = edges.size();
    constexpr long long none = std::numeric_limits<long long>::max();
    std::vector<long long> least(n, none);
    least[0] = 0;
    for (int c = 0; c < bands; ++c) {
        std::vector<long long> next(n, none);
        for (std::size_t j = 1; j < n; ++j)
            for (std::size_t i = 0; i < j; ++i)
                if (least[i] != none && (c == bands - 1) == (j == n - 1) &&
                    sheetWidth(strip, edges[i], edges[j], c, bands) <= maxWidth)
                    next[j] = std::min(next[j], least[i] + crossings[j]);
        least = next;
    }
    return least[n - 1];
}

bool crosses(const HorizontalLine& line, int x) { return line.x1 < x && x < line.x2; }

} // namespace

class PosterPlanTest : public QObject {
    Q_OBJECT
private slots:
    void postersOfGeneratedFamilies();
    void cutsFallBetweenBranches();
    void titleNamesRootAndFile();
};

void PosterPlanTest::postersOfGeneratedFamilies()
{
    int wrapped = 0;
    for (const Chart& chart : generatedCharts()) {
        const ChartStrip strip = chartStrip(chart, true);
        const TreeSettings& s = chart.settings();
        for (const auto& [width, height] : sheets) {
            const PosterPlan plan = planPoster(strip, width, height);
            const int bands = int(plan.bands.size());
            QVERIFY(bands >= 1 && plan.scale > 0 && plan.scale <= 1);
            QVERIFY(posterWidth(strip, plan) <= width + 1e-6);
            QVERIFY(posterHeight(strip, plan) <= height + 1e-6);
            QCOMPARE(plan.bands.front().left, strip.left);
            QCOMPARE(plan.bands.back().right, strip.right);
            for (int b = 1; b < bands; ++b)
                QCOMPARE(plan.bands[std::size_t(b)].left, plan.bands[std::size_t(b) - 1].right);
            wrapped += bands > 1;

            // Every box whole in exactly one band, and inside the sheet.
            chart.tree().forEachPerson([&](const Person* box) {
                const Rect rect = s.boxRect(box->cell());
                int holding = 0;
                for (const PosterBand& band : plan.bands) {
                    QVERIFY(rect.right <= band.left || rect.left >= band.right ||
                            (rect.left >= band.left && rect.right <= band.right));
                    if (rect.left >= band.left && rect.right <= band.right) {
                        ++holding;
                        const double x = band.sheetX + (rect.right - band.left) * plan.scale;
                        const double y = band.sheetY + (rect.bottom - strip.top) * plan.scale;
                        QVERIFY(band.sheetX >= 0 && x <= width + 1e-6);
                        QVERIFY(band.sheetY >= posterTitleHeight && y <= height + 1e-6);
                    }
                }
                QCOMPARE(holding, 1);
            });

            // Each cut connector's height marked once at its cut, every label its own.
            std::set<std::pair<std::size_t, int>> expected;
            for (std::size_t b = 1; b < plan.bands.size(); ++b)
                for (const HorizontalLine& line : strip.lines)
                    if (crosses(line, plan.bands[b].left))
                        expected.insert({b - 1, line.y});
            const std::vector<CutMark> marks = cutMarks(strip, plan);
            std::set<std::pair<std::size_t, int>> found;
            std::set<std::string> labels;
            for (const CutMark& mark : marks) {
                found.insert({mark.band, mark.y});
                labels.insert(mark.label);
            }
            QCOMPARE(found, expected);
            QCOMPARE(marks.size(), found.size());
            QCOMPARE(labels.size(), marks.size());

            // No other number of bands prints larger, and none fewer as large.
            const int most = int(strip.cutX.size()) + 1;
            for (int other = 1; other <= std::min(most, bands + 3); ++other) {
                const double scale = referenceScale(strip, other, width, height);
                QVERIFY2(scale <= plan.scale * (1 + 1e-9),
                         qPrintable(QStringLiteral("%1 bands print at %2, the plan's %3 at %4")
                                        .arg(other)
                                        .arg(scale)
                                        .arg(bands)
                                        .arg(plan.scale)));
                if (other < bands)
                    QVERIFY(scale < plan.scale);
            }
            QVERIFY(qAbs(referenceScale(strip, bands, width, height) - plan.scale) < 1e-9);

            // Among the cuts that keep the scale, those that cut the fewest connectors.
            long long cut = 0;
            for (std::size_t b = 1; b < plan.bands.size(); ++b)
                cut += strip.crossings[std::size_t(
                    std::find(strip.cutX.begin(), strip.cutX.end(), plan.bands[b].left) -
                    strip.cutX.begin())];
            QCOMPARE(cut, fewestCrossings(strip, bands,
                                          (long long)std::floor(width / plan.scale + 1e-6)));
        }
    }
    QVERIFY(wrapped > 20); // the sheets do wrap most of these charts
}

// Three branches of a root, joined only by the line of the root's children:
// the cut falls where that line alone crosses, at the start of a branch.
void PosterPlanTest::cutsFallBetweenBranches()
{
    Chart chart;
    Tree& tree = chart.mutableTree();
    const int pitch = chart.settings().pitchX();
    tree.append(std::make_unique<Person>("Root", Cell{0, 0}, Links{0, 20}));
    for (int branch = 0; branch < 3; ++branch) {
        const int first = branch * 4;
        const bool last = branch == 2;
        tree.append(std::make_unique<Person>("Child", Cell{first, 1},
                                             Links{last ? 0 : 4 * pitch - 120, 20}));
        for (int column = first; column < first + 4; ++column)
            tree.append(std::make_unique<Person>("Grandchild", Cell{column, 2},
                                                 Links{column < first + 3 ? 20 : 0, 0}));
    }
    const ChartStrip strip = chartStrip(chart, true);
    const std::vector<int> starts{strip.cutX[3], strip.cutX[7]};
    for (std::size_t i = 0; i < strip.cutX.size(); ++i)
        QCOMPARE(bool(strip.betweenBranches[i]), i == 3 || i == 7);
    // Wide enough for two branches a band, not for all three in one.
    const PosterPlan plan = planPoster(strip, 8 * pitch + 200, 2000);
    QCOMPARE(plan.bands.size(), std::size_t(2));
    QVERIFY(std::find(starts.begin(), starts.end(), plan.bands[1].left) != starts.end());
    const std::vector<CutMark> marks = cutMarks(strip, plan);
    QCOMPARE(marks.size(), std::size_t(1));
    QCOMPARE(marks.front().y,
             chart.settings().boxRect({0, 1}).top + chart.settings().boxHeight / 2);
}

void PosterPlanTest::titleNamesRootAndFile()
{
    const Chart chart = imported(generateDescendants({3, 3, 0, 50, 5, false}), 3);
    const Person* root = chartRoot(chart);
    QVERIFY(root);
    QCOMPARE(root->cell().level, 0);
    const std::string title = posterTitle(chart);
    QVERIFY2(title.rfind(nameLine(*root), 0) == 0, title.c_str());
    QVERIFY2(title.ends_with("royal.ged"), title.c_str());
    QCOMPARE(posterTitle(Chart({}, "Notes")), std::string("Notes"));
}

QTEST_GUILESS_MAIN(PosterPlanTest)
#include "poster_plan_test.moc"
