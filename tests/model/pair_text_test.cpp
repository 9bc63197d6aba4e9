// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/pair_text.h"

#include <QtTest>
#include <cstring>

class PairTextTest : public QObject {
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<long>("x");
        QTest::addColumn<long>("y");
        QTest::addColumn<int>("cursorAfter");
        QTest::newRow("plain") << QByteArray("3j12") << 3L << 12L << 4;
        QTest::newRow("no j repeats x") << QByteArray("7") << 7L << 7L << 1;
        QTest::newRow("nothing after j") << QByteArray("3j") << 3L << 0L << 2;
        QTest::newRow("stops before next pair") << QByteArray("120j50 50j200") << 120L << 50L << 6;
        QTest::newRow("signs stop the cursor") << QByteArray("-2j-3") << -2L << -3L << 3;
        QTest::newRow("leading blanks") << QByteArray("  4j5 x") << 4L << 5L << 5;
        QTest::newRow("letters passed over") << QByteArray("9 abc j6") << 9L << 6L << 8;
        QTest::newRow("empty") << QByteArray("") << 0L << 0L << 0;
    }
    void reads()
    {
        QFETCH(QByteArray, text);
        QFETCH(long, x);
        QFETCH(long, y);
        QFETCH(int, cursorAfter);
        const char* cursor = text.constData();
        const PairValue pair = readPair(cursor);
        QCOMPARE(pair.x, x);
        QCOMPARE(pair.y, y);
        QCOMPARE(int(cursor - text.constData()), cursorAfter);
    }
    void writes()
    {
        QCOMPARE(QByteArray(writePair(3, 12).c_str()), QByteArray("3j12"));
        QCOMPARE(QByteArray(writePair(-4, 0).c_str()), QByteArray("-4j0"));
    }
};

QTEST_APPLESS_MAIN(PairTextTest)
#include "pair_text_test.moc"
