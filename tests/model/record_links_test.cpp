// SPDX-License-Identifier: GPL-3.0-or-later
// A box's family file record goes wherever the box goes: moved, switched,
// copied, cut and pasted, undone; a box typed over keeps it, while its text
// counts as the user's.
#include "model/chart.h"
#include "model/tree.h"

#include <QtTest>
#include <memory>

namespace {

// Three boxes away from the origin: Anna (I1) at 3,2, Bert (I2) at 5,2 and a
// box typed by hand at 4,3.
struct Fixture {
    Chart chart;
    Tree& tree = chart.mutableTree();
    Fixture()
    {
        add("Anna", {3, 2}, "I1");
        add("Bert", {5, 2}, "I2");
        tree.append(std::make_unique<Person>("hand", Cell{4, 3}, Links{}));
    }
    void add(const char* text, Cell cell, const char* xref)
    {
        Person* box = tree.append(std::make_unique<Person>(text, cell, Links{}));
        tree.mutableRecords().set(box, {xref, textFingerprint(text)});
    }
    // The record at a cell: its xref, "-" for a box without, "none" for no box.
    QByteArray recordAt(Cell cell) const
    {
        const Person* box = tree.findPerson(cell);
        if (!box)
            return "none";
        const RecordLink* record = tree.records().find(box);
        return record ? QByteArray::fromStdString(record->xref) : QByteArray("-");
    }
};

} // namespace

