// SPDX-License-Identifier: GPL-3.0-or-later
// Charts of thousands of boxes: the cell index and the extent must keep
// answering as a walk over the boxes in list order would, through every kind
// of edit.
#include "edit_fixtures.h"
#include "model/chart.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <QtTest>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

namespace {

// The first box in list order at each cell, by walking the list.
std::map<std::pair<int, int>, const Person*> walkedFirsts(const Tree& tree)
{
    std::map<std::pair<int, int>, const Person*> firsts;
    tree.forEachPerson([&](const Person* box) {
        firsts.try_emplace({box->column(), box->level()}, box);
    });
    return firsts;
}

// The extent a walk over every box gives from cleared maxima.
Point walkedExtent(const Tree& tree)
{
    int column = 0, level = 0;
    tree.forEachPerson([&](const Person* box) {
        column = std::max(column, box->column());
        level = std::max(level, box->level());
    });
    return tree.settings().cellOrigin({column, level});
}

// The box at a place in list order.
const Person* boxAt(const Tree& tree, std::size_t index)
{
    const Person* found = nullptr;
    tree.forEachPerson([&](const Person* box) {
        if (index-- == 0)
            found = box;
    });
    return found;
}

class Editor {
public:
    Editor(Tree& tree, unsigned seed, int columns, int levels)
        : tree_(tree),
          random_(seed),
          columns_(columns),
          levels_(levels)
    {
    }

    Cell anyCell() { return {pick(-2, columns_), pick(-2, levels_)}; }

    void step()
    {
        switch (pick(0, 7)) {
        case 0:
        case 1:
            addBox(tree_, "b", anyCell());
            break;
        case 2:
        case 3:
            tree_.move(anyCell(), anyCell());
            break;
        case 4:
            if (tree_.size() > 0) {
                // Cut a random box, and undo it now and then.
                const int index = pick(0, int(tree_.size()) - 1);
                tree_.erase(boxAt(tree_, std::size_t(index)), UndoRecord::Cut);
                if (pick(0, 1) == 0)
                    tree_.undo();
            }
            break;
        case 5:
            tree_.dragCopy(anyCell(), anyCell());
            break;
        case 6:
            if (pick(0, 20) == 0)
                tree_.insertLine(pick(0, 1) ? 'x' : 'y', pick(0, std::max(columns_, levels_)));
            break;
        default:
            tree_.undo();
            break;
        }
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    Tree& tree_;
    std::mt19937 random_;
    int columns_;
    int levels_;
};

} // namespace

class LargeChartTest : public QObject {
    Q_OBJECT
private slots:
    // Several boxes share cells, so the order within a cell is tested as well.
    void indexAndExtentFollowEveryEdit_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("levels");
        QTest::newRow("crowded grid") << 12 << 10;
        QTest::newRow("one column") << 0 << 300;
        QTest::newRow("one level") << 300 << 0;
        QTest::newRow("wide grid") << 200 << 40;
    }
    void indexAndExtentFollowEveryEdit()
    {
        QFETCH(int, columns);
        QFETCH(int, levels);
        Chart chart;
        Tree& tree = chart.mutableTree();
        Editor editor(tree, 99, columns, levels);
        for (int i = 0; i < 3000; ++i)
            addBox(tree, "start", {editor.pick(0, columns), editor.pick(0, levels)});
        for (int round = 0; round < 40; ++round) {
            for (int i = 0; i < 100; ++i)
                editor.step();
            const auto firsts = walkedFirsts(tree);
            for (const auto& [cell, first] : firsts)
                QVERIFY(tree.findPerson({cell.first, cell.second}) == first);
            for (int column = -2; column <= columns + 2; ++column) {
                for (int level = -2; level <= levels + 2; ++level) {
                    const auto walked = firsts.find({column, level});
                    const Person* expected = walked == firsts.end() ? nullptr : walked->second;
                    if (tree.findPerson({column, level}) != expected) {
                        const QString where = QStringLiteral("round %1, cell %2j%3");
                        QFAIL(qPrintable(where.arg(round).arg(column).arg(level)));
                    }
                }
            }
            tree.resetExtent();
            QCOMPARE(tree.extent(), walkedExtent(tree));
        }
    }

    // A cached maximum of 0 asks for the boxes' greatest cell on every call; it
    // must be the boxes' own, also once the box that held it has gone.
    void extentOfAChartInOneLevel()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        for (int column = 0; column < 1000; ++column)
            addBox(tree, "b", {column, 0});
        QCOMPARE(tree.extentCells(), (Cell{999, 0}));
        tree.move({999, 0}, {500, 3});
        tree.resetExtent();
        QCOMPARE(tree.extentCells(), (Cell{998, 3}));
        tree.erase(tree.findPerson({500, 3}), UndoRecord::Cut);
        tree.resetExtent();
        QCOMPARE(tree.extentCells(), (Cell{998, 0}));
        tree.undo();
        QCOMPARE(tree.extentCells(), (Cell{998, 3}));
        tree.insertLine('x', 0);
        tree.resetExtent();
        QCOMPARE(tree.extentCells(), (Cell{999, 3}));
    }

    // Between recomputations the maxima only grow, as the cached values always did.
    void cachedExtentOnlyGrows()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        addBox(tree, "a", {5, 5});
        QCOMPARE(tree.extentCells(), (Cell{5, 5}));
        tree.move({5, 5}, {1, 1});
        QCOMPARE(tree.extentCells(), (Cell{5, 5}));
        tree.resetExtent();
        QCOMPARE(tree.extentCells(), (Cell{1, 1}));
    }

    void emptyTreeExtentIsTheOrigin()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        QCOMPARE(tree.extent(), (Point{originX, originY}));
        addBox(tree, "a", {-3, -4});
        tree.resetExtent();
        QCOMPARE(tree.extent(), (Point{originX, originY}));
    }

    // Removals from anywhere leave the other boxes in order; newcomers go last.
    void listOrderSurvivesRemovalsAndReuse()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        std::vector<Person*> boxes;
        for (int i = 0; i < 5000; ++i)
            boxes.push_back(addBox(tree, "b", {i % 70, i / 70}));
        std::vector<Person*> expected;
        for (int i = 0; i < 5000; ++i) {
            if (i % 3 == 0)
                QVERIFY(tree.detach(boxes[i]));
            else
                expected.push_back(boxes[i]);
        }
        for (int i = 0; i < 2000; ++i)
            expected.push_back(addBox(tree, "c", {i, 200}));
        std::vector<Person*> seen;
        tree.forEachPerson([&](Person* box) { seen.push_back(box); });
        QVERIFY(seen == expected);
        QCOMPARE(tree.size(), expected.size());
        QCOMPARE(tree.lastBox(), expected.back());
    }
};

QTEST_APPLESS_MAIN(LargeChartTest)
#include "large_chart_test.moc"
