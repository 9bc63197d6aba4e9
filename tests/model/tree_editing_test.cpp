// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit_fixtures.h"
#include "model/chart.h"
#include "model/chart_limits.h"
#include "model/lineage.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <QtTest>
#include <algorithm>
#include <vector>

Q_DECLARE_METATYPE(Cell)
Q_DECLARE_METATYPE(Links)

namespace {

QString cellText(Cell cell) { return QStringLiteral("%1j%2").arg(cell.column).arg(cell.level); }

// The boxes that show the lineage once the steps are marked, as text:bits in
// list order.
QString shownLineage(Tree& tree, const LineagePath& path)
{
    for (const LineageMark& mark : path)
        tree.markLineage(mark);
    QStringList marked;
    std::as_const(tree).forEachPerson([&](const Person* box) {
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
        Tree& tree = chart.mutableTree();
        Person* a = addBox(tree, "a", {0, 0});
        Person* b = addBox(tree, "b", {2, 0});
        Person* c = addBox(tree, "c", {7, 7});
        QVERIFY(tree.move({7, 7}, {8, 8}));
        tree.undo();

        QCOMPARE(tree.move(from, to), done);
        QCOMPARE(a->cell(), aAfter);
        QCOMPARE(b->cell(), bAfter);
        QCOMPARE(tree.findPerson(aAfter), a);
        QCOMPARE(tree.findPerson(bAfter), b);
        QCOMPARE(bytes(tree.undoRecord().labelText()), label);
        // Undo takes back this move; a refused one leaves the earlier move to redo.
        tree.undo();
        QCOMPARE(a->cell(), (Cell{0, 0}));
        QCOMPARE(b->cell(), (Cell{2, 0}));
        QCOMPARE(tree.findPerson({0, 0}), a);
        QCOMPARE(tree.findPerson({2, 0}), b);
        QCOMPARE(c->cell(), (done ? Cell{7, 7} : Cell{8, 8}));
        if (done) {
            // ... and redo makes it again.
            tree.undo();
            QCOMPARE(a->cell(), aAfter);
            QCOMPARE(b->cell(), bAfter);
        }
    }

    void dragCopyOfContinuationOntoEmptyMakesPlainBox()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* source = addCont(tree, "Other|chart", {0, 0}, {20, 30}, 1);
        source->lineage = 2;
        tree.move({0, 0}, {1, 0});
        QVERIFY(tree.dragCopy({1, 0}, {3, 2}));
        Person* copy = tree.findPerson({3, 2});
        QVERIFY(copy && copy != source);
        QCOMPARE(copy->kind(), BoxKind::Person);
        QCOMPARE(copy->direction(), 4);
        QCOMPARE(bytes(copy->text), bytes(source->text));
        QCOMPARE(copy->rightLink(), 20);
        QCOMPARE(copy->downLink(), 30);
        QCOMPARE(copy->lineage, 2);
        QCOMPARE(tree.lastBox(), copy);
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Can't undo"));
    }

    void dragCopyOntoBoxKeepsTypeDirectionAndCell()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* source = addBox(tree, "Anna", {0, 0}, {20, 70});
        source->lineage = 3;
        Person* target = addCont(tree, "Elsewhere", {4, 1}, {0, 0}, 2);
        QVERIFY(tree.dragCopy({0, 0}, {4, 1}));
        QCOMPARE(tree.size(), std::size_t(2));
        QCOMPARE(target->kind(), BoxKind::Continuation);
        QCOMPARE(target->direction(), 2);
        QCOMPARE(target->cell(), (Cell{4, 1}));
        QCOMPARE(bytes(target->text), QByteArray("Anna"));
        QCOMPARE(target->downLink(), 70);
        QCOMPARE(target->lineage, 3);
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Undo drag copy"));
        tree.undo();
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
        Tree& tree = chart.mutableTree();
        addBox(tree, "a", {0, 1});
        QVERIFY(tree.move({0, 1}, {0, 0}));
        QVERIFY(!tree.dragCopy(from, to));
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(tree.undoRecord().kind(), UndoRecord::MovePerson);
    }