class RecordLinksTest : public QObject {
    Q_OBJECT
private slots:
    // An edit, then the records at Anna's old cell, Bert's old cell, the
    // hand-typed box's cell and 7,6; then the same after undo.
    void recordsFollowEdits_data()
    {
        QTest::addColumn<QByteArray>("edit");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("undone");
        QTest::newRow("move") << QByteArray("move") << QByteArray("none I2 - I1")
                              << QByteArray("I1 I2 - none");
        QTest::newRow("switch") << QByteArray("switch") << QByteArray("I2 I1 - none")
                                << QByteArray("I1 I2 - none");
        QTest::newRow("drag copy to an empty cell")
            << QByteArray("copy to empty") << QByteArray("I1 I2 - I1") << QByteArray("I1 I2 - I1");
        QTest::newRow("drag copy onto a box")
            << QByteArray("copy onto Bert") << QByteArray("I1 I1 - none")
            << QByteArray("I1 I2 - none");
        QTest::newRow("drag copy of the hand box onto Bert")
            << QByteArray("copy hand onto Bert") << QByteArray("I1 - - none")
            << QByteArray("I1 I2 - none");
        QTest::newRow("cut") << QByteArray("cut") << QByteArray("none I2 - none")
                             << QByteArray("I1 I2 - none");
        QTest::newRow("erase") << QByteArray("erase") << QByteArray("none I2 - none")
                               << QByteArray("I1 I2 - none");
        QTest::newRow("paste Anna into the hand box")
            << QByteArray("paste into hand") << QByteArray("I1 I2 I1 none")
            << QByteArray("I1 I2 - none");
        QTest::newRow("paste without a record into Bert")
            << QByteArray("paste plain into Bert") << QByteArray("I1 - - none")
            << QByteArray("I1 I2 - none");
        QTest::newRow("paste Anna at an empty cell")
            << QByteArray("paste at empty") << QByteArray("I1 I2 - I1") << QByteArray("I1 I2 - I1");
        QTest::newRow("insert a column before Bert")
            << QByteArray("insert column") << QByteArray("I1 none none none")
            << QByteArray("I1 none none none");
    }
    void recordsFollowEdits()
    {
        QFETCH(QByteArray, edit);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, undone);
        Fixture f;
        Tree& tree = f.tree;
        const Cell anna{3, 2}, bert{5, 2}, hand{4, 3}, far{7, 6};
        const RecordLink annaRecord = *tree.records().find(tree.findPerson(anna));
        StorePerson copied;
        copied.copyContentFrom(*tree.findPerson(anna));
        if (edit == "move")
            QVERIFY(tree.move(anna, far));
        else if (edit == "switch")
            QVERIFY(tree.move(anna, bert));
        else if (edit == "copy to empty")
            QVERIFY(tree.dragCopy(anna, far));
        else if (edit == "copy onto Bert")
            QVERIFY(tree.dragCopy(anna, bert));
        else if (edit == "copy hand onto Bert")
            QVERIFY(tree.dragCopy(hand, bert));
        else if (edit == "cut")
            QVERIFY(tree.erase(tree.findPerson(anna), UndoRecord::Cut));
        else if (edit == "erase")
            QVERIFY(tree.erase(tree.findPerson(anna), UndoRecord::ErasePerson));
        else if (edit == "paste into hand")
            QVERIFY(tree.pasteInto(copied, tree.findPerson(hand), &annaRecord));
        else if (edit == "paste plain into Bert")
            QVERIFY(tree.pasteInto(copied, tree.findPerson(bert), nullptr));
        else if (edit == "paste at empty")
            QVERIFY(tree.pasteAt(copied, far, &annaRecord));
        else if (edit == "insert column")
            QVERIFY(tree.insertLine('x', 4));
        auto records = [&] {
            return f.recordAt(anna) + ' ' + f.recordAt(bert) + ' ' + f.recordAt(hand) + ' ' +
                   f.recordAt(far);
        };
        QCOMPARE(records(), after);
        tree.undo();
        QCOMPARE(records(), undone);
    }

    // A cut box pasted elsewhere carries its record; the cut box itself is gone.
    void cutAndPasteCarriesTheRecord()
    {
        Fixture f;
        const Person* anna = f.tree.findPerson({3, 2});
        StorePerson buffer;
        buffer.copyContentFrom(*anna);
        const RecordLink record = *f.tree.records().find(anna);
        QVERIFY(f.tree.erase(anna, UndoRecord::Cut));
        QVERIFY(f.tree.pasteAt(buffer, {9, 1}, &record));
        QCOMPARE(f.recordAt({9, 1}), QByteArray("I1"));
        QCOMPARE(f.tree.records().size(), std::size_t(2));
    }

    // Retyped text keeps the record; only the fingerprint tells it is the user's.
    void typedOverTextIsTheUsers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("fileText");
        QTest::newRow("as imported") << QByteArray("Anna") << true;
        QTest::newRow("one byte more") << QByteArray("Anna ") << false;
        QTest::newRow("one byte less") << QByteArray("Ann") << false;
        QTest::newRow("other case") << QByteArray("anna") << false;
        QTest::newRow("empty") << QByteArray("") << false;
    }
    void typedOverTextIsTheUsers()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, fileText);
        Fixture f;
        Person* anna = f.tree.findPerson(Cell{3, 2});
        anna->setText(text.toStdString());
        const RecordLink* record = f.tree.records().find(anna);
        QVERIFY(record);
        QCOMPARE(hasFileText(*anna, record), fileText);
    }

    // Many records set, some dropped (every n-th, from the k-th), then the rest
    // set again over: each box must still find its own record and no other, as
    // the table grows from a handful of records to thousands.
    void manyRecordsSetAndDropped_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("every");
        QTest::addColumn<int>("first");
        QTest::newRow("12, every third from the second") << 12 << 3 << 1;
        QTest::newRow("13, every second") << 13 << 2 << 0;
        QTest::newRow("14, every one dropped") << 14 << 1 << 0;
        QTest::newRow("1000, every third") << 1000 << 3 << 2;
        QTest::newRow("5000, runs of four kept") << 5000 << 5 << 4;
    }
    void manyRecordsSetAndDropped()
    {
        QFETCH(int, count);
        QFETCH(int, every);
        QFETCH(int, first);
        Chart chart;
        Tree& tree = chart.mutableTree();
        RecordLinks& records = tree.mutableRecords();
        std::vector<Person*> boxes;
        for (int i = 0; i < count; ++i) {
            boxes.push_back(
                tree.append(std::make_unique<Person>("p", Cell{i % 7 + 2, i / 7 + 3}, Links{})));
            records.set(boxes.back(), {"I" + std::to_string(i), std::uint32_t(i)});
        }
        const auto dropped = [&](int i) { return i >= first && (i - first) % every == 0; };
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            if (dropped(i))
                records.erase(boxes[std::size_t(i)]);
            else
                ++kept;
        }
        for (int i = 0; i < count; ++i) {
            if (!dropped(i))
                records.set(boxes[std::size_t(i)], {"J" + std::to_string(i), std::uint32_t(i)});
        }
        QCOMPARE(records.size(), std::size_t(kept));
        for (int i = 0; i < count; ++i) {
            const RecordLink* record = records.find(boxes[std::size_t(i)]);
            if (dropped(i)) {
                QVERIFY2(!record, std::to_string(i).c_str());
            } else {
                QVERIFY2(record, std::to_string(i).c_str());
                QCOMPARE(record->xref, "J" + std::to_string(i));
            }
        }
    }
};

QTEST_APPLESS_MAIN(RecordLinksTest)
#include "record_links_test.moc"
