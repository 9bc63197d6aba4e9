// SPDX-License-Identifier: GPL-3.0-or-later
// The parent answers held against Tree::findParent itself, box by box, on the
// sample, the test charts and crowded random charts: every kind of box, empty
// cells, boxes sharing a cell, negative cells and connectors of every length,
// and long linked rows where a search per box would cross the row each time.
#include "chartfile/chart_reader.h"
#include "model/chart.h"
#include "model/parent_table.h"

#include <QDirIterator>
#include <QTest>

#include <algorithm>
#include <map>
#include <random>

namespace {

Chart randomChart(unsigned seed, int columns, int levels, int boxes)
{
    std::mt19937 random(seed);
    auto pick = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    Chart chart;
    for (int i = 0; i < boxes; ++i) {
        const Cell cell{pick(-2, columns), pick(-2, levels)};
        const Links links{pick(0, 3) == 0 ? 0 : 20, pick(0, 2) == 0 ? 0 : 20};
        if (pick(0, 9) == 0)
            chart.mutableTree().append(std::make_unique<ContPerson>("c", cell, links, pick(0, 4)));
        else
            chart.mutableTree().append(std::make_unique<Person>("p", cell, links));
    }
    return chart;
}

// The red steps a search adds, as the page draws them from an answer.
using Marks = std::map<const Person*, int>;

Marks marksOfPath(const LineagePath& path)
{
    Marks marks;
    for (const LineageMark& mark : path) {
        if (mark.bits)
            marks[mark.box] |= mark.bits;
    }
    return marks;
}

Marks marksOfAnswer(const Tree& tree, const Person& box, const ParentAnswer& answer)
{
    Marks marks;
    const int column = box.column(), level = box.level();
    auto row = [&](int from, int to) {
        for (int x = from; x < to; ++x) {
            if (const Person* step = tree.findPerson({x, level}))
                marks[step] |= 1;
        }
    };
    if (answer.levelsUp) {
        const int parentColumn = column + answer.columnOffset;
        row(std::min(column, parentColumn), std::max(column, parentColumn));
        marks[tree.findPerson({parentColumn, level - answer.levelsUp})] |= 2;
    } else {
        row(column + answer.residueOffset, column);
    }
    return marks;
}

void compareWithFindParent(const Tree& tree)
{
    const std::vector<ParentAnswer> answers = parentAnswers(tree);
    QCOMPARE(answers.size(), tree.size());
    std::size_t index = 0;
    tree.forEachPerson([&](const Person* box) {
        const ParentAnswer& answer = answers[index++];
        LineagePath path;
        const Person* parent = tree.findParent(box, &path);
        if (box->kind() != BoxKind::Person) {
            QCOMPARE(answer.levelsUp, 0);
            QCOMPARE(answer.residueOffset, 0);
            return;
        }
        const Person* found = answer.levelsUp
                                  ? tree.findPerson({box->column() + answer.columnOffset,
                                                     box->level() - answer.levelsUp})
                                  : nullptr;
        QCOMPARE(found, parent);
        QVERIFY(marksOfAnswer(tree, *box, answer) == marksOfPath(path));
    });
}

// One row of linked boxes from column `from` on, with one parent box above
// column `parentColumn` (none when outside the row) and a continuation box at
// column `breakColumn` (none when outside it).
Chart longRow(int from, int count, int parentColumn, int breakColumn)
{
    Chart chart;
    Tree& tree = chart.mutableTree();
    if (parentColumn >= from && parentColumn < from + count)
        tree.append(std::make_unique<Person>("parent", Cell{parentColumn, 3}, Links{0, 20}));
    for (int x = from; x < from + count; ++x) {
        const Cell cell{x, 4};
        if (x == breakColumn)
            tree.append(std::make_unique<ContPerson>("c", cell, Links{20, 20}, 1));
        else
            tree.append(std::make_unique<Person>("p", cell, Links{20, 0}));
    }
    return chart;
}

} // namespace

