// SPDX-License-Identifier: GPL-3.0-or-later
#include "box_draw_log.h"
#include "edit_fixtures.h"
#include "model/chart.h"
#include "model/chart_limits.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <QtTest>
#include <utility>
#include <vector>

Q_DECLARE_METATYPE(Cell)
Q_DECLARE_METATYPE(Links)

namespace {

using Mark = std::pair<const Person*, int>;

// The lineage path front to back.
std::vector<Mark> marksOf(const Tree& tree)
{
    std::vector<Mark> marks;
    for (const ListData* element : tree.lineagePath) {
        const auto* mark = static_cast<const HMark*>(element);
        marks.emplace_back(mark->person, mark->bits);
    }
    return marks;
}

QString cellText(Cell cell) { return QStringLiteral("%1j%2").arg(cell.column).arg(cell.level); }

// The boxes that show the lineage once the marks are walked, as text:bits in
// list order.
QString shownLineage(Tree& tree)
{
    BoxDrawLog dc(tree.settings());
    tree.showLineage(dc, [] {});
    QStringList marked;
    tree.forEachPerson([&](const Person* box) {
        if (box->lineage != 0)
            marked << QStringLiteral("%1:%2").arg(box->text.c_str()).arg(box->lineage);
    });
    return marked.join(' ');
}

} // namespace

class TreeEditingTest : public QObject {
    Q_OBJECT
private slots:
    void move_data()
    {
        QTest::addColumn<Cell>("from");
        QTest::addColumn<Cell>("to");
        QTest::addColumn<bool>("done");
        QTest::addColumn<Cell>("aAfter");
        QTest::addColumn<Cell>("bAfter");
        QTest::addColumn<QByteArray>("label");
        // a at 0j0, b at 2j0; an earlier move of c has been undone beforehand.
        QTest::newRow("onto empty") << Cell{0, 0} << Cell{1, 1} << true << Cell{1, 1} << Cell{2, 0}
                                    << QByteArray("Undo move person");
        QTest::newRow("onto a box switches") << Cell{0, 0} << Cell{2, 0} << true << Cell{2, 0}
                                             << Cell{0, 0} << QByteArray("Undo switch persons");
        QTest::newRow("other box onto a") << Cell{2, 0} << Cell{0, 0} << true << Cell{2, 0}
                                          << Cell{0, 0} << QByteArray("Undo switch persons");
        QTest::newRow("onto itself") << Cell{0, 0} << Cell{0, 0} << false << Cell{0, 0}
                                     << Cell{2, 0} << QByteArray("Redo move person");
        QTest::newRow("from an empty cell") << Cell{1, 0} << Cell{3, 0} << false << Cell{0, 0}
                                            << Cell{2, 0} << QByteArray("Redo move person");
        QTest::newRow("dropped outside") << Cell{0, 0} << noCell << false << Cell{0, 0}
                                         << Cell{2, 0} << QByteArray("Redo move person");
        QTest::newRow("negative column") << Cell{0, 0} << Cell{-1, 2} << false << Cell{0, 0}
                                         << Cell{2, 0} << QByteArray("Redo move person");
    }
    void move()
    {
        QFETCH(Cell, from);
        QFETCH(Cell, to);
        QFETCH(bool, done);
        QFETCH(Cell, aAfter);
        QFETCH(Cell, bAfter);
        QFETCH(QByteArray, label);
        Chart chart;
        Tree& tree = chart.tree();
        Person* a = addBox(tree, "a", {0, 0});
        Person* b = addBox(tree, "b", {2, 0});
        Person* c = addBox(tree, "c", {7, 7});
        QVERIFY(tree.move({7, 7}, {8, 8}));
        tree.undoRecord.undo();

        QCOMPARE(tree.move(from, to), done);
        QCOMPARE(a->cell(), aAfter);
        QCOMPARE(b->cell(), bAfter);
        QCOMPARE(tree.findPerson(aAfter), a);
        QCOMPARE(tree.findPerson(bAfter), b);
        QCOMPARE(bytes(tree.undoRecord.labelText()), label);
        // Undo takes back this move; a refused one leaves the earlier move to redo.
        tree.undoRecord.undo();
        QCOMPARE(a->cell(), (Cell{0, 0}));
        QCOMPARE(b->cell(), (Cell{2, 0}));
        QCOMPARE(tree.findPerson({0, 0}), a);
        QCOMPARE(tree.findPerson({2, 0}), b);
        QCOMPARE(c->cell(), (done ? Cell{7, 7} : Cell{8, 8}));
        if (done) {
            // ... and redo makes it again.
            tree.undoRecord.undo();
            QCOMPARE(a->cell(), aAfter);
            QCOMPARE(b->cell(), bAfter);
        }
    }

