// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_fixtures.h"
#include "chartfile/chart_reader.h"
#include "files/debug_log.h"
#include "little_memory.h"
#include "model/chart_limits.h"

#include <QtTest>
#include <sstream>
#include <unistd.h>
#include <utility>

Q_DECLARE_METATYPE(Point)

namespace {

// The settings in force before a load; a file without a header keeps them.
TreeSettings givenSettings()
{
    TreeSettings s;
    s.boxWidth = 77;
    s.boxHeight = 33;
    s.htmlStartX = 5;
    s.htmlStartY = 6;
    s.generationMode = 'u';
    s.generationStart = 9;
    s.smallFontLine = 2;
    s.saveLineage = false;
    return s;
}

const QByteArray given = "77x33 5,6 u9 2";

// The debug log while it lives.
class LogCapture {
public:
    LogCapture() { redirectDebugLog(&text_); }
    ~LogCapture() { redirectDebugLog(nullptr); }
    QByteArray text() const { return QByteArray::fromStdString(text_.str()); }

private:
    std::ostringstream text_;
};

} // namespace

class ChartReaderTest : public QObject {
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("boxes");
        QTest::addColumn<QByteArray>("settings");

        QTest::newRow("person line") << QByteArray("P 2j1 7:Abc |De 20j0 0")
                                     << QByteArray("P4 2,1 20,0 0 [Abc |De]\n") << given;
        QTest::newRow("continuation side 3") << QByteArray("p3 2j1 7:Abc |De 20j0 0")
                                             << QByteArray("p3 2,1 20,0 0 [Abc |De]\n") << given;
        QTest::newRow("continuation blank second byte")
            << QByteArray("p 2j1 7:Abc |De 20j0 0") << QByteArray("p4 2,1 20,0 0 [Abc |De]\n")
            << given;
        QTest::newRow("continuation side 2")
            << QByteArray("p2 0j0 1:x 20j20 0") << QByteArray("p2 0,0 20,20 0 [x]\n") << given;
        QTest::newRow("continuation side 0")
            << QByteArray("p0 0j0 1:x 20j20 0") << QByteArray("p0 0,0 20,20 0 [x]\n") << given;
        QTest::newRow("continuation digit 7")
            << QByteArray("p7 0j0 1:x 20j20 0") << QByteArray("p4 0,0 20,20 0 [x]\n") << given;
        QTest::newRow("continuation digit 5")
            << QByteArray("p5 0j0 1:x 20j20 0") << QByteArray("p4 0,0 20,20 0 [x]\n") << given;
        QTest::newRow("continuation digit 9")
            << QByteArray("p9 0j0 1:x 20j20 0") << QByteArray("p4 0,0 20,20 0 [x]\n") << given;
        QTest::newRow("person ignores second byte")
            << QByteArray("P3 4j5 0: 0j0 2") << QByteArray("P4 4,5 0,0 2 []\n") << given;
        QTest::newRow("text with colons, j and bars")
            << QByteArray("P 0j0 9:a:b j|c:d 1j2 3") << QByteArray("P4 0,0 1,2 3 [a:b j|c:d]\n")
            << given;
        QTest::newRow("text with utf-8 and latin-1")
            << QByteArray("P 0j0 6:Zo\xc3\xab \xe9 0j0 0")
            << QByteArray("P4 0,0 0,0 0 [Zo\xc3\xab \xe9]\n") << given;
        QTest::newRow("empty text")
            << QByteArray("P 1j1 0: 20j0 0") << QByteArray("P4 1,1 20,0 0 []\n") << given;
        QTest::newRow("lineage absent")
            << QByteArray("P 1j1 1:a 20j20") << QByteArray("P4 1,1 20,20 0 [a]\n") << given;
        QTest::newRow("lineage both")
            << QByteArray("P 1j1 1:a 20j20 3") << QByteArray("P4 1,1 20,20 3 [a]\n") << given;
        QTest::newRow("blanks between fields") << QByteArray("P   1j1    2:ab    20j0    1")
                                               << QByteArray("P4 1,1 20,0 1 [ab]\n") << given;
        QTest::newRow("bytes before colon passed over")
            << QByteArray("P 1j1 2xyz:ab 20j0 1") << QByteArray("P4 1,1 20,0 1 [ab]\n") << given;
        QTest::newRow("length past the end padded")
            << QByteArray("P 1j2 12:ab 20j0 3") << QByteArray("P4 1,2 0,0 0 [ab 20j0 3   ]\n")
            << given;
        QTest::newRow("missing colon")
            << QByteArray("P 1j2 7 Abc 20j0 4") << QByteArray("P4 1,2 0,0 0 []\n") << given;
        QTest::newRow("negative length")
            << QByteArray("P 1j2 -3:Abc 20j0 5") << QByteArray("P4 1,2 0,0 5 []\n") << given;
        QTest::newRow("P alone") << QByteArray("P") << QByteArray("P4 0,0 0,0 0 []\n") << given;
        QTest::newRow("p alone") << QByteArray("p") << QByteArray("p4 0,0 0,0 0 []\n") << given;
        QTest::newRow("missing links")
            << QByteArray("P 3j4 1:a") << QByteArray("P4 3,4 0,0 0 [a]\n") << given;
        QTest::newRow("position without j repeats")
            << QByteArray("P 4 0:") << QByteArray("P4 4,4 0,0 0 []\n") << given;
        QTest::newRow("links without j repeat")
            << QByteArray("P 3j1 2:ab 9 1") << QByteArray("P4 3,1 9,9 0 [ab]\n") << given;
        QTest::newRow("position j found further on")
            << QByteArray("P 5 3:abc 20j7 1") << QByteArray("P4 5,7 0,0 0 []\n") << given;
        // atol skips blanks: the number after a 'j' may stand one blank further on.
        QTest::newRow("blank after j")
            << QByteArray("P 3j 1:a 4j 1") << QByteArray("P4 3,1 4,1 1 [a]\n") << given;
        QTest::newRow("nothing after j")
            << QByteArray("P 3j,0: 4j") << QByteArray("P4 3,0 4,0 0 []\n") << given;
        QTest::newRow("negative numbers") << QByteArray("P -2j-1 7:Abc |De -20j-5 3")
                                          << QByteArray("P4 -2,-1 -20,-5 3 [Abc |De]\n") << given;
        QTest::newRow("cells at the limits")
            << QByteArray("P -10000j100000 0: -222202020j222202020 0")
            << QByteArray("P4 -10000,100000 -222202020,222202020 0 []\n") << given;
        QTest::newRow("huge lineage saturates")
            << QByteArray("P 0j0 0: 0j0 99999999999") << QByteArray("P4 0,0 0,0 2147483647 []\n")
            << given;