class ParentTableTest : public QObject {
    Q_OBJECT
private slots:
    void sample();
    void randomCharts_data();
    void randomCharts();
    void hostileCharts_data();
    void hostileCharts();
    void dataFiles_data();
    void dataFiles();
};

void ParentTableTest::sample()
{
    const ChartLoad load = readChartFile(STIRPA_SOURCE_DIR "/resources/sample.txt", TreeSettings());
    QVERIFY(load);
    compareWithFindParent(load.chart.tree());
    // Owen Merrow's parent is Leonard, found leftward along the row.
    const std::vector<ParentAnswer> answers = parentAnswers(load.chart.tree());
    std::size_t owen = 0;
    load.chart.tree().forEachPerson([&, index = std::size_t(0)](const Person* box) mutable {
        if (box->text.starts_with("Owen Merrow"))
            owen = index;
        ++index;
    });
    QCOMPARE(answers[owen].levelsUp, 1);
    QCOMPARE(answers[owen].columnOffset, -1);
}

void ParentTableTest::randomCharts_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("boxes");
    QTest::newRow("sparse, wide") << 1u << 40 << 6 << 60;
    QTest::newRow("crowded, cells shared") << 2u << 6 << 5 << 80;
    QTest::newRow("one row") << 3u << 30 << 0 << 40;
    QTest::newRow("one column") << 4u << 0 << 30 << 40;
    QTest::newRow("tall and deep") << 5u << 12 << 25 << 300;
    QTest::newRow("many more") << 6u << 50 << 50 << 3000;
}

void ParentTableTest::randomCharts()
{
    QFETCH(unsigned, seed);
    QFETCH(int, columns);
    QFETCH(int, levels);
    QFETCH(int, boxes);
    for (unsigned round = 0; round < 20; ++round) {
        const Chart chart = randomChart(seed * 100 + round, columns, levels, boxes);
        compareWithFindParent(chart.tree());
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QString("seed %1").arg(seed * 100 + round)));
    }
}

// Charts that make a search per box cross a whole long row: the table must
// still give each box the same answer.
void ParentTableTest::hostileCharts_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("parentColumn");
    QTest::addColumn<int>("breakColumn");
    QTest::newRow("linked row, no parent") << 0 << 600 << -1 << -1;
    QTest::newRow("parent above the last box") << 5 << 600 << 604 << -1;
    QTest::newRow("parent above the first box") << 5 << 600 << 5 << -1;
    QTest::newRow("parent in the middle") << 5 << 600 << 300 << -1;
    QTest::newRow("continuation box just before the parent") << 5 << 600 << 300 << 299;
    QTest::newRow("continuation box at the parent") << 5 << 600 << 300 << 300;
    QTest::newRow("continuation box just after the parent") << 5 << 600 << 300 << 301;
    QTest::newRow("row from negative columns, parent at column 0") << -40 << 600 << 0 << -1;
    QTest::newRow("row from negative columns, parent at column -1") << -40 << 600 << -1 << -1;
    QTest::newRow("row from negative columns, parent at column 1") << -40 << 600 << 1 << 200;
}

void ParentTableTest::hostileCharts()
{
    QFETCH(int, from);
    QFETCH(int, count);
    QFETCH(int, parentColumn);
    QFETCH(int, breakColumn);
    compareWithFindParent(longRow(from, count, parentColumn, breakColumn).tree());
}

// Every chart the tests hold, the damaged ones included, as they open.
void ParentTableTest::dataFiles_data()
{
    QTest::addColumn<QString>("path");
    QDirIterator files(STIRPA_SOURCE_DIR "/tests/data", {"*.txt"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QTest::newRow(qPrintable(QDir(STIRPA_SOURCE_DIR).relativeFilePath(path))) << path;
    }
}

void ParentTableTest::dataFiles()
{
    QFETCH(QString, path);
    const ChartLoad load = readChartFile(path.toStdString(), TreeSettings());
    if (!load)
        QSKIP("not a chart");
    compareWithFindParent(load.chart.tree());
}

QTEST_APPLESS_MAIN(ParentTableTest)
#include "parent_table_test.moc"