    void dragCopyOfContinuationOntoEmptyMakesPlainBox()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* source = addCont(tree, "Other|chart", {0, 0}, {20, 30}, 1);
        source->lineage = 2;
        tree.move({0, 0}, {1, 0});
        QVERIFY(tree.dragCopy({1, 0}, {3, 2}));
        Person* copy = tree.findPerson({3, 2});
        QVERIFY(copy && copy != source);
        QCOMPARE(copy->kind(), 'P');
        QCOMPARE(copy->direction(), 4);
        QCOMPARE(bytes(copy->text), bytes(source->text));
        QCOMPARE(copy->rightLink(), 20);
        QCOMPARE(copy->downLink(), 30);
        QCOMPARE(copy->lineage, 2);
        QCOMPARE(static_cast<Person*>(tree.persons.last()), copy);
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Can't undo"));
    }

    void dragCopyOntoBoxKeepsTypeDirectionAndCell()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* source = addBox(tree, "Anna", {0, 0}, {20, 70});
        source->lineage = 3;
        Person* target = addCont(tree, "Elsewhere", {4, 1}, {0, 0}, 2);
        QVERIFY(tree.dragCopy({0, 0}, {4, 1}));
        QCOMPARE(tree.size(), std::size_t(2));
        QCOMPARE(target->kind(), 'p');
        QCOMPARE(target->direction(), 2);
        QCOMPARE(target->cell(), (Cell{4, 1}));
        QCOMPARE(bytes(target->text), QByteArray("Anna"));
        QCOMPARE(target->downLink(), 70);
        QCOMPARE(target->lineage, 3);
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Undo drag copy"));
        tree.undoRecord.undo();
        QCOMPARE(bytes(target->text), QByteArray("Elsewhere"));
        QCOMPARE(target->downLink(), 0);
        QCOMPARE(target->lineage, 0);
        QCOMPARE(target->cell(), (Cell{4, 1}));
    }

    void dragCopyRefusals_data()
    {
        QTest::addColumn<Cell>("from");
        QTest::addColumn<Cell>("to");
        QTest::newRow("onto itself") << Cell{0, 0} << Cell{0, 0};
        QTest::newRow("from an empty cell") << Cell{1, 0} << Cell{2, 0};
        QTest::newRow("dropped outside") << Cell{0, 0} << noCell;
    }
    void dragCopyRefusals()
    {
        QFETCH(Cell, from);
        QFETCH(Cell, to);
        Chart chart;
        Tree& tree = chart.tree();
        addBox(tree, "a", {0, 0});
        tree.undoRecord.recordCells(UndoRecord::MovePerson, {0, 1}, {0, 0});
        QVERIFY(!tree.dragCopy(from, to));
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(tree.undoRecord.undoKind, int(UndoRecord::MovePerson));
    }

    void pasteIntoSelectedBoxKeepsItsCell()
    {
        Chart chart;
        Tree& tree = chart.tree();
        BoxDrawLog dc;
        Person* box = addBox(tree, "old", {2, 1}, {20, 0});
        box->lineage = 1;
        StorePerson buffer;
        buffer.text = "new";
        buffer.setLinkLengths({0, 90});
        buffer.setCell({7, 7});
        tree.select(dc, {2, 1});
        QVERIFY(tree.paste(buffer));
        QCOMPARE(bytes(box->text), QByteArray("new"));
        QCOMPARE(box->rightLink(), 0);
        QCOMPARE(box->downLink(), 90);
        QCOMPARE(box->lineage, 0);
        QCOMPARE(box->cell(), (Cell{2, 1}));
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Undo paste person"));
        tree.undoRecord.undo();
        QCOMPARE(bytes(box->text), QByteArray("old"));
        QCOMPARE(box->rightLink(), 20);
        QCOMPARE(box->lineage, 1);
    }

    void pasteIntoFrameMakesPlainBox_data()
    {
        QTest::addColumn<int>("boxWidth");
        QTest::addColumn<Cell>("cell");
        QTest::newRow("default size") << 120 << Cell{3, 2};
        QTest::newRow("narrow boxes") << 40 << Cell{5, 0};
        QTest::newRow("first cell") << 120 << Cell{0, 0};
    }
    void pasteIntoFrameMakesPlainBox()
    {
        QFETCH(int, boxWidth);
        QFETCH(Cell, cell);
        Chart chart;
        chart.settings().boxWidth = boxWidth;
        Tree& tree = chart.tree();
        BoxDrawLog dc(chart.settings());
        addBox(tree, "a", {0, 3});
        tree.move({0, 3}, {1, 3});
        StorePerson buffer;
        buffer.text = "pasted";
        buffer.setLinkLengths({20, 20});
        QCOMPARE(tree.select(dc, cell), nullptr);
        QVERIFY(tree.selectionFrame.drawn);
        QVERIFY(tree.paste(buffer));
        Person* box = tree.findPerson(cell);
        QVERIFY(box);
        QCOMPARE(box->kind(), 'P');
        QCOMPARE(bytes(box->text), QByteArray("pasted"));
        QCOMPARE(box->rightLink(), 20);
        QCOMPARE(tree.undoRecord.undoKind, 0);
        QCOMPARE(tree.maxColumn, 0); // the extent cache is left alone
    }

    void pasteRefusals()
    {
        Chart chart;
        Tree& tree = chart.tree();
        BoxDrawLog dc;
        StorePerson buffer;
        buffer.text = "x";
        QVERIFY(!tree.paste(buffer)); // neither a selection nor a frame

        // A frame outside the grid is no place for a box.
        tree.select(dc, noCell);
        QVERIFY(tree.selectionFrame.drawn);
        QVERIFY(!tree.paste(buffer));
        QCOMPARE(tree.size(), std::size_t(0));

        // A box dragged into the framed cell since is not hidden behind a second one.
        addBox(tree, "source", {0, 0});
        tree.select(dc, {2, 2});
        QVERIFY(tree.dragCopy({0, 0}, {2, 2}));
        QVERIFY(tree.selectionFrame.drawn);
        QVERIFY(!tree.paste(buffer));
        QCOMPARE(tree.size(), std::size_t(2));
        tree.erase(tree.findPerson({0, 0}), UndoRecord::Cut);
        tree.erase(tree.findPerson({2, 2}), UndoRecord::Cut);

        // Cutting the selected box leaves neither a selection nor a frame.
        addBox(tree, "a", {1, 1});
        tree.select(dc, {1, 1});
        QVERIFY(!tree.selectionFrame.drawn);
        tree.erase(tree.selected, UndoRecord::Cut);
        QVERIFY(!tree.paste(buffer));
        QCOMPARE(tree.size(), std::size_t(0));
        QCOMPARE(tree.undoRecord.undoKind, int(UndoRecord::Cut));
    }

    void eraseIgnoresWhatItCannotTake()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Chart otherChart;
        Tree& other = otherChart.tree();
        Person* box = addBox(tree, "a", {0, 0});
        Person* stranger = addBox(other, "b", {0, 0});
        tree.undoRecord.recordCells(UndoRecord::MovePerson, {1, 0}, {0, 0});
        tree.erase(nullptr, UndoRecord::Cut);
        tree.erase(stranger, UndoRecord::Cut);
        tree.erase(box, UndoRecord::PastePerson); // would leave the box unowned
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(other.size(), std::size_t(1));
        QCOMPARE(tree.undoRecord.undoKind, int(UndoRecord::MovePerson));
    }

    void eraseDropsMarksOfTheBox()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* parent = addBox(tree, "p", {0, 0}, {0, 20});
        Person* child = addBox(tree, "c", {0, 1});
        tree.selected = child;
        QCOMPARE(tree.findParent(child), parent);
        tree.erase(child, UndoRecord::ErasePerson);
        QCOMPARE(tree.selected, nullptr);
        QCOMPARE(marksOf(tree), (std::vector<Mark>{{parent, 2}}));
    }

    void insertLine_data()
    {
        QTest::addColumn<char>("axis");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("cells");
        // Boxes start at 0j0, 1j1, 2j2, 3j1.
        QTest::newRow("column at 1") << 'x' << 1 << "0j0 2j1 3j2 4j1";
        QTest::newRow("column at 3") << 'x' << 3 << "0j0 1j1 2j2 4j1";
        QTest::newRow("column past all") << 'x' << 9 << "0j0 1j1 2j2 3j1";
        QTest::newRow("row at 1") << 'y' << 1 << "0j0 1j2 2j3 3j2";
        QTest::newRow("row at 0") << 'y' << 0 << "0j1 1j2 2j3 3j2";
        QTest::newRow("any other axis is a row") << 'q' << 2 << "0j0 1j1 2j3 3j1";
    }
    void insertLine()
    {
        QFETCH(char, axis);
        QFETCH(int, index);
        QFETCH(QString, cells);
        Chart chart;
        Tree& tree = chart.tree();
        const Cell starts[] = {{0, 0}, {1, 1}, {2, 2}, {3, 1}};
        std::vector<Person*> boxes;
        for (Cell cell : starts)
            boxes.push_back(addBox(tree, "b", cell, {20, 20}));
        tree.extent();
        tree.move({0, 0}, {0, 2});
        tree.move({0, 2}, {0, 0});
        tree.insertLine(axis, index);

        QStringList found;
        for (Person* box : boxes) {
            found << cellText(box->cell());
            QCOMPARE(box->rightLink(), 20);
            QCOMPARE(box->downLink(), 20);
            QCOMPARE(tree.findPerson(box->cell()), box);
        }
        QCOMPARE(found.join(' '), cells);
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Can't undo"));
        QCOMPARE(tree.maxColumn, 3);
        QCOMPARE(tree.maxLevel, 2);
    }

    void insertLineStopsAtTheFarEdge_data()
    {
        QTest::addColumn<char>("axis");
        QTest::addColumn<Cell>("edge");
        QTest::newRow("column") << 'x' << Cell{chartLimits::maxCell, 3};
        QTest::newRow("row") << 'y' << Cell{3, chartLimits::maxCell};
    }
    void insertLineStopsAtTheFarEdge()
    {
        QFETCH(char, axis);
        QFETCH(Cell, edge);
        Chart chart;
        Tree& tree = chart.tree();
        Person* near = addBox(tree, "near", {0, 0});
        Person* far = addBox(tree, "far", edge);
        tree.move({0, 0}, {1, 1});
        QVERIFY(!tree.insertLine(axis, 0));
        QCOMPARE(near->cell(), (Cell{1, 1}));
        QCOMPARE(far->cell(), edge);
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Undo move person"));

        // One short of the edge, the box moves onto it.
        const Cell shortOfEdge =
            axis == 'x' ? Cell{edge.column - 1, edge.level} : Cell{edge.column, edge.level - 1};
        far->setCell(shortOfEdge);
        QVERIFY(tree.insertLine(axis, 0));
        QCOMPARE(far->cell(), edge);
        QCOMPARE(tree.findPerson(edge), far);
    }

    void fitConnectors_data()
    {
        QTest::addColumn<Cell>("cached"); // the cached extent in cells
        QTest::addColumn<Links>("before");
        QTest::addColumn<Cell>("other"); // where the second box stands
        QTest::addColumn<Links>("after");
        // The fitted box stands at 1j1; default geometry: pitch 140 x 70.
        QTest::newRow("next box three columns right")
            << Cell{4, 1} << Links{5, 0} << Cell{4, 1} << Links{300, 0};
        QTest::newRow("next box adjacent")
            << Cell{2, 1} << Links{5, 0} << Cell{2, 1} << Links{20, 0};
        QTest::newRow("no box to the right")
            << Cell{4, 1} << Links{5, 0} << Cell{0, 1} << Links{20, 0};
        QTest::newRow("next box two levels down")
            << Cell{1, 3} << Links{0, 5} << Cell{1, 3} << Links{0, 90};
        QTest::newRow("no box below") << Cell{1, 3} << Links{0, 5} << Cell{1, 0} << Links{0, 20};
        QTest::newRow("both connectors")
            << Cell{3, 1} << Links{1, 1} << Cell{3, 1} << Links{160, 20};
        QTest::newRow("zero connectors stay")
            << Cell{4, 1} << Links{0, 0} << Cell{4, 1} << Links{0, 0};
        QTest::newRow("range is counted from the box")
            << Cell{3, 1} << Links{5, 0} << Cell{4, 1} << Links{300, 0};
        QTest::newRow("range ends after maxC steps")
            << Cell{2, 1} << Links{5, 0} << Cell{4, 1} << Links{20, 0};
    }
    void fitConnectors()
    {
        QFETCH(Cell, cached);
        QFETCH(Links, before);
        QFETCH(Cell, other);
        QFETCH(Links, after);
        Chart chart;
        Tree& tree = chart.tree();
        Person* box = addBox(tree, "fit", {1, 1}, before);
        addBox(tree, "other", other);
        tree.maxColumn = cached.column;
        tree.maxLevel = cached.level;
        tree.fitConnectors(box);
        QCOMPARE(box->rightLink(), after.right);
        QCOMPARE(box->downLink(), after.down);
    }

    void fitConnectorsLeavesContinuationBoxes()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* cont = addCont(tree, "c", {0, 0}, {5, 5}, 1);
        addBox(tree, "b", {3, 3});
        tree.fitConnectors(cont);
        tree.fitConnectors(nullptr);
        QCOMPARE(cont->rightLink(), 5);
        QCOMPARE(cont->downLink(), 5);
    }

    void findParentDirectParent_data()
    {
        QTest::addColumn<int>("parentLevel");
        QTest::newRow("one level up, nearest box only") << 2;
        QTest::newRow("three levels up") << 0;
    }
    void findParentDirectParent()
    {
        QFETCH(int, parentLevel);
        Chart chart;
        Tree& tree = chart.tree();
        if (parentLevel > 0)
            addBox(tree, "further up", {1, 0}, {0, 20});
        Person* parent = addBox(tree, "parent", {1, parentLevel}, {0, 20});
        Person* child = addBox(tree, "child", {1, 3}, {20, 0});
        addBox(tree, "right", {2, 3});
        QCOMPARE(tree.findParent(child), parent);
        QCOMPARE(marksOf(tree), (std::vector<Mark>{{child, 0}, {parent, 2}}));
        QCOMPARE(shownLineage(tree), QString("parent:2"));
    }

    void findParentNone_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("level 0") << 0;
        QTest::newRow("continuation box") << 1;
        QTest::newRow("nearest box above has no down connector") << 2;
        QTest::newRow("nearest box above is a continuation box") << 3;
        QTest::newRow("null box") << 4;
    }
    void findParentNone()
    {
        QFETCH(int, layout);
        Chart chart;
        Tree& tree = chart.tree();
        Person* searched = nullptr;
        switch (layout) {
        case 0:
            searched = addBox(tree, "top", {0, 0}, {0, 20});
            break;
        case 1:
            addBox(tree, "parent", {0, 0}, {0, 20});
            searched = addCont(tree, "cont", {0, 1}, {0, 0}, 0);
            break;
        case 2:
        case 3:
            addBox(tree, "grand", {0, 0}, {0, 20});
            if (layout == 2)
                addBox(tree, "blocked", {0, 1}, {0, 0});
            else
                addCont(tree, "blocked", {0, 1}, {0, 20}, 2);
            searched = addBox(tree, "child", {0, 2});
            break;
        default:
            break;
        }
        tree.lineagePath.append(new HMark(nullptr, 1)); // an earlier segment stays
        QCOMPARE(tree.findParent(searched), nullptr);
        QCOMPARE(marksOf(tree), (std::vector<Mark>{{nullptr, 1}}));
    }

    void findParentRightwardPass()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* parent = addBox(tree, "parent", {3, 0}, {0, 20});
        Person* a = addBox(tree, "a", {0, 2}, {300, 0});
        Person* b = addBox(tree, "b", {1, 2}, {20, 0}); // passes over the empty 2j2
        Person* c = addBox(tree, "c", {3, 2});
        addBox(tree, "beyond", {4, 2});
        QCOMPARE(tree.findParent(a), parent);
        QCOMPARE(marksOf(tree), (std::vector<Mark>{{c, 0}, {parent, 2}, {b, 1}, {a, 1}}));
        QCOMPARE(shownLineage(tree), QString("parent:2 a:1 b:1"));
    }

    void findParentRightwardPassEnds_data()
    {
        QTest::addColumn<bool>("continuationOnPath");
        QTest::addColumn<bool>("earlierSearch");
        QTest::newRow("at a box without right connector") << false << false;
        QTest::newRow("at a continuation box") << true << false;
        QTest::newRow("after an earlier search") << false << true;
    }
    void findParentRightwardPassEnds()
    {
        QFETCH(bool, continuationOnPath);
        QFETCH(bool, earlierSearch);
        Chart chart;
        Tree& tree = chart.tree();
        Person* grand = addBox(tree, "grand", {5, 0}, {0, 20});
        Person* kin = addBox(tree, "kin", {5, 1});
        if (earlierSearch)
            QCOMPARE(tree.findParent(kin), grand);
        addBox(tree, "parent", {2, 0}, {0, 20});
        Person* a = addBox(tree, "a", {0, 1}, {20, 0});
        if (continuationOnPath)
            addCont(tree, "cont", {1, 1}, {20, 0}, 1);
        else
            addBox(tree, "b", {1, 1});
        addBox(tree, "c", {2, 1});
        QCOMPARE(tree.findParent(a), nullptr);
        // The rightward segment is dropped; an earlier one stays.
        if (earlierSearch)
            QCOMPARE(marksOf(tree), (std::vector<Mark>{{kin, 0}, {grand, 2}}));
        else
            QVERIFY(tree.lineagePath.isEmpty());
        QCOMPARE(shownLineage(tree), earlierSearch ? QString("grand:2") : QString());
    }

    void findParentLeftwardPass()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* parent = addBox(tree, "parent", {0, 0}, {0, 20});
        Person* left = addBox(tree, "left", {0, 2}, {160, 0});
        Person* child = addBox(tree, "child", {2, 2}, {20, 0});
        addBox(tree, "right", {3, 2});
        Person* earlier = addBox(tree, "earlier", {6, 0});
        tree.lineagePath.append(new HMark(earlier, 2)); // an earlier segment
        QCOMPARE(tree.findParent(child), parent);
        QCOMPARE(marksOf(tree), (std::vector<Mark>{{parent, 2}, {left, 1}, {earlier, 2}}));
        QCOMPARE(shownLineage(tree), QString("parent:2 left:1 earlier:2"));
    }

    void findParentFailedLeftwardPassKeepsMarks()
    {
        Chart chart;
        Tree& tree = chart.tree();
        addBox(tree, "not linked", {0, 0}, {0, 0});
        Person* far = addBox(tree, "far", {0, 1}, {20, 0});
        Person* near = addBox(tree, "near", {1, 1}, {20, 0});
        Person* child = addBox(tree, "child", {2, 1});
        QCOMPARE(tree.findParent(child), nullptr);
        QCOMPARE(marksOf(tree), (std::vector<Mark>{{far, 1}, {near, 1}}));
    }

    void findParentLeftwardPassStops_data()
    {
        QTest::addColumn<bool>("continuation");
        QTest::newRow("box without right connector") << false;
        QTest::newRow("continuation box") << true;
    }
    void findParentLeftwardPassStops()
    {
        QFETCH(bool, continuation);
        Chart chart;
        Tree& tree = chart.tree();
        addBox(tree, "parent", {0, 0}, {0, 20});
        addBox(tree, "linked", {0, 1}, {20, 0});
        if (continuation)
            addCont(tree, "stop", {1, 1}, {20, 0}, 1);
        else
            addBox(tree, "stop", {1, 1}, {0, 0});
        Person* child = addBox(tree, "child", {2, 1});
        QCOMPARE(tree.findParent(child), nullptr);
        QVERIFY(tree.lineagePath.isEmpty());
    }

    void findParentRightwardPassLimitedByExtent()
    {
        Chart chart;
        Tree& tree = chart.tree();
        addBox(tree, "parent", {2, 0}, {0, 20});
        Person* a = addBox(tree, "a", {0, 1}, {20, 0});
        addBox(tree, "b", {2, 1});
        tree.maxColumn = 1; // stale cache: column 2 lies outside the pass
        tree.maxLevel = 1;
        QCOMPARE(tree.findParent(a), nullptr);
    }

    void ancestorClimbAddsSegments()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* top = addBox(tree, "top", {0, 0}, {0, 20});
        Person* middle = addBox(tree, "middle", {0, 1}, {0, 20});
        Person* child = addBox(tree, "child", {0, 2});
        QCOMPARE(tree.findParent(child), middle);
        QCOMPARE(tree.findParent(middle), top);
        QCOMPARE(tree.findParent(top), nullptr);
        QCOMPARE(marksOf(tree),
                 (std::vector<Mark>{{middle, 0}, {top, 2}, {child, 0}, {middle, 2}}));
    }

    void twoBoxesAtOneCell()
    {
        Chart chart;
        Tree& tree = chart.tree();
        BoxDrawLog dc;
        Person* first = addBox(tree, "first", {1, 0});
        Person* second = addBox(tree, "second", {1, 0});
        QCOMPARE(tree.select(dc, {1, 0}), first);
        QVERIFY(tree.dragCopy({1, 0}, {2, 0}));
        QCOMPARE(bytes(tree.findPerson({2, 0})->text), QByteArray("first"));
        QVERIFY(tree.move({1, 0}, {3, 0}));
        QCOMPARE(first->cell(), (Cell{3, 0}));
        QCOMPARE(tree.findPerson({1, 0}), second);
        QVERIFY(tree.move({1, 0}, {3, 0})); // switches with the first
        QCOMPARE(tree.findPerson({3, 0}), second);
        QCOMPARE(tree.findPerson({1, 0}), first);
    }

    void selectDrawsOnlyOldAndNewSelection()
    {
        Chart chart;
        Tree& tree = chart.tree();
        BoxDrawLog dc;
        addBox(tree, "a", {0, 0});
        addBox(tree, "b", {1, 0});
        addBox(tree, "c", {2, 0});
        using D = BoxDrawLog::Drawn;

        QCOMPARE(bytes(tree.select(dc, {0, 0})->text), QByteArray("a"));
        QCOMPARE(dc.boxes, (std::vector<D>{{{0, 0}, true}}));
        QVERIFY(dc.outlines.empty());

        dc.reset();
        QCOMPARE(bytes(tree.select(dc, {2, 0})->text), QByteArray("c"));
        QCOMPARE(dc.boxes, (std::vector<D>{{{0, 0}, false}, {{2, 0}, true}}));

        dc.reset();
        QCOMPARE(tree.select(dc, {3, 1}), nullptr);
        QCOMPARE(dc.boxes, (std::vector<D>{{{2, 0}, false}}));
        QCOMPARE(dc.outlines, (std::vector<Rect>{{455, 80, 575, 130}}));
        QVERIFY(tree.selectionFrame.drawn);

        // Another empty cell: the frame is removed where it was and drawn anew.
        dc.reset();
        tree.select(dc, {0, 2});
        QVERIFY(dc.boxes.empty());
        QCOMPARE(dc.outlines.size(), std::size_t(2));
        QCOMPARE(dc.outlines.front().left, 455);
        QCOMPARE(dc.outlines.back().top, 150);

        dc.reset();
        tree.select(dc, {1, 0});
        QCOMPARE(dc.boxes, (std::vector<D>{{{1, 0}, true}}));
        QCOMPARE(dc.outlines.size(), std::size_t(1)); // the frame removed
        QVERIFY(!tree.selectionFrame.drawn);
    }

    void showLineageWalksTheMarks()
    {
        Chart chart;
        Tree& tree = chart.tree();
        BoxDrawLog dc;
        Person* top = addBox(tree, "top", {0, 0}, {0, 20});
        Person* middle = addBox(tree, "middle", {0, 1}, {0, 20});
        Person* below = addBox(tree, "below", {0, 2});
        Person* other = addBox(tree, "other", {2, 1});
        tree.select(dc, {2, 1});
        QCOMPARE(tree.findParent(below), middle);
        QCOMPARE(tree.findParent(middle), top);
        dc.reset();
        int pauses = 0;
        std::vector<std::size_t> drawnAtPause;
        tree.showLineage(dc, [&] {
            ++pauses;
            drawnAtPause.push_back(dc.boxes.size());
        });
        using D = BoxDrawLog::Drawn;
        // In the order pushed: middle (2), below (0), then top (2), middle (0).
        QCOMPARE(dc.boxes, (std::vector<D>{{{2, 1}, false},
                                           {{0, 1}, true},
                                           {{0, 1}, false},
                                           {{0, 2}, true},
                                           {{0, 2}, false},
                                           {{0, 0}, true},
                                           {{0, 0}, false},
                                           {{0, 1}, true}}));
        QCOMPARE(pauses, 4);
        QCOMPARE(drawnAtPause, (std::vector<std::size_t>{2, 4, 6, 8}));
        QCOMPARE(tree.selected, middle);
        QCOMPARE(below->lineage, 0);
        QCOMPARE(middle->lineage, 2);
        QCOMPARE(top->lineage, 2);
        QCOMPARE(other->lineage, 0);

        // Marked twice, once per connector, a box ends with both bits.
        tree.lineagePath.clear();
        tree.lineagePath.append(new HMark(other, 1));
        tree.lineagePath.append(new HMark(other, 2));
        tree.showLineage(dc, [] {});
        QCOMPARE(other->lineage, 3);
    }

    void clearLineageRedrawsMarkedBoxesOnly()
    {
        Chart chart;
        Tree& tree = chart.tree();
        BoxDrawLog dc;
        Person* a = addBox(tree, "a", {0, 0});
        addBox(tree, "b", {1, 0});
        Person* c = addBox(tree, "c", {2, 0});
        a->lineage = 2;
        c->lineage = 3;
        tree.selected = c;
        tree.lineagePath.append(new HMark(a, 2));
        tree.clearLineage(dc);
        using D = BoxDrawLog::Drawn;
        QCOMPARE(dc.boxes, (std::vector<D>{{{0, 0}, false}, {{2, 0}, true}}));
        QCOMPARE(a->lineage, 0);
        QCOMPARE(c->lineage, 0);
        QVERIFY(tree.lineagePath.isEmpty());
        QCOMPARE(shownLineage(tree), QString()); // nothing is left to show
    }
};

QTEST_APPLESS_MAIN(TreeEditingTest)
#include "tree_editing_test.moc"
