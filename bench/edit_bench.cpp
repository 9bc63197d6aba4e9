// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the editing operations that search cells, on a generated chart of
// about 100,000 boxes with an ancestor line of 1,000 generations beside it and a
// row of 1,000 columns below it. Each should take well under a millisecond,
// whatever the chart's size; only an insertion is linear.
#include "chart_generator.h"
#include "chartfile/chart_writer.h"
#include "document/chart_document.h"
#include "model/lineage.h"
#include "view/chart_view.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <utility>

namespace {

constexpr int generations = 1000;
constexpr int rowColumns = 1000;

struct EditChart {
    Chart chart;
    Person* lineBottom = nullptr;
    Person* rowStart = nullptr;
    Cell gridEnd;
};

// The generated grid keeps its boxes to about 100,000 with the additions.
EditChart makeEditChart()
{
    EditChart made;
    made.chart = generateChart(100000 - 2 * generations - 2);
    Tree& tree = made.chart.mutableTree();
    made.gridEnd = tree.extentCells();
    const int lineColumn = made.gridEnd.column + 2;
    made.lineBottom = addAncestorLine(tree, lineColumn, generations - 1, generations);
    const int rowLevel = std::max(made.gridEnd.level, generations) + 1;
    made.rowStart = addLongRow(tree, rowLevel, rowColumns);
    tree.resetExtent();
    tree.extent();
    return made;
}

EditChart& editChart()
{
    static EditChart chart = makeEditChart();
    return chart;
}

void setBoxes(benchmark::State& state)
{
    state.counters["boxes"] = double(editChart().chart.tree().size());
}

// Climbs from the bottom of the ancestor line as far as it goes, adding the
// lineage to the path; the steps taken.
int climb(const Tree& tree, LineagePath& path)
{
    int steps = 0;
    for (const Person* found = tree.findParent(editChart().lineBottom, &path); found;
         found = tree.findParent(found, &path))
        ++steps;
    return steps;
}

void findPerson(benchmark::State& state)
{
    const Tree& tree = editChart().chart.tree();
    const Cell end = editChart().gridEnd;
    Cell cell{0, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(tree.findPerson(cell));
        // Stride through the whole grid, empty cells included.
        cell.column = (cell.column + 37) % (end.column + 1);
        cell.level = (cell.level + 11) % (end.level + 1);
    }
    setBoxes(state);
}

// The document's selection, with no view to paint it.
void selectCell(benchmark::State& state)
{
    ChartDocument document;
    document.adoptUntitled(makeEditChart().chart);
    const Cell end = editChart().gridEnd;
    Cell cell{0, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.selectCell(cell));
        cell.column = (cell.column + 37) % (end.column + 1);
        cell.level = (cell.level + 11) % (end.level + 1);
    }
    setBoxes(state);
}

// The view's arrow keys, drawing the old and new selection into its image.
void arrowKey(benchmark::State& state)
{
    // The view shows the chart its document opened: the edit chart, saved.
    QTemporaryDir dir;
    const QString path = dir.filePath("edit.txt");
    if (!saveChartFile(path.toStdString(), editChart().chart)) {
        state.SkipWithError("cannot save the chart");
        return;
    }
    ChartDocument document;
    ChartView view(&document);
    view.resize(1000, 800);
    view.show();
    if (!document.open(path)) {
        state.SkipWithError("cannot open the chart");
        return;
    }
    QApplication::processEvents();
    view.selectCell({3, 3});
    bool right = true;
    for (auto _ : state) {
        view.stepSelection(right ? Qt::RightArrow : Qt::LeftArrow);
        right = !right;
    }
    setBoxes(state);
}

// A box moved to an empty cell and back, then switched with a neighbour and back.
void move(benchmark::State& state)
{
    Tree& tree = editChart().chart.mutableTree();
    const Cell end = editChart().gridEnd;
    const Cell box = tree.findPerson(end) ? end : Cell{0, 0};
    const Cell empty{end.column + 1, 0};
    const Cell neighbour{box.column, box.level - 1};
    int step = 0;
    auto next = [&] {
        switch (step++ % 4) {
        case 0:
            return tree.move(box, empty);
        case 1:
            return tree.move(empty, box);
        case 2:
            return tree.move(box, neighbour);
        default:
            return tree.move(neighbour, box);
        }
    };
    for (auto _ : state)
        benchmark::DoNotOptimize(next());
    // Leave the chart as it was for the timings after this one.
    while (step % 4 != 0)
        next();
    setBoxes(state);
}

void fitConnectors(benchmark::State& state)
{
    Tree& tree = editChart().chart.mutableTree();
    Person* box = editChart().rowStart;
    for (auto _ : state)
        tree.fitConnectors(box);
    if (box->rightLink() != (rowColumns - 2) * tree.settings().pitchX() + gapX)
        state.SkipWithError("the connector missed the row's end");
    setBoxes(state);
}

// Cutting the box last in list order (the longest search of the list) and
// putting it back with Undo.
void cutAndUndo(benchmark::State& state)
{
    Tree& tree = editChart().chart.mutableTree();
    for (auto _ : state) {
        tree.erase(tree.lastBox(), UndoRecord::Cut);
        tree.undo();
    }
    setBoxes(state);
}

// The remotest-ancestor search: findParent again on each parent found.
void findAncestor(benchmark::State& state)
{
    const Tree& tree = editChart().chart.tree();
    LineagePath path;
    int steps = 0;
    for (auto _ : state) {
        steps = climb(tree, path);
        state.PauseTiming();
        path.clear();
        state.ResumeTiming();
    }
    if (steps != generations - 1)
        state.SkipWithError("the climb stopped early");
    setBoxes(state);
}

// Clearing the lineage before a new search.
void clearLineage(benchmark::State& state)
{
    Tree& tree = editChart().chart.mutableTree();
    for (auto _ : state) {
        state.PauseTiming();
        LineagePath path;
        climb(tree, path);
        for (const LineageMark& mark : path)
            tree.markLineage(mark);
        state.ResumeTiming();
        tree.clearLineage();
    }
    setBoxes(state);
}

void insertLine(benchmark::State& state)
{
    Tree& tree = editChart().chart.mutableTree();
    const Cell end = editChart().gridEnd;
    bool column = true;
    for (auto _ : state) {
        tree.insertLine(column ? 'x' : 'y', column ? end.column + 10 : end.level + 10);
        column = !column;
    }
    setBoxes(state);
}

} // namespace

BENCHMARK(findPerson)->Unit(benchmark::kMicrosecond);
BENCHMARK(selectCell)->Unit(benchmark::kMicrosecond);
BENCHMARK(arrowKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(move)->Unit(benchmark::kMicrosecond);
BENCHMARK(fitConnectors)->Unit(benchmark::kMicrosecond);
BENCHMARK(cutAndUndo)->Unit(benchmark::kMicrosecond);
BENCHMARK(findAncestor)->Unit(benchmark::kMicrosecond);
BENCHMARK(clearLineage)->Unit(benchmark::kMicrosecond);
BENCHMARK(insertLine)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
