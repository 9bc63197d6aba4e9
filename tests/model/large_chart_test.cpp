// SPDX-License-Identifier: GPL-3.0-or-later
// Charts of thousands of boxes: the cell index, the extent and the list's node
// blocks must keep answering as a walk over the boxes in list order would,
// through every kind of edit.
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
std::map<std::pair<int, int>, Person*> walkedFirsts(const Tree& tree)
{
    std::map<std::pair<int, int>, Person*> firsts;
    tree.forEachPerson([&](Person* box) {
        firsts.try_emplace({box->column(), box->level()}, box);
    });
    return firsts;
}

// The extent a walk over every box gives from cleared maxima.
Point walkedExtent(const Tree& tree)
{
    int column = 0, level = 0;
    tree.forEachPerson([&](Person* box) {
        column = std::max(column, box->column());
        level = std::max(level, box->level());
    });
    return tree.settings().cellOrigin({column, level});
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
                auto* box = static_cast<Person*>(*std::next(tree_.persons.cbegin(), index));
                tree_.erase(box, UndoRecord::Cut);
                if (pick(0, 1) == 0)
                    tree_.undoRecord.undo();
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
            tree_.undoRecord.undo();
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
        Tree& tree = chart.tree();
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
                    Person* expected = walked == firsts.end() ? nullptr : walked->second;
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
        Tree& tree = chart.tree();
        for (int column = 0; column < 1000; ++column)
            addBox(tree, "b", {column, 0});
        QCOMPARE(tree.extentCells(), (Cell{999, 0}));
        tree.move({999, 0}, {500, 3});
        tree.resetExtent();
        QCOMPARE(tree.extentCells(), (Cell{998, 3}));
        tree.erase(tree.findPerson({500, 3}), UndoRecord::Cut);
        tree.resetExtent();
        QCOMPARE(tree.extentCells(), (Cell{998, 0}));
        tree.undoRecord.undo();
        QCOMPARE(tree.extentCells(), (Cell{998, 3}));
        tree.insertLine('x', 0);
        tree.resetExtent();
        QCOMPARE(tree.extentCells(), (Cell{999, 3}));
    }

    // Between recomputations the maxima only grow, as the cached values always did.
    void cachedExtentOnlyGrows()
    {
        Chart chart;
        Tree& tree = chart.tree();
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
        Tree& tree = chart.tree();
        QCOMPARE(tree.extent(), (Point{originX, originY}));
        addBox(tree, "a", {-3, -4});
        tree.resetExtent();
        QCOMPARE(tree.extent(), (Point{originX, originY}));
    }

    // Nodes freed by removals are used again, and the list keeps its order.
    void listOrderSurvivesRemovalsAndReuse()
    {
        Chart chart;
        Tree& tree = chart.tree();
        std::vector<Person*> boxes;
        for (int i = 0; i < 5000; ++i)
            boxes.push_back(addBox(tree, "b", {i % 70, i / 70}));
        for (int i = 0; i < 5000; i += 3)
            QVERIFY(tree.detach(boxes[i]));
        std::vector<Person*> expected;
        for (int i = 0; i < 5000; ++i) {
            if (i % 3 == 0)
                delete boxes[i];
            else
                expected.push_back(boxes[i]);
        }
        for (int i = 0; i < 2000; ++i)
            expected.push_back(addBox(tree, "c", {i, 200}));
        std::vector<Person*> seen;
        tree.forEachPerson([&](Person* box) { seen.push_back(box); });
        QVERIFY(seen == expected);
        QCOMPARE(tree.size(), expected.size());
        QCOMPARE(static_cast<Person*>(tree.persons.last()), expected.back());
    }

    void emptiedListStartsAfresh()
    {
        List list;
        for (int round = 0; round < 3; ++round) {
            std::vector<ListData*> elements;
            for (int i = 0; i < 1000; ++i) {
                elements.push_back(new ListData);
                list.append(elements.back());
            }
            QCOMPARE(list.size(), std::size_t(1000));
            QVERIFY(std::equal(list.cbegin(), list.cend(), elements.begin()));
            list.reverse();
            QVERIFY(std::equal(list.cbegin(), list.cend(), elements.rbegin()));
            list.clear();
            QVERIFY(list.isEmpty());
            for (ListData* element : elements)
                delete element; // unowned: the list left them alone
        }
    }
};

QTEST_APPLESS_MAIN(LargeChartTest)
#include "large_chart_test.moc"
