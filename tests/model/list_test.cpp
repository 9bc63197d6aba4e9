// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/hmark.h"
#include "model/list.h"
#include "model/person.h"

#include <QtTest>
#include <iostream>
#include <sstream>

namespace {

// An element that counts how many of its kind are alive.
class Counted : public ListData {
public:
    explicit Counted(int value, bool owned = true) : value(value), owned(owned) { ++alive; }
    ~Counted() override { --alive; }
    bool isOwned() const override { return owned; }
    ListData* clone() const override { return new Counted(value, owned); }

    int value;
    bool owned;
    static int alive;
};
int Counted::alive = 0;

QList<int> valuesOf(const List& list)
{
    QList<int> values;
    for (ListData* element : list)
        values << static_cast<Counted*>(element)->value;
    return values;
}

// Captures what is written to standard error while it lives.
class ErrorCapture {
public:
    ErrorCapture() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~ErrorCapture() { std::cerr.rdbuf(old_); }
    QByteArray text() const { return QByteArray::fromStdString(text_.str()); }

private:
    std::ostringstream text_;
    std::streambuf* old_;
};

} // namespace

class ListTest : public QObject {
    Q_OBJECT
private slots:
    void init() { Counted::alive = 0; }

    void removeFirstOnEmptyGivesNullElement()
    {
        List list;
        QCOMPARE(list.removeFirst(), List::nullElement());
        QCOMPARE(list.removeFirst()->kind(), 'U');
        QVERIFY(list.isEmpty());
    }

    void removeFirstDestroysOwnedElement()
    {
        List list;
        list.append(new Counted(1));
        list.append(new Counted(2));
        QCOMPARE(list.removeFirst(), List::nullElement());
        QCOMPARE(Counted::alive, 1);
        QCOMPARE(valuesOf(list), QList<int>{2});
        QCOMPARE(list.size(), std::size_t(1));
        QCOMPARE(list.removeFirst(), List::nullElement());
        QVERIFY(list.isEmpty());
        // The tail was released with the last node: appending starts afresh.
        list.append(new Counted(3));
        QCOMPARE(valuesOf(list), QList<int>{3});
        QCOMPARE(list.last(), list.first());
    }

    void removeFirstHandsBackUnownedElement()
    {
        Counted kept(7, false);
        List list;
        list.append(&kept);
        QCOMPARE(list.removeFirst(), static_cast<ListData*>(&kept));
        QVERIFY(list.isEmpty());
        QCOMPARE(Counted::alive, 1);
    }

    void removeWithoutDestroyKeepsElement()
    {
        List list;
        Counted* middle = new Counted(2);
        list.append(new Counted(1));
        list.append(middle);
        list.append(new Counted(3));
        List::Position position = list.begin();
        position.next();
        list.remove(position, false);
        QCOMPARE(Counted::alive, 3);
        QCOMPARE(middle->value, 2); // still alive and untouched
        QCOMPARE(valuesOf(list), (QList<int>{1, 3}));
        QCOMPARE(static_cast<Counted*>(position.element())->value, 3);
        QCOMPARE(list.size(), std::size_t(2));
        delete middle;
    }

    void removeWithDestroy()
    {
        List list;
        list.append(new Counted(1));
        list.append(new Counted(2));
        List::Position position = list.begin();
        position.next();
        list.remove(position, true); // the last node: the position is past the end now
        QVERIFY(position.atEnd());
        QCOMPARE(Counted::alive, 1);
        list.append(new Counted(4)); // the tail moved back to the first node
        QCOMPARE(valuesOf(list), (QList<int>{1, 4}));
        QCOMPARE(static_cast<Counted*>(list.last())->value, 4);
    }

    void insertAtHeadPutsElementFirst()
    {
        List list;
        list.append(new Counted(2));
        list.append(new Counted(3));
        List::Position position = list.begin();
        list.insert(position, new Counted(1));
        QCOMPARE(valuesOf(list), (QList<int>{1, 2, 3}));
        // The position's current node stays; a second insert goes after the first.
        QCOMPARE(static_cast<Counted*>(position.element())->value, 2);
        list.insert(position, new Counted(15));
        QCOMPARE(valuesOf(list), (QList<int>{1, 15, 2, 3}));
    }

