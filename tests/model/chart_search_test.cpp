// SPDX-License-Identifier: GPL-3.0-or-later
// Finding boxes by text: case and accents ignored in UTF-8 and Windows-1252
// alike, line breaks read as blanks, matches in reading order.
#include "edit_fixtures.h"
#include "model/chart.h"
#include "model/chart_search.h"
#include "model/person.h"
#include "model/tree_settings.h"

#include <QtTest>

namespace {

// Boxes appended out of reading order, so the order of the answer is the
// search's own.
Chart searchedChart()
{
    Chart chart(TreeSettings(), "find");
    Tree& tree = chart.mutableTree();
    addBox(tree, "Owen Merrow |b. 1962", {6, 4});
    addBox(tree, "Zo\xC3\xAB Pell", {5, 2});      // UTF-8
    addBox(tree, "ZO\xCB PELL |m. 1930", {1, 2}); // Windows-1252
    addBox(tree, "\xC5\x81ukasz Nowak", {0, 3});  // UTF-8 Ł
    addBox(tree,
           "Grete Wei\xC3\x9F |Stra\xDF"
           "e",
           {2, 0}); // mixed: 1252
    addBox(tree, "Aldous Merrow", {0, 0});
    addBox(tree, "", {3, 0});
    addBox(tree, "Ada Merrow", {-1, 4}); // left of the first column
    return chart;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Cell>)

class ChartSearchTest : public QObject {
    Q_OBJECT
private slots:
    void findsInReadingOrder_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<std::vector<Cell>>("found");
        QTest::newRow("case ignored, reading order")
            << QByteArray("merrow") << std::vector<Cell>{{0, 0}, {-1, 4}, {6, 4}};
        QTest::newRow("accent in UTF-8 and Windows-1252 text")
            << QByteArray("zoe pell") << std::vector<Cell>{{1, 2}, {5, 2}};
        QTest::newRow("accented query")
            << QByteArray("Zo\xC3\xAB") << std::vector<Cell>{{1, 2}, {5, 2}};
        QTest::newRow("stroke letter") << QByteArray("lukasz") << std::vector<Cell>{{0, 3}};
        QTest::newRow("sharp s, text not UTF-8 as a whole")
            << QByteArray("strasse") << std::vector<Cell>{{2, 0}};
        QTest::newRow("across a line break")
            << QByteArray("pell m. 1930") << std::vector<Cell>{{1, 2}};
        QTest::newRow("blanks folded in the query")
            << QByteArray("  OWEN   merrow ") << std::vector<Cell>{{6, 4}};
        QTest::newRow("not found") << QByteArray("finch") << std::vector<Cell>{};
        QTest::newRow("empty query") << QByteArray("") << std::vector<Cell>{};
        QTest::newRow("no match across two boxes")
            << QByteArray("merrow zo") << std::vector<Cell>{};
    }
    void findsInReadingOrder()
    {
        QFETCH(QByteArray, query);
        QFETCH(std::vector<Cell>, found);
        const Chart chart = searchedChart();
        const std::vector<Cell> cells = ChartSearch(chart.tree()).find(query.toStdString());
        QCOMPARE(cells.size(), found.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            QCOMPARE(cells[i].column, found[i].column);
            QCOMPARE(cells[i].level, found[i].level);
        }
    }
};

QTEST_APPLESS_MAIN(ChartSearchTest)
#include "chart_search_test.moc"
