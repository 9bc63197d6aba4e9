// SPDX-License-Identifier: GPL-3.0-or-later
#include "box_draw_log.h"
#include "edit_fixtures.h"
#include "model/chart.h"
#include "model/tree.h"
#include "model/undo_record.h"

#include <QtTest>

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    // The Undo command's text and state after each kind of edit, and once undone.
    void labels_data()
    {
        QTest::addColumn<QByteArray>("edit");
        QTest::addColumn<QByteArray>("label");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QByteArray>("labelAfterUndo");
        auto row = [](const char* edit, const char* label, bool enabled, const char* after) {
            QTest::newRow(edit) << QByteArray(edit) << QByteArray(label) << enabled
                                << QByteArray(after);
        };
        row("nothing", "Can't undo", false, "Can't undo");
        row("move", "Undo move person", true, "Redo move person");
        row("switch", "Undo switch persons", true, "Redo switch persons");
        row("cut", "Undo cut", true, "Can't undo");
        row("paste", "Undo paste person", true, "Can't undo");
        row("paste into an empty cell", "Can't undo", false, "Can't undo");
        row("drag copy", "Undo drag copy", true, "Can't undo");
        row("drag copy onto an empty cell", "Can't undo", false, "Can't undo");
        row("erase", "Undo erase person", true, "Can't undo");
        row("insertion", "Can't undo", false, "Can't undo");
        row("insertion after an undone move", "Can't undo", false, "Can't undo");
    }
    void labels()
    {
        QFETCH(QByteArray, edit);
        QFETCH(QByteArray, label);
        QFETCH(bool, enabled);
        QFETCH(QByteArray, labelAfterUndo);
        Chart chart;
        Tree& tree = chart.tree();
        BoxDrawLog dc;
        Person* a = addBox(tree, "a", {0, 0});
        addBox(tree, "b", {1, 0});
        addBox(tree, "c", {4, 0});
        StorePerson buffer;
        buffer.text = "pasted";
        // Each edit follows an undoable one, which it replaces or forgets.
        if (edit != "nothing")
            QVERIFY(tree.move({4, 0}, {4, 1}));
        if (edit == "move") {
            QVERIFY(tree.move({0, 0}, {0, 1}));
        } else if (edit == "switch") {
            QVERIFY(tree.move({0, 0}, {1, 0}));
        } else if (edit == "cut") {
            tree.erase(a, UndoRecord::Cut);
        } else if (edit == "erase") {
            tree.erase(a, UndoRecord::ErasePerson);
        } else if (edit.startsWith("paste")) {
            tree.select(dc, edit == "paste" ? Cell{0, 0} : Cell{3, 3});
            QVERIFY(tree.paste(buffer));
        } else if (edit.startsWith("drag copy")) {
            QVERIFY(tree.dragCopy({0, 0}, edit == "drag copy" ? Cell{1, 0} : Cell{2, 2}));
        } else if (edit.startsWith("insertion")) {
            if (edit != "insertion")
                tree.undoRecord.undo();
            QVERIFY(tree.insertLine('x', 0));
        }
        QCOMPARE(bytes(tree.undoRecord.labelText()), label);
        QCOMPARE(tree.undoRecord.canUndo(), enabled);
        tree.undoRecord.undo();
        QCOMPARE(bytes(tree.undoRecord.labelText()), labelAfterUndo);
    }

    void moveUndoRedoToggles()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* box = addBox(tree, "a", {0, 0});
        QVERIFY(tree.move({0, 0}, {2, 0}));
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Undo move person"));
        const Cell expected[] = {{0, 0}, {2, 0}, {0, 0}, {2, 0}};
        for (Cell cell : expected) {
            tree.undoRecord.undo();
            QCOMPARE(box->cell(), cell);
            QCOMPARE(tree.findPerson(cell), box);
            QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Redo move person"));
        }
        // A new edit ends the redo state.
        QVERIFY(tree.move({2, 0}, {1, 1}));
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Undo move person"));
    }

    void switchUndoRedo()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* a = addBox(tree, "a", {0, 0});
        Person* b = addBox(tree, "b", {1, 2});
        QVERIFY(tree.move({0, 0}, {1, 2}));
        tree.undoRecord.undo();
        QCOMPARE(a->cell(), (Cell{0, 0}));
        QCOMPARE(b->cell(), (Cell{1, 2}));
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Redo switch persons"));
        tree.undoRecord.undo();
        QCOMPARE(a->cell(), (Cell{1, 2}));
        QCOMPARE(b->cell(), (Cell{0, 0}));
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Redo switch persons"));
    }

    void moveReversalWithoutBoxStillTurnsToRedo()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* box = addBox(tree, "a", {0, 0});
        tree.undoRecord.recordCells(UndoRecord::MovePerson, {3, 3}, {4, 4});
        tree.undoRecord.undo();
        QCOMPARE(box->cell(), (Cell{0, 0}));
        QVERIFY(tree.undoRecord.redo);
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Redo move person"));
    }

    void removedBoxComesBackLast_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("cut") << int(UndoRecord::Cut);
        QTest::newRow("erase person") << int(UndoRecord::ErasePerson);
    }
    void removedBoxComesBackLast()
    {
        QFETCH(int, kind);
        Chart chart;
        Tree& tree = chart.tree();
        BoxDrawLog dc;
        Person* box = addBox(tree, "a", {1, 1}, {20, 0});
        box->lineage = 1;
        addBox(tree, "b", {2, 1});
        tree.select(dc, {1, 1});
        tree.erase(box, kind);
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(tree.findPerson({1, 1}), nullptr);
        QCOMPARE(tree.undoRecord.subject, box);
        QCOMPARE(tree.undoRecord.saved.cell(), (Cell{1, 1}));
        QCOMPARE(tree.undoRecord.saved.rightLink(), 20);
        QCOMPARE(tree.undoRecord.saved.lineage, 1);

        tree.undoRecord.undo();
        QCOMPARE(tree.size(), std::size_t(2));
        QCOMPARE(static_cast<Person*>(tree.persons.last()), box);
        QCOMPARE(tree.findPerson({1, 1}), box);
        QCOMPARE(tree.selected, nullptr);
        QCOMPARE(tree.undoRecord.subject, nullptr);
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Can't undo"));
        tree.undoRecord.undo(); // nothing left to do
        QCOMPARE(tree.size(), std::size_t(2));
    }

    void restoredBoxStaysBehindANewcomer()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* box = addBox(tree, "old", {0, 0});
        tree.erase(box, UndoRecord::Cut);
        Person* newcomer = addBox(tree, "new", {0, 0});
        tree.undoRecord.undo();
        QCOMPARE(tree.findPerson({0, 0}), newcomer);
        tree.erase(newcomer, UndoRecord::Cut);
        QCOMPARE(tree.findPerson({0, 0}), box);
    }

    void removedBoxIsDestroyedWhenForgotten_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("second cut") << 0;
        QTest::newRow("move recorded") << 1;
        QTest::newRow("paste recorded") << 2;
        QTest::newRow("cleared") << 3;
        QTest::newRow("insertion") << 4;
        QTest::newRow("tree destroyed") << 5;
    }
    void removedBoxIsDestroyedWhenForgotten()
    {
        QFETCH(int, how);
        CountedPerson::live = 0;
        {
            Chart chart;
            Tree& tree = chart.tree();
            BoxDrawLog dc;
            auto* first = new CountedPerson("first", {0, 0});
            auto* second = new CountedPerson("second", {1, 0});
            tree.append(first);
            tree.append(second);
            tree.erase(first, UndoRecord::Cut);
            QCOMPARE(CountedPerson::live, 2);
            StorePerson buffer;
            switch (how) {
            case 0:
                tree.erase(second, UndoRecord::Cut);
                break;
            case 1:
                tree.move({1, 0}, {2, 0});
                break;
            case 2:
                tree.select(dc, {1, 0});
                tree.paste(buffer);
                break;
            case 3:
                tree.undoRecord.clear();
                break;
            case 4:
                tree.insertLine('x', 0);
                break;
            default:
                break;
            }
            if (how != 5) {
                QCOMPARE(CountedPerson::live, 1);
                tree.undoRecord.undo();
                QCOMPARE(tree.findPerson({0, 0}), nullptr);
            }
        }
        QCOMPARE(CountedPerson::live, 0);
    }

    void secondCutCanBeUndone()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* first = addBox(tree, "first", {0, 0});
        Person* second = addBox(tree, "second", {1, 0});
        tree.erase(first, UndoRecord::Cut);
        tree.erase(second, UndoRecord::Cut);
        tree.undoRecord.undo();
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(tree.findPerson({1, 0}), second);
        QCOMPARE(tree.findPerson({0, 0}), nullptr);
    }

    void overwrittenBoxIsNotOwned()
    {
        CountedPerson::live = 0;
        {
            Chart chart;
            Tree& tree = chart.tree();
            BoxDrawLog dc;
            auto* target = new CountedPerson("target", {0, 0});
            tree.append(target);
            tree.select(dc, {0, 0});
            StorePerson buffer;
            buffer.text = "pasted";
            QVERIFY(tree.paste(buffer));
            tree.undoRecord.clear(); // forgetting a paste leaves its box alone
            QCOMPARE(CountedPerson::live, 1);
            QCOMPARE(tree.size(), std::size_t(1));
        }
        QCOMPARE(CountedPerson::live, 0);
    }

    void recordingClearsRedo()
    {
        Chart chart;
        Tree& tree = chart.tree();
        Person* box = addBox(tree, "a", {0, 0});
        tree.move({0, 0}, {1, 0});
        tree.undoRecord.undo();
        QVERIFY(tree.undoRecord.redo);
        tree.undoRecord.recordPerson(UndoRecord::PastePerson, box);
        QVERIFY(!tree.undoRecord.redo);
        QCOMPARE(bytes(tree.undoRecord.labelText()), QByteArray("Undo paste person"));
    }

    void nothingToUndo_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("empty") << 0;
        QTest::newRow("unused kind") << 1;
        QTest::newRow("insertion") << 8;
    }
    void nothingToUndo()
    {
        QFETCH(int, kind);
        Chart chart;
        Tree& tree = chart.tree();
        Person* box = addBox(tree, "a", {0, 0});
        tree.undoRecord.undoKind = kind;
        tree.undoRecord.cellA = {0, 0};
        tree.undoRecord.cellB = {1, 0};
        tree.undoRecord.undo();
        QCOMPARE(box->cell(), (Cell{0, 0}));
        QCOMPARE(tree.undoRecord.undoKind, kind);
        QVERIFY(!tree.undoRecord.redo);
    }
};

QTEST_APPLESS_MAIN(UndoTest)
#include "undo_test.moc"