    void insertAtEndMovesTail()
    {
        List list;
        List::Position position = list.begin();
        list.insert(position, new Counted(1)); // into an empty list
        list.append(new Counted(2));
        position = list.begin();
        position.next();
        position.next();
        QVERIFY(position.atEnd());
        list.insert(position, new Counted(3));
        list.append(new Counted(4));
        QCOMPARE(valuesOf(list), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(list.size(), std::size_t(4));
    }

    void reverseClonesOwnedElements()
    {
        Person a, b;
        Counted unowned(9, false);
        List list;
        HMark* first = new HMark(&a, 1);
        HMark* second = new HMark(&b, 2);
        list.append(first);
        list.append(&unowned);
        list.append(second);
        list.reverse();

        QCOMPARE(list.size(), std::size_t(3));
        std::vector<ListData*> elements(list.cbegin(), list.cend());
        QCOMPARE(elements.size(), std::size_t(3));
        auto* newFirst = dynamic_cast<HMark*>(elements[0]);
        auto* newLast = dynamic_cast<HMark*>(elements[2]);
        QVERIFY(newFirst && newLast);
        QCOMPARE(newFirst->person, &b);
        QCOMPARE(newFirst->bits, 2);
        QCOMPARE(newLast->person, &a);
        QCOMPARE(newLast->bits, 1);
        QCOMPARE(elements[1], static_cast<ListData*>(&unowned)); // held by pointer, not cloned
        QCOMPARE(list.last(), static_cast<ListData*>(newLast));
        list.append(new HMark(&a, 0)); // the tail is right after the rebuild
        QCOMPARE(list.size(), std::size_t(4));
    }

    void reverseDestroysReplacedOriginals()
    {
        List list;
        for (int i = 1; i <= 4; ++i)
            list.append(new Counted(i));
        Counted kept(0, false);
        list.append(&kept);
        list.reverse();
        QCOMPARE(valuesOf(list), (QList<int>{0, 4, 3, 2, 1}));
        QCOMPARE(Counted::alive, 5); // four clones and the unowned one
        list.clear();
        QCOMPARE(Counted::alive, 1);
        QVERIFY(list.isEmpty());
        list.reverse(); // an empty list stays empty
        QVERIFY(list.isEmpty());
    }

    void destructionDestroysOnlyOwned()
    {
        Counted kept(1, false);
        {
            List list;
            list.append(new Counted(2));
            list.append(&kept);
            QCOMPARE(Counted::alive, 2);
        }
        QCOMPARE(Counted::alive, 1);
        StorePerson buffer;
        QVERIFY(!buffer.isOwned());
        QVERIFY(!List::nullElement()->isOwned());
    }

    void misuseRaisesWithMessage_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("read past end") << 1 << QByteArray("Error: Iterator is outside list\n");
        QTest::newRow("step past end") << 1 << QByteArray("Error: Iterator is outside list\n");
        QTest::newRow("remove past end")
            << 2 << QByteArray("Error: Tried remove non-existing element\n");
    }
    void misuseRaisesWithMessage()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, message);
        List list;
        list.append(new Counted(1));
        List::Position position = list.begin();
        position.next();
        ErrorCapture capture;
        int raised = -1;
        try {
            if (QByteArray(QTest::currentDataTag()) == "read past end")
                position.element();
            else if (QByteArray(QTest::currentDataTag()) == "step past end")
                position.next();
            else
                list.remove(position, true);
        } catch (const List::Error& error) {
            raised = error.kind();
        }
        QCOMPARE(raised, kind);
        QCOMPARE(capture.text(), message);
        QCOMPARE(list.size(), std::size_t(1));
    }

    void errorMessages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("index") << 0 << QByteArray("Error: Index 12 is outside list\n");
        QTest::newRow("iterator") << 1 << QByteArray("Error: Iterator is outside list\n");
        QTest::newRow("remove") << 2 << QByteArray("Error: Tried remove non-existing element\n");
        QTest::newRow("insert") << 3
                                << QByteArray(
                                       "Error: Tried insert before/after non-existing element\n");
        QTest::newRow("replace") << 4 << QByteArray("Error: Tried replace non-existing element\n");
    }
    void errorMessages()
    {
        QFETCH(int, kind);
        ErrorCapture capture;
        const List::Error error(kind, 12);
        QCOMPARE(error.kind(), kind);
        QTEST(capture.text(), "message");
    }
};

QTEST_APPLESS_MAIN(ListTest)
#include "list_test.moc"
