// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpmod/stirpa_string.h"

#include <QtTest>
#include <climits>

class StirpaStringTest : public QObject {
    Q_OBJECT
private slots:
    void countedConstruction_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("short source padded") << QByteArray("abc") << 7 << QByteArray("abc    ");
        QTest::newRow("long source cut") << QByteArray("0123456789") << 7 << QByteArray("0123456");
        QTest::newRow("exact") << QByteArray("abc") << 3 << QByteArray("abc");
        QTest::newRow("empty source") << QByteArray("") << 2 << QByteArray("  ");
        QTest::newRow("zero") << QByteArray("abc") << 0 << QByteArray("");
        QTest::newRow("negative") << QByteArray("abc") << -5 << QByteArray("");
    }
    void countedConstruction()
    {
        QFETCH(QByteArray, source);
        QFETCH(int, count);
        QFETCH(QByteArray, expected);
        const String text(source.constData(), long(count));
        QCOMPARE(QByteArray(text.c_str()), expected);
        QCOMPARE(text.length(), long(expected.size()));
    }

    void countedConstructionStopsAtTerminator()
    {
        // The bytes after the terminator are never read, even when n reaches them.
        const char source[] = {'a', '\0', 'X', 'X', 'X'};
        QCOMPARE(QByteArray(String(source, 4).c_str()), QByteArray("a   "));
    }

    void paths_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("fileName");
        QTest::addColumn<QByteArray>("directory");
        QTest::addColumn<QByteArray>("stem");
        QTest::addColumn<QByteArray>("extension");
        QTest::newRow("windows") << QByteArray("C:\\charts\\tree1.txt") << QByteArray("tree1.txt")
                                 << QByteArray("C:\\charts\\") << QByteArray("C:\\charts\\tree1")
                                 << QByteArray("txt");
        QTest::newRow("posix") << QByteArray("/home/u/charts/tree1.txt") << QByteArray("tree1.txt")
                               << QByteArray("/home/u/charts/")
                               << QByteArray("/home/u/charts/tree1") << QByteArray("txt");
        QTest::newRow("several dots") << QByteArray("a.b.c") << QByteArray("a.b.c")
                                      << QByteArray("") << QByteArray("a.b") << QByteArray("c");
        QTest::newRow("no dot") << QByteArray("tree") << QByteArray("tree") << QByteArray("")
                                << QByteArray("tree") << QByteArray("");
        QTest::newRow("drive only") << QByteArray("C:x") << QByteArray("x") << QByteArray("C:")
                                    << QByteArray("C:x") << QByteArray("");
        QTest::newRow("mixed separators")
            << QByteArray("C:/a\\b/c.d") << QByteArray("c.d") << QByteArray("C:/a\\b/")
            << QByteArray("C:/a\\b/c") << QByteArray("d");
        // The last dot anywhere counts, also one in a folder name.
        QTest::newRow("dot in folder")
            << QByteArray("/x.y/tree") << QByteArray("tree") << QByteArray("/x.y/")
            << QByteArray("/x") << QByteArray("y/tree");
        QTest::newRow("trailing separator")
            << QByteArray("/tmp/") << QByteArray("") << QByteArray("/tmp/") << QByteArray("/tmp/")
            << QByteArray("");
        QTest::newRow("empty") << QByteArray("") << QByteArray("") << QByteArray("")
                               << QByteArray("") << QByteArray("");
    }
    void paths()
    {
        QFETCH(QByteArray, path);
        const String text(path.constData());
        QTEST(QByteArray(text.fileName().c_str()), "fileName");
        QTEST(QByteArray(text.directory().c_str()), "directory");
        QTEST(QByteArray(text.stem().c_str()), "stem");
        QTEST(QByteArray(text.extension().c_str()), "extension");
    }

    void treeNameFromPath()
    {
        QCOMPARE(QByteArray(String("C:\\charts\\tree1.txt").fileName().stem().c_str()),
                 QByteArray("tree1"));
        QCOMPARE(QByteArray(String("/home/u/charts/tree1.txt").fileName().stem().c_str()),
                 QByteArray("tree1"));
    }

    void comparisons()
    {
        const String abc("abc");
        QVERIFY(abc.startsWith(""));
        QVERIFY(String().startsWith(""));
        QVERIFY(abc.startsWith("ab"));
        QVERIFY(abc.startsWith("abc"));
        QVERIFY(!abc.startsWith("abcd"));
        QVERIFY(!abc.startsWith("b"));
        QVERIFY(!String().startsWith("a"));
        QVERIFY(abc.equals("abc"));
        QVERIFY(!abc.equals("abcd"));
        QVERIFY(!String("abcd").equals("abc"));
        QVERIFY(!abc.equals("ABC"));
        QVERIFY(String().equals(""));
        QVERIFY(String().isEmpty());
    }

    void toInt_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << QByteArray("42") << 42;
        QTest::newRow("blanks and sign") << QByteArray(" \t -17xyz") << -17;
        QTest::newRow("plus") << QByteArray("+8") << 8;
        QTest::newRow("no digits") << QByteArray("abc") << 0;
        QTest::newRow("sign alone") << QByteArray("- 5") << 0;
        QTest::newRow("empty") << QByteArray("") << 0;
        QTest::newRow("digits then more") << QByteArray("12j5") << 12;
        QTest::newRow("too large saturates") << QByteArray("99999999999999999999") << INT_MAX;
        QTest::newRow("too small saturates") << QByteArray("-99999999999") << INT_MIN;
        QTest::newRow("int min") << QByteArray("-2147483648") << INT_MIN;
    }
    void toInt()
    {
        QFETCH(QByteArray, text);
        QTEST(String(text.constData()).toInt(), "value");
    }

    void constructionAndAssignment()
    {
        QCOMPARE(QByteArray(String(-305).c_str()), QByteArray("-305"));
        QCOMPARE(QByteArray(String(INT_MIN).c_str()), QByteArray("-2147483648"));
        QCOMPARE(QByteArray(String("ab", "cd").c_str()), QByteArray("abcd"));
        QCOMPARE(QByteArray((String("ab") + "cd").c_str()), QByteArray("abcd"));
        QCOMPARE(QByteArray((String("ab") + String("")).c_str()), QByteArray("ab"));
        QCOMPARE(QByteArray(String(std::string_view("ab\0cd", 5)).c_str()), QByteArray("ab"));
        QCOMPARE(QByteArray(String(static_cast<const char*>(nullptr)).c_str()), QByteArray(""));

        String text("hello");
        const char* own = text.c_str();
        text = own; // its own buffer: nothing changes
        QCOMPARE(QByteArray(text.c_str()), QByteArray("hello"));
        text = text.c_str() + 2; // a tail of its own buffer
        QCOMPARE(QByteArray(text.c_str()), QByteArray("llo"));
        String copy(text);
        text = "changed";
        QCOMPARE(QByteArray(copy.c_str()), QByteArray("llo"));
        copy = copy;
        QCOMPARE(QByteArray(copy.c_str()), QByteArray("llo"));
        String moved(std::move(copy));
        QCOMPARE(QByteArray(moved.c_str()), QByteArray("llo"));
        QVERIFY(copy.c_str() != nullptr); // a moved-from text is still a text
        QCOMPARE(QByteArray(copy.c_str()), QByteArray(""));
    }
};

QTEST_APPLESS_MAIN(StirpaStringTest)
#include "stirpa_string_test.moc"
