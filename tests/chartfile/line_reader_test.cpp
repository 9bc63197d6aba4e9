// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/line_reader.h"

#include <QtTest>

namespace {

// Every line the reader hands out, as the caller sees it (up to the first NUL).
QList<QByteArray> linesOf(LineReader& reader)
{
    QList<QByteArray> lines;
    while (const char* line = reader.readLine())
        lines << QByteArray(line);
    return lines;
}

} // namespace

class LineReaderTest : public QObject {
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("LF") << QByteArray("a\nbc\n") << QList<QByteArray>{"a", "bc"};
        QTest::newRow("CR LF") << QByteArray("a\r\nbc\r\n") << QList<QByteArray>{"a", "bc"};
        QTest::newRow("lone CR") << QByteArray("a\rbc\r") << QList<QByteArray>{"a", "bc"};
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd")
                               << QList<QByteArray>{"a", "b", "c", "d"};
        QTest::newRow("no end of line at the end")
            << QByteArray("a\nlast") << QList<QByteArray>{"a", "last"};
        QTest::newRow("empty lines")
            << QByteArray("\n\na\n\n") << QList<QByteArray>{"", "", "a", ""};
        QTest::newRow("LF CR is two breaks")
            << QByteArray("a\n\rb") << QList<QByteArray>{"a", "", "b"};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QList<QByteArray>{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QList<QByteArray>{};
        QTest::newRow("single break") << QByteArray("\r\n") << QList<QByteArray>{""};
        // A NUL ends the text the caller sees but not the line: the next line is whole.
        QTest::newRow("NUL inside a line")
            << QByteArray("ab\0cd\nef", 8) << QList<QByteArray>{"ab", "ef"};
        QTest::newRow("high bytes kept")
            << QByteArray("Zo\xc3\xab \xe9\n") << QList<QByteArray>{"Zo\xc3\xab \xe9"};
    }
    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QByteArray>, lines);
        LineReader fromMemory = LineReader::fromBytes(bytes.toStdString());
        QCOMPARE(linesOf(fromMemory), lines);
        QVERIFY(!fromMemory.fail());

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("chart.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        LineReader fromDisk(path.toLocal8Bit().toStdString());
        QVERIFY(fromDisk.good());
        QCOMPARE(linesOf(fromDisk), lines);
        QVERIFY(fromDisk.readLine() == nullptr); // stays at the end
    }

    void lineStaysValidUntilNextRead()
    {
        LineReader reader = LineReader::fromBytes("first\nsecond\n");
        const char* first = reader.readLine();
        QCOMPARE(QByteArray(first), QByteArray("first"));
        QCOMPARE(QByteArray(first), QByteArray("first"));
        QCOMPARE(QByteArray(reader.readLine()), QByteArray("second"));
    }

    void missingFileFails()
    {
        QTemporaryDir dir;
        LineReader reader(dir.filePath("absent.txt").toLocal8Bit().toStdString());
        QVERIFY(reader.fail());
        QVERIFY(!reader.good());
        QVERIFY(reader.readLine() == nullptr);
    }

    void folderFails()
    {
        // A folder can be opened on some systems, but it is no chart file.
        QTemporaryDir dir;
        LineReader reader(dir.path().toLocal8Bit().toStdString());
        QVERIFY(reader.fail());
        QVERIFY(reader.readLine() == nullptr);
    }

    void largeFile()
    {
        QByteArray bytes;
        for (int i = 0; i < 20000; ++i)
            bytes += "P " + QByteArray::number(i) + "j0 5:line" + (i % 2 ? "\r\n" : "\n");
        QTemporaryDir dir;
        const QString path = dir.filePath("big.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        LineReader reader(path.toLocal8Bit().toStdString());
        const QList<QByteArray> lines = linesOf(reader);
        QCOMPARE(lines.size(), 20000);
        QCOMPARE(lines.last(), QByteArray("P 19999j0 5:line"));
    }
};

QTEST_APPLESS_MAIN(LineReaderTest)
#include "line_reader_test.moc"
