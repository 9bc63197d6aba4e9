// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit_fixtures.h"
#include "model/chart.h"
#include "model/tree.h"
#include "model/undo_record.h"

#include <QtTest>
#include <memory>

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
        Tree& tree = chart.mutableTree();
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
            QVERIFY(tree.erase(a, UndoRecord::Cut));
        } else if (edit == "erase") {
            QVERIFY(tree.erase(a, UndoRecord::ErasePerson));
        } else if (edit.startsWith("paste")) {
            QVERIFY(edit == "paste" ? tree.pasteInto(buffer, a) : tree.pasteAt(buffer, {3, 3}));
        } else if (edit.startsWith("drag copy")) {
            QVERIFY(tree.dragCopy({0, 0}, edit == "drag copy" ? Cell{1, 0} : Cell{2, 2}));
        } else if (edit.startsWith("insertion")) {
            if (edit != "insertion")
                tree.undo();
            QVERIFY(tree.insertLine('x', 0));
        }
        QCOMPARE(bytes(tree.undoRecord().labelText()), label);
        QCOMPARE(tree.undoRecord().canUndo(), enabled);
        tree.undo();
        QCOMPARE(bytes(tree.undoRecord().labelText()), labelAfterUndo);
    }

    void moveUndoRedoToggles()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* box = addBox(tree, "a", {0, 0});
        QVERIFY(tree.move({0, 0}, {2, 0}));
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Undo move person"));
        const Cell expected[] = {{0, 0}, {2, 0}, {0, 0}, {2, 0}};
        for (Cell cell : expected) {
            tree.undo();
            QCOMPARE(box->cell(), cell);
            QCOMPARE(tree.findPerson(cell), box);
            QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Redo move person"));
        }
        // A new edit ends the redo state.
        QVERIFY(tree.move({2, 0}, {1, 1}));
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Undo move person"));
    }

    void switchUndoRedo()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* a = addBox(tree, "a", {0, 0});
        Person* b = addBox(tree, "b", {1, 2});
        QVERIFY(tree.move({0, 0}, {1, 2}));
        tree.undo();
        QCOMPARE(a->cell(), (Cell{0, 0}));
        QCOMPARE(b->cell(), (Cell{1, 2}));
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Redo switch persons"));
        tree.undo();
        QCOMPARE(a->cell(), (Cell{1, 2}));
        QCOMPARE(b->cell(), (Cell{0, 0}));
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Redo switch persons"));
    }

    void moveReversalWithoutBoxStillTurnsToRedo()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* box = addBox(tree, "a", {3, 3});
        QVERIFY(tree.move({3, 3}, {4, 4}));
        box->setCell({0, 0}); // gone from where the move left it
        tree.undo();
        QCOMPARE(box->cell(), (Cell{0, 0}));
        QVERIFY(tree.undoRecord().isRedo());
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Redo move person"));
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
        Tree& tree = chart.mutableTree();
        Person* box = addBox(tree, "a", {1, 1}, {20, 0});
        box->lineage = 1;
        addBox(tree, "b", {2, 1});
        QVERIFY(tree.erase(box, UndoRecord::Kind(kind)));
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(tree.findPerson({1, 1}), nullptr);
        QCOMPARE(tree.undoRecord().subject(), box);
        QCOMPARE(tree.undoRecord().savedContent().cell(), (Cell{1, 1}));
        QCOMPARE(tree.undoRecord().savedContent().rightLink(), 20);
        QCOMPARE(tree.undoRecord().savedContent().lineage, 1);

        tree.undo();
        QCOMPARE(tree.size(), std::size_t(2));
        QCOMPARE(tree.lastBox(), box);
        QCOMPARE(tree.findPerson({1, 1}), box);
        QCOMPARE(box->rightLink(), 20);
        QCOMPARE(box->lineage, 1);
        QCOMPARE(tree.undoRecord().subject(), nullptr);
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Can't undo"));
        tree.undo(); // nothing left to do
        QCOMPARE(tree.size(), std::size_t(2));
    }

    void restoredBoxStaysBehindANewcomer()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* box = addBox(tree, "old", {0, 0});
        QVERIFY(tree.erase(box, UndoRecord::Cut));
        Person* newcomer = addBox(tree, "new", {0, 0});
        tree.undo();
        QCOMPARE(tree.findPerson({0, 0}), newcomer);
        QVERIFY(tree.erase(newcomer, UndoRecord::Cut));
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
            Tree& tree = chart.mutableTree();
            Person* first = tree.append(std::make_unique<CountedPerson>("first", Cell{0, 0}));
            Person* second = tree.append(std::make_unique<CountedPerson>("second", Cell{1, 0}));
            QVERIFY(tree.erase(first, UndoRecord::Cut));
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
                QVERIFY(tree.pasteInto(buffer, second));
                break;
            case 3:
                tree.forgetUndo();
                break;
            case 4:
                tree.insertLine('x', 0);
                break;
            default:
                break;
            }
            if (how != 5) {
                QCOMPARE(CountedPerson::live, 1);
                tree.undo();
                QCOMPARE(tree.findPerson({0, 0}), nullptr);
            }
        }
        QCOMPARE(CountedPerson::live, 0);
    }

    void secondCutCanBeUndone()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* first = addBox(tree, "first", {0, 0});
        Person* second = addBox(tree, "second", {1, 0});
        QVERIFY(tree.erase(first, UndoRecord::Cut));
        QVERIFY(tree.erase(second, UndoRecord::Cut));
        tree.undo();
        QCOMPARE(tree.size(), std::size_t(1));
        QCOMPARE(tree.findPerson({1, 0}), second);
        QCOMPARE(tree.findPerson({0, 0}), nullptr);
    }

    void overwrittenBoxIsNotOwned()
    {
        CountedPerson::live = 0;
        {
            Chart chart;
            Tree& tree = chart.mutableTree();
            Person* target = tree.append(std::make_unique<CountedPerson>("target", Cell{0, 0}));
            StorePerson buffer;
            buffer.text = "pasted";
            QVERIFY(tree.pasteInto(buffer, target));
            tree.forgetUndo(); // forgetting a paste leaves its box alone
            QCOMPARE(CountedPerson::live, 1);
            QCOMPARE(tree.size(), std::size_t(1));
        }
        QCOMPARE(CountedPerson::live, 0);
    }

    void recordingClearsRedo()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* box = addBox(tree, "a", {0, 0});
        StorePerson buffer;
        QVERIFY(tree.move({0, 0}, {1, 0}));
        tree.undo();
        QVERIFY(tree.undoRecord().isRedo());
        QVERIFY(tree.pasteInto(buffer, box));
        QVERIFY(!tree.undoRecord().isRedo());
        QCOMPARE(bytes(tree.undoRecord().labelText()), QByteArray("Undo paste person"));
    }

    // A record of a kind that cannot be reversed keeps it and moves nothing.
    void nothingToUndo_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("empty") << int(UndoRecord::None);
        QTest::newRow("unused kind") << 1;
        QTest::newRow("insertion") << int(UndoRecord::Insertion);
    }
    void nothingToUndo()
    {
        QFETCH(int, kind);
        Chart chart;
        Tree& tree = chart.mutableTree();
        Person* box = addBox(tree, "a", {0, 0});
        UndoRecord record(tree);
        record.recordCells(UndoRecord::Kind(kind), {0, 0}, {1, 0});
        record.undo();
        QCOMPARE(box->cell(), (Cell{0, 0}));
        QCOMPARE(int(record.kind()), kind);
        QVERIFY(!record.isRedo());
    }
};

QTEST_APPLESS_MAIN(UndoTest)
#include "undo_test.moc"
