// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_fixtures.h"
#include "files/debug_log.h"
#include "chartfile/tree_dump.h"

#include <QtTest>
#include <sstream>

namespace {

QByteArray dumpOf(const Chart& chart)
{
    std::ostringstream out;
    dumpTree(out, chart);
    return QByteArray::fromStdString(out.str());
}

// Keeps what is written and counts the flushes.
class FlushCounter : public std::stringbuf {
public:
    int flushes = 0;
    std::string text;

protected:
    int sync() override
    {
        ++flushes;
        return 0;
    }
    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        text.append(bytes, std::size_t(count));
        return count;
    }
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            text += traits_type::to_char_type(c);
        return traits_type::not_eof(c);
    }
};

} // namespace

class TreeDumpTest : public QObject {
    Q_OBJECT
private slots:
    void emptyTree()
    {
        const Chart named(TreeSettings(), "tree1");
        QCOMPARE(dumpOf(named), QByteArray("\nTree: tree1\n  Extent: 35j10\n"));
        const Chart unnamed;
        QCOMPARE(dumpOf(unnamed), QByteArray("\nTree: \n  Extent: 35j10\n"));
    }

    void boxesInListOrder()
    {
        const ChartLoad load = loadChartBytes("P 3j1 10:Name |Born 20j0 0\n"
                                              "p2 0j2 14:Oakes |chart 1 20j20 1\n"
                                              "P 1j0 0: -5j40 3\n",
                                              TreeSettings(), "family");
        QVERIFY(load);
        QCOMPARE(dumpOf(load.chart),
                 QByteArray("\nTree: family\n"
                            "  Box Name |Born at 3j1, connected 20j0, lineage 0\n"
                            "  Continuation box, dir 2: Oakes |chart 1 at 0j2, connected 20j20, "
                            "lineage 1\n"
                            "  Box  at 1j0, connected -5j40, lineage 3\n"
                            "  Extent: 455j150\n"));
    }

    void extentFollowsSettingsAndCache()
    {
        Chart chart(TreeSettings(), "t");
        chart.settings().boxWidth = 100;
        chart.settings().boxHeight = 40;
        Tree& tree = chart.mutableTree();
        tree.append(std::make_unique<Person>("a", Cell{2, 3}, Links{}));
        QVERIFY(dumpOf(chart).endsWith("  Extent: 275j190\n"));
        // The dump shows the cached extent; a box added later is not counted
        // until the extent is recomputed.
        tree.append(std::make_unique<Person>("b", Cell{5, 5}, Links{}));
        QVERIFY(dumpOf(chart).endsWith("  Extent: 275j190\n"));
        tree.resetExtent();
        QVERIFY(dumpOf(chart).endsWith("  Extent: 635j310\n"));
    }

    // The dump of a large chart goes out in large writes: the stream is
    // flushed once, at its end.
    void dumpIsFlushedOnceAtItsEnd_data()
    {
        QTest::addColumn<int>("boxes");
        QTest::newRow("empty") << 0;
        QTest::newRow("one box") << 1;
        QTest::newRow("a thousand boxes") << 1000;
    }
    void dumpIsFlushedOnceAtItsEnd()
    {
        QFETCH(int, boxes);
        Chart chart(TreeSettings(), "t");
        for (int i = 0; i < boxes; ++i)
            chart.mutableTree().append(
                std::make_unique<Person>("Name |b. 1900", Cell{i % 40, i / 40}, Links{20, 0}));
        FlushCounter counter;
        std::ostream out(&counter);
        dumpTree(out, chart);
        QCOMPARE(counter.flushes, 1);
        QCOMPARE(qsizetype(counter.text.size()), dumpOf(chart).size());
    }

    void logFileIsTruncatedAndFlushed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("stirpalog.txt");
        QVERIFY(writeWholeFile(path, "from an earlier run\n"));
        QVERIFY(openDebugLog(path.toStdString()));
        debugLog() << "Infile x opened" << std::endl;
        // Each line is flushed at once: readable before the log is closed.
        QCOMPARE(readWholeFile(path), QByteArray("Infile x opened\n"));
        const Chart chart(TreeSettings(), "x");
        dumpTree(debugLog(), chart);
        QCOMPARE(readWholeFile(path), QByteArray("Infile x opened\n\nTree: x\n  Extent: 35j10\n"));

        std::ostringstream elsewhere;
        redirectDebugLog(&elsewhere);
        debugLog() << "redirected" << std::endl;
        redirectDebugLog(nullptr);
        QCOMPARE(QByteArray::fromStdString(elsewhere.str()), QByteArray("redirected\n"));
        debugLog() << "back" << std::endl;
        QVERIFY(readWholeFile(path).endsWith("Extent: 35j10\nback\n"));

        QVERIFY(openDebugLog(path.toStdString())); // a new run starts empty
        QCOMPARE(readWholeFile(path), QByteArray());
    }

    void unopenableLogLosesWritesSilently()
    {
        QTemporaryDir dir;
        QVERIFY(!openDebugLog(dir.filePath("missing/stirpalog.txt").toStdString()));
        debugLog() << "lost" << std::endl;
        const Chart chart;
        dumpTree(debugLog(), chart);
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
        QVERIFY(openDebugLog(dir.filePath("stirpalog.txt").toStdString()));
        debugLog() << "kept" << std::endl; // the stream works again after a good open
        QCOMPARE(readWholeFile(dir.filePath("stirpalog.txt")), QByteArray("kept\n"));
    }
};

QTEST_APPLESS_MAIN(TreeDumpTest)
#include "tree_dump_test.moc"
