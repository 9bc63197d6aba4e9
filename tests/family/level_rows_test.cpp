// SPDX-License-Identifier: GPL-3.0-or-later
// Where a chain of right connectors ends, as a walk box by box along the level
// would find it: the row is laid out from words, one cell or one stack of boxes
// each, and the chain followed from one of them.
#include "family/level_rows.h"
#include "model/chart.h"

#include <QtTest>
#include <memory>

namespace {

constexpr int firstColumn = 3;
constexpr int rowLevel = 4;

// Words from column 3 on, at level 4: "." an empty cell; else the boxes at the
// cell in list order, each "P" (plain) or "p" (continuation), then ">" for a
// right connector. A box of "x" stands above each word, at level 3, so that no
// row but this one is in play.
void layRow(Tree& tree, const QByteArray& row)
{
    int column = firstColumn;
    for (const QByteArray& word : row.split(' ')) {
        tree.append(std::make_unique<Person>("x", Cell{column, rowLevel - 1}, Links{}));
        for (int i = 0; i < word.size(); ++i) {
            const char kind = word[i];
            if (kind != 'P' && kind != 'p')
                continue;
            const bool right = i + 1 < word.size() && word[i + 1] == '>';
            const Links links{right ? 20 : 0, 0};
            const Cell cell{column, rowLevel};
            if (kind == 'p')
                tree.append(std::make_unique<ContPerson>("c", cell, links, 1));
            else
                tree.append(std::make_unique<Person>("b", cell, links));
        }
        ++column;
    }
}

} // namespace

class LevelRowsTest : public QObject {
    Q_OBJECT
private slots:
    // The chain from the first box at column `from`; the column it ends at.
    void chainEnd_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("end");
        QTest::newRow("no connector") << QByteArray("P P> P") << 3 << 3;
        QTest::newRow("one step") << QByteArray("P> P P") << 3 << 4;
        QTest::newRow("to the last box") << QByteArray("P> P> P>") << 3 << 5;
        QTest::newRow("from the middle") << QByteArray("P> P> P> P") << 4 << 6;
        QTest::newRow("over empty cells") << QByteArray("P> . . P> P") << 3 << 7;
        QTest::newRow("stops before a continuation box") << QByteArray("P> P> p> P") << 3 << 4;
        QTest::newRow("from a continuation box") << QByteArray("p> P> P") << 3 << 5;
        QTest::newRow("a stack led by a plain box") << QByteArray("P> P>p P> P") << 3 << 6;
        QTest::newRow("a stack led by a continuation box") << QByteArray("P> pP> P> P") << 3 << 3;
        QTest::newRow("the stack's second box leads nowhere") << QByteArray("P> PP> P") << 3 << 4;
        QTest::newRow("two chains, the first followed") << QByteArray("P> P . P> P") << 3 << 4;
        QTest::newRow("two chains, the second followed") << QByteArray("P> P . P> P") << 6 << 7;
    }
    void chainEnd()
    {
        QFETCH(QByteArray, row);
        QFETCH(int, from);
        QFETCH(int, end);
        Chart chart;
        Tree& tree = chart.mutableTree();
        layRow(tree, row);
        const LevelRows rows(tree);
        const Person* start = tree.findPerson({from, rowLevel});
        QVERIFY(start);
        const Person* last = rows.chainEnd(start);
        QCOMPARE(last->level(), rowLevel);
        QCOMPARE(last->column(), end);
        // The first box of its cell, as a walk by the rows would reach it.
        QCOMPARE(last, from == end ? start : tree.findPerson({end, rowLevel}));
    }
};

QTEST_APPLESS_MAIN(LevelRowsTest)
#include "level_rows_test.moc"