    void pasteIntoBoxKeepsItsCell()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* box = addBox(tree, "old", {2, 1}, {20, 0});
        box->lineage = 1;
        StorePerson buffer;
        buffer.text = "new";
        buffer.setLinkLengths({0, 90});
        buffer.setCell({7, 7});
        QVERIFY(tree.pasteInto(buffer, box));
        QCOMPARE(bytes(box->text), QByteArray("new"));
        QCOMPARE(box->rightLink(), 0);
        QCOMPARE(box->downLink(), 90);
        QCOMPARE(box->lineage, 0);
        QCOMPARE(box->cell(), (Cell{2, 1}));
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Undo paste person"));
        tree.undo();
        QCOMPARE(bytes(box->text), QByteArray("old"));
        QCOMPARE(box->rightLink(), 20);
        QCOMPARE(box->lineage, 1);
    }

    void pasteAtEmptyCellMakesPlainBox_data()
    {
        QTest::addColumn<int>("boxWidth");
        QTest::addColumn<Cell>("cell");
        QTest::newRow("default size") << 120 << Cell{3, 2};
        QTest::newRow("narrow boxes") << 40 << Cell{5, 0};
        QTest::newRow("first cell") << 120 << Cell{0, 0};
    }
    void pasteAtEmptyCellMakesPlainBox()
    {
        QFETCH(int, boxWidth);
        QFETCH(Cell, cell);
        Chart chart;
        chart.settings().boxWidth = boxWidth;
        Tree& tree = chart.mutableTree();
        addBox(tree, "a", {0, 3});
        tree.move({0, 3}, {1, 3});
        StorePerson buffer;
        buffer.text = "pasted";
        buffer.setLinkLengths({20, 20});
        QVERIFY(tree.pasteAt(buffer, cell));
        Person* box = tree.findPerson(cell);
        QVERIFY(box);
        QCOMPARE(box->kind(), BoxKind::Person);
        QCOMPARE(bytes(box->text), QByteArray("pasted"));
        QCOMPARE(box->rightLink(), 20);
        QCOMPARE(tree.undoRecord().kind(), UndoRecord::None);
        // The extent cache is left alone: the next extent is measured from every box.
        QCOMPARE(tree.extentCells(), (Cell{std::max(cell.column, 1), 3}));
    }

    // A cell off the grid is no place for a box.
    void pasteAtRefusesCellsOffTheGrid_data()
    {
        QTest::addColumn<Cell>("cell");
        QTest::newRow("no cell") << noCell;
        QTest::newRow("column left of the grid") << Cell{-1, 2};
        QTest::newRow("level above the grid") << Cell{3, -1};
    }
    void pasteAtRefusesCellsOffTheGrid()
    {
        QFETCH(Cell, cell);
        Chart chart;
        Tree& tree = chart.mutableTree();
        addBox(tree, "a", {0, 1});
        QVERIFY(tree.move({0, 1}, {0, 0}));
        StorePerson buffer;
        buffer.text = "x";
        QVERIFY(!tree.pasteAt(buffer, cell));
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(tree.undoRecord().kind(), UndoRecord::MovePerson);
    }

    void pasteRefusals()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Chart otherChart;
        StorePerson buffer;
        buffer.text = "x";
        QVERIFY(!tree.pasteInto(buffer, nullptr));

        // A box dragged into the empty cell since is not hidden behind a second one.
        addBox(tree, "source", {0, 0});
        QVERIFY(tree.dragCopy({0, 0}, {2, 2}));
        QVERIFY(!tree.pasteAt(buffer, {2, 2}));
        QCOMPARE(tree.size(), std::size_t(2));

        // A box of another chart, or one cut from this one, takes no paste.
        const Person* stranger = addBox(otherChart.mutableTree(), "b", {1, 1});
        QVERIFY(!tree.pasteInto(buffer, stranger));
        QCOMPARE(bytes(stranger->text), QByteArray("b"));
        const Person* cut = tree.findPerson({2, 2});
        QVERIFY(tree.erase(cut, UndoRecord::Cut));
        QVERIFY(!tree.pasteInto(buffer, cut));
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(tree.undoRecord().kind(), UndoRecord::Cut);
        tree.undo();
        QCOMPARE(bytes(tree.findPerson({2, 2})->text), QByteArray("source"));
    }

    void eraseIgnoresWhatItCannotTake()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Chart otherChart;
        Tree& other = otherChart.mutableTree();
        Person* box = addBox(tree, "a", {0, 0});
        Person* stranger = addBox(other, "b", {0, 0});
        QVERIFY(tree.move({0, 0}, {1, 0}));
        QVERIFY(!tree.erase(nullptr, UndoRecord::Cut));
        QVERIFY(!tree.erase(stranger, UndoRecord::Cut));
        QVERIFY(!tree.erase(box, UndoRecord::PastePerson)); // would leave the box unowned
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(other.size(), std::size_t(1));
        QCOMPARE(tree.undoRecord().kind(), UndoRecord::MovePerson);
        QCOMPARE(tree.findPerson({1, 0}), box);
    }

    // A step of a box erased since marks nothing; the others still do.
    void erasedBoxTakesNoLineage()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* parent = addBox(tree, "p", {0, 0}, {0, 20});
        Person* child = addBox(tree, "c", {0, 1});
        LineagePath path;
        QCOMPARE(tree.findParent(child, &path), parent);
        QVERIFY(tree.erase(child, UndoRecord::ErasePerson));
        QVERIFY(!tree.markLineage({child, 1}));
        QCOMPARE(shownLineage(tree, path), QString("p:2"));
        tree.undo();
        QCOMPARE(child->lineage, 0);
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
        Tree& tree = chart.mutableTree();
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
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Can't undo"));
        QCOMPARE(tree.extentCells(), (Cell{3, 2})); // measured before, not grown
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
        Tree& tree = chart.mutableTree();
        Person* near = addBox(tree, "near", {0, 0});
        Person* far = addBox(tree, "far", edge);
        tree.move({0, 0}, {1, 1});
        QVERIFY(!tree.insertLine(axis, 0));
        QCOMPARE(near->cell(), (Cell{1, 1}));
        QCOMPARE(far->cell(), edge);
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Undo move person"));

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
        Tree& tree = chart.mutableTree();
        Person* box = addBox(tree, "fit", {1, 1}, before);
        addBox(tree, "other", other);
        tree.growExtent(cached);
        tree.fitConnectors(box);
        QCOMPARE(box->rightLink(), after.right);
        QCOMPARE(box->downLink(), after.down);
    }

    void fitConnectorsLeavesContinuationBoxes()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
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
        Tree& tree = chart.mutableTree();
        if (parentLevel > 0)
            addBox(tree, "further up", {1, 0}, {0, 20});
        Person* parent = addBox(tree, "parent", {1, parentLevel}, {0, 20});
        Person* child = addBox(tree, "child", {1, 3}, {20, 0});
        addBox(tree, "right", {2, 3});
        LineagePath path;
        QCOMPARE(tree.findParent(child, &path), parent);
        QCOMPARE(path, (LineagePath{{parent, 2}, {child, 0}}));
        QCOMPARE(shownLineage(tree, path), QString("parent:2"));
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
        Tree& tree = chart.mutableTree();
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
        LineagePath path{{nullptr, 1}}; // an earlier segment stays
        QCOMPARE(tree.findParent(searched, &path), nullptr);
        QCOMPARE(path, (LineagePath{{nullptr, 1}}));
    }

    void findParentRightwardPass()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* parent = addBox(tree, "parent", {3, 0}, {0, 20});
        Person* a = addBox(tree, "a", {0, 2}, {300, 0});
        Person* b = addBox(tree, "b", {1, 2}, {20, 0}); // passes over the empty 2j2
        Person* c = addBox(tree, "c", {3, 2});
        addBox(tree, "beyond", {4, 2});
        LineagePath path;
        QCOMPARE(tree.findParent(a, &path), parent);
        QCOMPARE(path, (LineagePath{{a, 1}, {b, 1}, {parent, 2}, {c, 0}}));
        QCOMPARE(shownLineage(tree, path), QString("parent:2 a:1 b:1"));
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
        Tree& tree = chart.mutableTree();
        Person* grand = addBox(tree, "grand", {5, 0}, {0, 20});
        Person* kin = addBox(tree, "kin", {5, 1});
        LineagePath path;
        if (earlierSearch)
            QCOMPARE(tree.findParent(kin, &path), grand);
        addBox(tree, "parent", {2, 0}, {0, 20});
        Person* a = addBox(tree, "a", {0, 1}, {20, 0});
        if (continuationOnPath)
            addCont(tree, "cont", {1, 1}, {20, 0}, 1);
        else
            addBox(tree, "b", {1, 1});
        addBox(tree, "c", {2, 1});
        QCOMPARE(tree.findParent(a, &path), nullptr);
        // The rightward segment is dropped; an earlier one stays.
        if (earlierSearch)
            QCOMPARE(path, (LineagePath{{grand, 2}, {kin, 0}}));
        else
            QVERIFY(path.empty());
        QCOMPARE(shownLineage(tree, path), earlierSearch ? QString("grand:2") : QString());
    }

    void findParentLeftwardPass()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* parent = addBox(tree, "parent", {0, 0}, {0, 20});
        Person* left = addBox(tree, "left", {0, 2}, {160, 0});
        Person* child = addBox(tree, "child", {2, 2}, {20, 0});
        addBox(tree, "right", {3, 2});
        Person* earlier = addBox(tree, "earlier", {6, 0});
        LineagePath path{{earlier, 2}}; // an earlier segment
        QCOMPARE(tree.findParent(child, &path), parent);
        QCOMPARE(path, (LineagePath{{earlier, 2}, {left, 1}, {parent, 2}}));
        QCOMPARE(shownLineage(tree, path), QString("parent:2 left:1 earlier:2"));
    }

    void findParentFailedLeftwardPassKeepsMarks()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        addBox(tree, "not linked", {0, 0}, {0, 0});
        Person* far = addBox(tree, "far", {0, 1}, {20, 0});
        Person* near = addBox(tree, "near", {1, 1}, {20, 0});
        Person* child = addBox(tree, "child", {2, 1});
        LineagePath path;
        QCOMPARE(tree.findParent(child, &path), nullptr);
        QCOMPARE(path, (LineagePath{{near, 1}, {far, 1}}));
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
        Tree& tree = chart.mutableTree();
        addBox(tree, "parent", {0, 0}, {0, 20});
        addBox(tree, "linked", {0, 1}, {20, 0});
        if (continuation)
            addCont(tree, "stop", {1, 1}, {20, 0}, 1);
        else
            addBox(tree, "stop", {1, 1}, {0, 0});
        Person* child = addBox(tree, "child", {2, 1});
        LineagePath path;
        QCOMPARE(tree.findParent(child, &path), nullptr);
        QVERIFY(path.empty());
    }

    void findParentRightwardPassLimitedByExtent()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        addBox(tree, "parent", {2, 0}, {0, 20});
        Person* a = addBox(tree, "a", {0, 1}, {20, 0});
        addBox(tree, "b", {2, 1});
        tree.growExtent({1, 1}); // stale cache: column 2 lies outside the pass
        QCOMPARE(tree.findParent(a), nullptr);
    }

    void ancestorClimbAddsSegments()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* top = addBox(tree, "top", {0, 0}, {0, 20});
        Person* middle = addBox(tree, "middle", {0, 1}, {0, 20});
        Person* child = addBox(tree, "child", {0, 2});
        LineagePath path;
        QCOMPARE(tree.findParent(child, &path), middle);
        QCOMPARE(tree.findParent(middle, &path), top);
        QCOMPARE(tree.findParent(top, &path), nullptr);
        QCOMPARE(path, (LineagePath{{middle, 2}, {child, 0}, {top, 2}, {middle, 0}}));
    }

    void twoBoxesAtOneCell()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* first = addBox(tree, "first", {1, 0});
        Person* second = addBox(tree, "second", {1, 0});
        QCOMPARE(tree.findPerson({1, 0}), first);
        QVERIFY(tree.dragCopy({1, 0}, {2, 0}));
        QCOMPARE(bytes(tree.findPerson({2, 0})->text), QByteArray("first"));
        QVERIFY(tree.move({1, 0}, {3, 0}));
        QCOMPARE(first->cell(), (Cell{3, 0}));
        QCOMPARE(tree.findPerson({1, 0}), second);
        QVERIFY(tree.move({1, 0}, {3, 0})); // switches with the first
        QCOMPARE(tree.findPerson({3, 0}), second);
        QCOMPARE(tree.findPerson({1, 0}), first);
    }

    void markingTheStepsShowsTheLineage()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* top = addBox(tree, "top", {0, 0}, {0, 20});
        Person* middle = addBox(tree, "middle", {0, 1}, {0, 20});
        Person* below = addBox(tree, "below", {0, 2});
        Person* other = addBox(tree, "other", {2, 1});
        LineagePath path;
        QCOMPARE(tree.findParent(below, &path), middle);
        QCOMPARE(tree.findParent(middle, &path), top);
        QCOMPARE(shownLineage(tree, path), QString("top:2 middle:2"));
        QCOMPARE(below->lineage, 0);
        QCOMPARE(other->lineage, 0);

        // Marked twice, once per connector, a box ends with both bits.
        QVERIFY(tree.markLineage({other, 1}));
        QVERIFY(tree.markLineage({other, 2}));
        QCOMPARE(other->lineage, 3);

        // A box of another chart is not marked.
        Chart otherChart;
        const Person* stranger = addBox(otherChart.mutableTree(), "stranger", {0, 0});
        QVERIFY(!tree.markLineage({stranger, 2}));
        QVERIFY(!tree.markLineage({nullptr, 2}));
        QCOMPARE(stranger->lineage, 0);
    }

    void clearLineageClearsEveryBox()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* a = addBox(tree, "a", {0, 0});
        Person* b = addBox(tree, "b", {1, 0});
        Person* c = addBox(tree, "c", {2, 0});
        QVERIFY(!tree.clearLineage()); // nothing was marked
        a->lineage = 2;
        c->lineage = 3;
        QVERIFY(tree.clearLineage());
        QCOMPARE(a->lineage, 0);
        QCOMPARE(b->lineage, 0);
        QCOMPARE(c->lineage, 0);
        QVERIFY(!tree.clearLineage());
        QCOMPARE(shownLineage(tree, {}), QString()); // nothing is left to show
    }
};

QTEST_APPLESS_MAIN(TreeEditingTest)
#include "tree_editing_test.moc"
