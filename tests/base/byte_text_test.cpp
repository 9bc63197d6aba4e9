// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/byte_text.h"
#include "base/number_text.h"

#include <QtTest>
#include <climits>

namespace {
QByteArray bytes(std::string_view text) { return QByteArray(text.data(), qsizetype(text.size())); }
} // namespace

class ByteTextTest : public QObject {
    Q_OBJECT
private slots:
    void paddedCopy_data()
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
    void paddedCopy()
    {
        QFETCH(QByteArray, source);
        QFETCH(int, count);
        QTEST(bytes(paddedBytes(source.constData(), long(count))), "expected");
    }

    void paddedCopyStopsAtTerminator()
    {
        // The bytes after the terminator are never read, even when n reaches them.
        const char source[] = {'a', '\0', 'X', 'X', 'X'};
        QCOMPARE(bytes(paddedBytes(source, 4)), QByteArray("a   "));
    }

    void paths_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("fileName");
        QTest::addColumn<QByteArray>("folder");
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
        const std::string_view text(path.constData(), std::size_t(path.size()));
        QTEST(bytes(fileNamePart(text)), "fileName");
        QTEST(bytes(folderPart(text)), "folder");
        QTEST(bytes(withoutExtension(text)), "stem");
        QTEST(bytes(extensionPart(text)), "extension");
    }

    void saturatingNumber_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("digitsEnd");
        QTest::newRow("plain") << QByteArray("42") << 42 << 2;
        QTest::newRow("blanks and sign") << QByteArray(" \t -17xyz") << -17 << 6;
        QTest::newRow("plus") << QByteArray("+8") << 8 << 2;
        QTest::newRow("no digits") << QByteArray("abc") << 0 << 0;
        QTest::newRow("sign alone") << QByteArray("- 5") << 0 << 0;
        QTest::newRow("empty") << QByteArray("") << 0 << 0;
        QTest::newRow("digits then more") << QByteArray("12j5") << 12 << 2;
        QTest::newRow("too large saturates") << QByteArray("99999999999999999999") << INT_MAX << 20;
        QTest::newRow("too small saturates") << QByteArray("-99999999999") << INT_MIN << 12;
        QTest::newRow("int max") << QByteArray("2147483647") << INT_MAX << 10;
        QTest::newRow("just past int max") << QByteArray("2147483648") << INT_MAX << 10;
        QTest::newRow("int min") << QByteArray("-2147483648") << INT_MIN << 11;
        QTest::newRow("just past int min") << QByteArray("-2147483649") << INT_MIN << 11;
    }
    void saturatingNumber()
    {
        QFETCH(QByteArray, text);
        const char* cursor = text.constData();
        QTEST(clampToInt(readDecimal(cursor)), "value");
        QTEST(int(cursor - text.constData()), "digitsEnd");
    }
};

QTEST_APPLESS_MAIN(ByteTextTest)
#include "byte_text_test.moc"
