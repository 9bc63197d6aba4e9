// SPDX-License-Identifier: GPL-3.0-or-later
// Hourglass charts from generated families: the root once, ancestors above it
// and descendants below, as many generations each way as asked for and the
// family has, the boxes of cut branches joined to their persons, Find parent
// leading up from every box of both halves.
#include "chart_checks.h"

#include "layout/chart_import.h"
#include "gedcom/gedcom_reader.h"

#include <QtTest>

#include <algorithm>

class HourglassLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void hourglass_data();
    void hourglass();
};

void HourglassLayoutTest::hourglass_data()
{
    // The family's generations above and below the root, the request's, and
    // the generations of persons the chart shows each way.
    QTest::addColumn<int>("familyUp");
    QTest::addColumn<int>("familyDown");
    QTest::addColumn<int>("missingEvery");
    QTest::addColumn<int>("marriagesEvery");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("shownUp");
    QTest::addColumn<int>("shownDown");

    QTest::newRow("one under the family both ways") << 4 << 2 << 0 << 0 << 3 << 1 << 3 << 1;
    QTest::newRow("as many as the family has") << 4 << 2 << 0 << 0 << 4 << 2 << 4 << 2;
    QTest::newRow("one more than the family has") << 4 << 2 << 0 << 0 << 5 << 3 << 4 << 2;
    QTest::newRow("fewer up, more down") << 4 << 2 << 0 << 0 << 1 << 3 << 1 << 2;
    QTest::newRow("more up, fewer down") << 2 << 4 << 0 << 0 << 3 << 2 << 2 << 2;
    QTest::newRow("unknown ancestors, second marriages") << 6 << 5 << 3 << 2 << 6 << 5 << 6 << 5;
    QTest::newRow("one each way") << 3 << 3 << 0 << 3 << 1 << 1 << 1 << 1;
}

void HourglassLayoutTest::hourglass()
{
    QFETCH(int, familyUp);
    QFETCH(int, familyDown);
    QFETCH(int, missingEvery);
    QFETCH(int, marriagesEvery);
    QFETCH(int, up);
    QFETCH(int, down);
    QFETCH(int, shownUp);
    QFETCH(int, shownDown);
    const GeneratedFamilies families = generateHourglass(
        familyUp + 1, missingEvery, {familyDown + 1, 3, marriagesEvery, 100000, 7, false});
    const GedcomLoad load = readGedcom(families.text);
    QVERIFY(load);
    ImportOptions options;
    options.layout = {0, LayoutKind::Hourglass, down + 1, up + 1};
    const ChartImport result = importChart(load.data, options, "hourglass");
    QVERIFY(result);
    const Chart& chart = result.chart;

    checkCellsApart(chart);
    checkContinuationsJoined(chart);
    checkFindParent(chart, result.root, families);
    int roots = 0, top = result.root.level, bottom = result.root.level;
    bool cutAbove = false, cutBelow = false;
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Person) {
            cutAbove = cutAbove || box->level() < result.root.level;
            cutBelow = cutBelow || box->level() > result.root.level;
            return;
        }
        roots += nameLine(*box) == "Given1 Surname1";
        top = std::min(top, box->level());
        bottom = std::max(bottom, box->level());
    });
    QCOMPARE(roots, 1);
    QCOMPARE(nameLine(*chart.tree().findPerson(result.root)), std::string("Given1 Surname1"));
    QCOMPARE(result.root.level - top, shownUp);
    QCOMPARE(bottom - result.root.level, shownDown);
    QCOMPARE(result.generations, shownUp + shownDown + 1);
    // Generations left out end in continuation boxes.
    QCOMPARE(cutAbove, up < familyUp);
    QCOMPARE(cutBelow, down < familyDown);
}

QTEST_APPLESS_MAIN(HourglassLayoutTest)
#include "hourglass_layout_test.moc"