        QTest::newRow("header alone") << QByteArray("Stirpa 100j40 60j250") << QByteArray()
                                      << QByteArray("100x40 60,250 h1 1");
        QTest::newRow("header defaults") << QByteArray("Stirpa 120j50 50j200 d1 1") << QByteArray()
                                         << QByteArray("120x50 50,200 d1 1");
        QTest::newRow("header long start") << QByteArray("Stirpa 120j50 50j200 d12 3")
                                           << QByteArray() << QByteArray("120x50 50,200 d12 3");
        QTest::newRow("header negative start")
            << QByteArray("Stirpa 120j50 50j200 u-30 0") << QByteArray()
            << QByteArray("120x50 50,200 u-30 0");
        QTest::newRow("header without small font")
            << QByteArray("Stirpa 120j50 50j200 d5") << QByteArray()
            << QByteArray("120x50 50,200 d5 1");
        QTest::newRow("header negative html start")
            << QByteArray("Stirpa 120j50 -50j-200 u7 3") << QByteArray()
            << QByteArray("120x50 -50,-200 u7 3");
        QTest::newRow("header box limits") << QByteArray("Stirpa 1j2000 0j0 h1 4") << QByteArray()
                                           << QByteArray("1x2000 0,0 h1 4");
        QTest::newRow("header then boxes")
            << QByteArray("Stirpa 100j40 60j250 d2 0\nP 0j0 1:a 20j0 0\np1 1j0 1:b 20j20 0\n")
            << QByteArray("P4 0,0 20,0 0 [a]\np1 1,0 20,20 0 [b]\n")
            << QByteArray("100x40 60,250 d2 0");
        QTest::newRow("two headers, second wins")
            << QByteArray("Stirpa 100j40 60j250 d2 2\n\nStirpa 90j30 1j2\nP 0j0 1:a 0j0 0\n")
            << QByteArray("P4 0,0 0,0 0 [a]\n") << QByteArray("90x30 1,2 h1 1");
        QTest::newRow("CR LF file")
            << QByteArray(
                   "Stirpa 100j40 60j250 d1 2\r\nP 0j0 1:a 20j0 0\r\n\r\nP 1j0 1:b 0j0 0\r\n")
            << QByteArray("P4 0,0 20,0 0 [a]\nP4 1,0 0,0 0 [b]\n")
            << QByteArray("100x40 60,250 d1 2");
        QTest::newRow("lone CR file")
            << QByteArray("Stirpa 100j40 60j250 d1 2\rP 0j0 1:a 20j0 0\r\rP 1j0 1:b 0j0 0\r")
            << QByteArray("P4 0,0 20,0 0 [a]\nP4 1,0 0,0 0 [b]\n")
            << QByteArray("100x40 60,250 d1 2");
        QTest::newRow("only blank lines") << QByteArray("\n\r\n\r\n") << QByteArray() << given;
        QTest::newRow("empty file") << QByteArray() << QByteArray() << given;
        QTest::newRow("byte-order mark, header")
            << QByteArray("\xEF\xBB\xBFStirpa 100j40 60j250 d1 2\nP 0j0 1:a 0j0 0\n")
            << QByteArray("P4 0,0 0,0 0 [a]\n") << QByteArray("100x40 60,250 d1 2");
        QTest::newRow("byte-order mark, box line") << QByteArray("\xEF\xBB\xBFP 0j0 1:a 0j0 0\n")
                                                   << QByteArray("P4 0,0 0,0 0 [a]\n") << given;
        QTest::newRow("byte-order mark alone")
            << QByteArray("\xEF\xBB\xBF") << QByteArray() << given;
    }
    void reads()
    {
        QFETCH(QByteArray, file);
        const ChartLoad load = loadChartBytes(file, givenSettings());
        QCOMPARE(load.status, ChartLoad::Ok);
        QVERIFY(bool(load));
        QCOMPARE(load.line, 0L); // no line to blame
        const Tree& tree = load.chart.tree();
        QTEST(boxesText(tree), "boxes");
        QTEST(settingsText(load.chart.settings()), "settings");
        QCOMPARE(load.chart.settings().saveLineage, false); // never in a file
        QCOMPARE(QByteArray(tree.name().c_str()), QByteArray("tree1"));
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("lineNumber");

        QTest::newRow("header after box") << QByteArray("P 0j0 1:a 0j0 0\nStirpa 100j40 60j250\n")
                                          << QByteArray("Stirpa 100j40 60j250") << 2;
        QTest::newRow("leading blank")
            << QByteArray(" P 0j0 1:a 0j0 0") << QByteArray(" P 0j0 1:a 0j0 0") << 1;
        QTest::newRow("leading digit") << QByteArray("\n5 0j0 1:a") << QByteArray("5 0j0 1:a") << 2;
        QTest::newRow("other letter") << QByteArray("Q 0j0 1:a") << QByteArray("Q 0j0 1:a") << 1;
        QTest::newRow("lower-case magic")
            << QByteArray("stirpa 120j50 50j200") << QByteArray("stirpa 120j50 50j200") << 1;
        QTest::newRow("short magic")
            << QByteArray("Stirp 120j50 50j200") << QByteArray("Stirp 120j50 50j200") << 1;
        QTest::newRow("magic without blank")
            << QByteArray("Stirpa120j50 50j200") << QByteArray("Stirpa120j50 50j200") << 1;
        // The magic alone passes the comparison but gives a box of no size.
        QTest::newRow("magic alone") << QByteArray("Stirpa") << QByteArray("Stirpa") << 1;
        QTest::newRow("box width 0")
            << QByteArray("Stirpa 0j50 50j200") << QByteArray("Stirpa 0j50 50j200") << 1;
        QTest::newRow("box width 2001")
            << QByteArray("Stirpa 2001j50 50j200") << QByteArray("Stirpa 2001j50 50j200") << 1;
        QTest::newRow("box width -20")
            << QByteArray("Stirpa -20j50 50j200") << QByteArray("Stirpa -20j50 50j200") << 1;
        QTest::newRow("box height 2001")
            << QByteArray("Stirpa 120j2001 50j200") << QByteArray("Stirpa 120j2001 50j200") << 1;
        QTest::newRow("column below limit")
            << QByteArray("P -10001j0 0: 0j0 0") << QByteArray("P -10001j0 0: 0j0 0") << 1;
        QTest::newRow("column over limit")
            << QByteArray("P 100001j0 0: 0j0 0") << QByteArray("P 100001j0 0: 0j0 0") << 1;
        QTest::newRow("column past int") << QByteArray("P 99999999999j0 0: 0j0 0")
                                         << QByteArray("P 99999999999j0 0: 0j0 0") << 1;
        QTest::newRow("level over limit")
            << QByteArray("p1 0j100001 0: 0j0 0") << QByteArray("p1 0j100001 0: 0j0 0") << 1;
        QTest::newRow("right link over limit")
            << QByteArray("P 0j0 0: 222202021j0 0") << QByteArray("P 0j0 0: 222202021j0 0") << 1;
        QTest::newRow("down link under limit")
            << QByteArray("P 0j0 0: 0j-222202021 0") << QByteArray("P 0j0 0: 0j-222202021 0") << 1;
        QTest::newRow("length over 16 MiB") << QByteArray("P 0j0 16777217:abc 0j0 0")
                                            << QByteArray("P 0j0 16777217:abc 0j0 0") << 1;
        QTest::newRow("CR LF line reported without its end")
            << QByteArray("P 0j0 0: 0j0 0\r\nX y\r\n") << QByteArray("X y") << 2;
        QTest::newRow("byte-order mark on a later line")
            << QByteArray("P 0j0 1:a 0j0 0\n\xEF\xBB\xBFP 1j0 1:b 0j0 0\n")
            << QByteArray("\xEF\xBB\xBFP 1j0 1:b 0j0 0") << 2;
    }
    void refuses()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, line);
        QFETCH(int, lineNumber);
        const ChartLoad load = loadChartBytes(file, givenSettings());
        QCOMPARE(load.status, ChartLoad::InvalidRecord);
        QVERIFY(!load);
        QVERIFY(isEmptyChart(load.chart)); // nothing of the file is applied
        QCOMPARE(QByteArray::fromStdString(load.lineText), line);
        QCOMPARE(load.line, long(lineNumber));
        QCOMPARE(QByteArray::fromStdString(load.message()),
                 "Invalid record detected in file 'tree1':\n" + line);
    }

    void lengthAtLimitIsRead()
    {
        const ChartLoad load = loadChartBytes("P 0j0 16777216:abc 20j0 1", givenSettings());
        QVERIFY(load);
        const Person* box = load.chart.tree().lastBox();
        QVERIFY(box);
        QCOMPARE(box->text.size(), std::size_t(16777216));
        QVERIFY(box->text.starts_with("abc 20j0 1 "));
        QCOMPARE(box->rightLink(), 0);
    }

    void paddingIsBoundedPerFile()
    {
        // Short lines that ask for long descriptions: the blanks added over the
        // whole file stay within 16 MiB.
        const QByteArray nearlyAll = "P 0j0 16777000:\nP 1j0 216:\n";
        ChartLoad load = loadChartBytes(nearlyAll, givenSettings());
        QVERIFY(load);
        QCOMPARE(load.chart.tree().size(), std::size_t(2));

        load = loadChartBytes(nearlyAll + "P 2j0 1:", givenSettings());
        QCOMPARE(load.status, ChartLoad::InvalidRecord);
        QCOMPARE(load.line, 3L);
        QCOMPARE(QByteArray::fromStdString(load.lineText), QByteArray("P 2j0 1:"));

        // Text that is really there costs nothing.
        load = loadChartBytes(nearlyAll + "P 2j0 3:abc 0j0 0", givenSettings());
        QVERIFY(load);

        QByteArray many;
        for (int i = 0; i < 2000; ++i)
            many += "P " + QByteArray::number(i) + "j0 16777216:\n";
        load = loadChartBytes(many, givenSettings());
        QCOMPARE(load.status, ChartLoad::InvalidRecord);
        QCOMPARE(load.line, 2L);
    }

    void boxesAreFoundByCell()
    {
        const ChartLoad load =
            loadChartBytes("P 0j0 1:a 0j0 0\nP 0j0 1:b 0j0 0\np2 3j1 1:c 0j0 0\n", givenSettings());
        QVERIFY(load);
        const Tree& tree = load.chart.tree();
        QCOMPARE(QByteArray(tree.findPerson({0, 0})->text.c_str()), QByteArray("a"));
        QCOMPARE(QByteArray(tree.findPerson({3, 1})->text.c_str()), QByteArray("c"));
        QCOMPARE(tree.extent(), (Point{326, 63})); // 3j1 with the given 77 x 33 boxes
        QVERIFY(!tree.undoRecord().canUndo());
    }

    // A chart read, written and read again keeps its settings and boxes; moved
    // (out of the load, then into another chart), its tree still follows its
    // settings.
    void chartRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<Point>("extent");
        QTest::addColumn<Point>("widenedExtent"); // with boxes 10 pixels wider
        QTest::newRow("no header") << QByteArray("P 0j0 1:a 20j0 0\np2 3j1 1:b 20j20 1\n") << given
                                   << Point{326, 63} << Point{356, 63};
        QTest::newRow("header and boxes")
            << QByteArray("Stirpa 100j40 60j250 d2 0\nP 0j0 1:a 20j0 0\nP 2j3 0: 0j20 2\n")
            << QByteArray("100x40 60,250 d2 0") << Point{275, 190} << Point{295, 190};
        QTest::newRow("header alone")
            << QByteArray("Stirpa 1j2000 0j0 h1 4\n") << QByteArray("1x2000 0,0 h1 4")
            << Point{35, 10} << Point{35, 10};
        QTest::newRow("empty file") << QByteArray() << given << Point{35, 10} << Point{35, 10};
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBFStirpa 100j40 60j250 d2 0\nP 2j3 0: 0j20 2\n")
            << QByteArray("100x40 60,250 d2 0") << Point{275, 190} << Point{295, 190};
    }
    void chartRoundTrip()
    {
        QFETCH(QByteArray, file);
        QFETCH(Point, extent);
        QFETCH(Point, widenedExtent);
        ChartLoad load = loadChartBytes(file, givenSettings());
        QVERIFY(load);
        const QByteArray boxes = boxesText(load.chart.tree());
        Chart chart = std::move(load.chart);
        QTEST(settingsText(chart.settings()), "settings");
        QCOMPARE(boxesText(chart.tree()), boxes);
        QCOMPARE(chart.tree().extent(), extent);

        const QByteArray written = chartBytes(chart);
        QVERIFY(!written.startsWith("\xEF\xBB\xBF"));
        const ChartLoad again = loadChartBytes(written, TreeSettings());
        QVERIFY(again);
        QTEST(settingsText(again.chart.settings()), "settings");
        QCOMPARE(boxesText(again.chart.tree()), boxes);
        QCOMPARE(again.chart.tree().extent(), extent);

        Chart moved;
        moved = std::move(chart);
        moved.settings().boxWidth += 10;
        QCOMPARE(moved.tree().extent(), widenedExtent);
        QCOMPARE(boxesText(moved.tree()), boxes);
        QCOMPARE(QByteArray(moved.tree().name().c_str()), QByteArray("tree1"));
    }

    void fileIsNamedAndLogged()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tree1.txt");
        QVERIFY(writeWholeFile(path, "Stirpa 100j40 60j250\nP 0j0 1:a 0j0 0\n"));
        const QByteArray local = path.toLocal8Bit();
        LogCapture log;
        const ChartLoad load = readChartFile(local.toStdString(), givenSettings());
        QVERIFY(load);
        QCOMPARE(QByteArray(load.chart.tree().name().c_str()), QByteArray("tree1"));
        QCOMPARE(settingsText(load.chart.settings()), QByteArray("100x40 60,250 h1 1"));
        QCOMPARE(log.text(), "Infile " + local + " opened\n");
    }

    void treeIsNamedAfterTheFile_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("windows") << QByteArray("C:\\charts\\tree1.txt") << QByteArray("tree1");
        QTest::newRow("posix") << QByteArray("/home/u/charts/tree1.txt") << QByteArray("tree1");
        QTest::newRow("drive only") << QByteArray("C:tree2.txt") << QByteArray("tree2");
        QTest::newRow("last dot only") << QByteArray("/a/family.v2.txt") << QByteArray("family.v2");
        // A dot in a folder name is no extension of the file.
        QTest::newRow("dot in folder") << QByteArray("/x.y/tree") << QByteArray("tree");
        QTest::newRow("no extension") << QByteArray("tree") << QByteArray("tree");
        QTest::newRow("extension alone") << QByteArray("/a/.txt") << QByteArray("");
        QTest::newRow("folder alone") << QByteArray("/tmp/") << QByteArray("");
    }
    void treeIsNamedAfterTheFile()
    {
        QFETCH(QByteArray, path);
        QTEST(QByteArray::fromStdString(treeNameOf(path.toStdString())), "name");
    }

    void invalidFileMessageNamesTheStem()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("family.v2.txt");
        QVERIFY(writeWholeFile(path, "P 0j0 1:a 0j0 0\n 1 bad\n"));
        LogCapture log;
        const ChartLoad load = readChartFile(path.toLocal8Bit().toStdString(), givenSettings());
        QCOMPARE(load.status, ChartLoad::InvalidRecord);
        QCOMPARE(QByteArray::fromStdString(load.message()),
                 QByteArray("Invalid record detected in file 'family.v2':\n 1 bad"));
    }

    void missingFileLogsOneLine()
    {
        QTemporaryDir dir;
        const QByteArray path = dir.filePath("absent.txt").toLocal8Bit();
        LogCapture log;
        const ChartLoad load = readChartFile(path.toStdString(), givenSettings());
        QCOMPARE(load.status, ChartLoad::CannotOpen);
        QVERIFY(isEmptyChart(load.chart));
        QVERIFY(!load.message().empty());
        QCOMPARE(log.text(), "Infile " + path + " cannot open\n");
    }

    // A disk image opened by mistake is refused before it is read; a file of
    // the limit is read (in a child given too little memory to hold it, so it
    // runs out of memory rather than taking a gigabyte), and so is a small file
    // of the same name.
    void aFileTooLargeForAChartIsNotRead_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("refused");
        QTest::newRow("one byte below the limit") << chartLimits::maxFileSize - 1 << false;
        QTest::newRow("at the limit") << chartLimits::maxFileSize << false;
        QTest::newRow("one byte above the limit") << chartLimits::maxFileSize + 1 << true;
    }
    void aFileTooLargeForAChartIsNotRead()
    {
        QFETCH(qint64, size);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        const QString path = dir.filePath("disk.img");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(size)); // sparse: no disk used
        file.close();
        if (refused) {
            LogCapture log;
            const ChartLoad load = readChartFile(path.toLocal8Bit().toStdString(), givenSettings());
            QCOMPARE(load.status, ChartLoad::CannotOpen);
            QVERIFY(isEmptyChart(load.chart));
            QCOMPARE(QByteArray::fromStdString(load.message()),
                     "Cannot open the file '" + path.toLocal8Bit() +
                         "': at 1024 MB it is too large to be a chart (at most 1024 MB).");
        } else {
#if defined(__SANITIZE_ADDRESS__)
            QSKIP("the address sanitizer needs more address space than the limit leaves");
#endif
            QCOMPARE(readWithLittleMemory(path), QString("not enough memory"));
        }

        QVERIFY(writeWholeFile(path, "not a chart\n")); // now small: read and judged
        const ChartLoad small = readChartFile(path.toLocal8Bit().toStdString(), givenSettings());
        QCOMPARE(small.status, ChartLoad::InvalidRecord);
    }

    void runningOutOfMemoryIsReportedNotFatal()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer needs more address space than the limit leaves");
#endif
        QTemporaryDir dir;
        const QString path = dir.filePath("big.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(600 << 20));
        file.close();
        QCOMPARE(readWithLittleMemory(path), QString("not enough memory"));
    }

private:
    // Reads the chart in a child whose address space leaves no room for the
    // file; says how the read ended.
    static QString readWithLittleMemory(const QString& path)
    {
        const int outcome = inChildWithLittleMemory([&] {
            const ChartLoad load = readChartFile(path.toLocal8Bit().toStdString(), TreeSettings());
            if (load.status == ChartLoad::CannotOpen &&
                load.message().ends_with(": there is not enough memory."))
                return 0;
            return load.message().find("too large") != std::string::npos ? 1 : 2;
        });
        const char* outcomes[] = {"not enough memory", "too large", "another outcome"};
        return outcome >= 0 && outcome <= 2 ? outcomes[outcome]
                                            : QString("ended otherwise (%1)").arg(outcome);
    }
};

QTEST_APPLESS_MAIN(ChartReaderTest)
#include "chart_reader_test.moc"
