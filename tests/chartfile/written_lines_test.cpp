// SPDX-License-Identifier: GPL-3.0-or-later
// Lines in the form the writer gives them are read by a shortcut; every line
// must come out exactly as the general reading rules read it. Blanks put after
// a box line's second byte change nothing under those rules but keep the
// shortcut off, so a line read both ways must give the same box (or be refused
// both ways).
#include "chart_fixtures.h"
#include "files/atomic_file.h"
#include "chartfile/chart_writer.h"
#include "chartfile/line_reader.h"
#include "tree_difference.h"

#include <QtTest>

#include <stdexcept>

namespace {

// The line with two more blanks after its second byte.
QByteArray generalForm(const QByteArray& line)
{
    if (line.size() < 2 || (line[0] != 'P' && line[0] != 'p'))
        return line;
    return line.left(2) + "  " + line.mid(2);
}

QByteArray everyLineInGeneralForm(const QByteArray& chart)
{
    QByteArray result;
    for (const QByteArray& line : chart.split('\n'))
        result += generalForm(line) + '\n';
    return result;
}

QByteArray describe(const ChartLoad& load)
{
    if (!load)
        return "refused: " + QByteArray::fromStdString(load.lineText);
    return boxesText(load.chart.tree());
}

} // namespace

class WrittenLinesTest : public QObject {
    Q_OBJECT
private slots:
    void lineReadBothWaysAlike_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("expected"); // boxesText of the one box, empty: refused

        QTest::newRow("plain box")
            << QByteArray("P 2j1 7:Abc |De 20j0 0") << QByteArray("P4 2,1 20,0 0 [Abc |De]\n");
        QTest::newRow("continuation")
            << QByteArray("p3 4j5 6:Branch 0j40 2") << QByteArray("p3 4,5 0,40 2 [Branch]\n");
        QTest::newRow("text with the field marks") << QByteArray("P 0j0 13:a:b j 3j4 |x: 0j20 1")
                                                   << QByteArray("P4 0,0 0,20 1 [a:b j 3j4 |x:]\n");
        QTest::newRow("empty text")
            << QByteArray("P 1j1 0: 20j20 3") << QByteArray("P4 1,1 20,20 3 []\n");
        QTest::newRow("text longer than the line is padded")
            << QByteArray("P 1j1 9:abc") << QByteArray("P4 1,1 0,0 0 [abc      ]\n");
        QTest::newRow("no lineage")
            << QByteArray("P 1j2 1:a 20j0") << QByteArray("P4 1,2 20,0 0 [a]\n");
        QTest::newRow("something after the lineage")
            << QByteArray("P 1j2 1:a 20j0 2xyz") << QByteArray("P4 1,2 20,0 2 [a]\n");
        QTest::newRow("signed lineage")
            << QByteArray("P 1j2 1:a 20j0 +3") << QByteArray("P4 1,2 20,0 3 [a]\n");
        QTest::newRow("negative second link")
            << QByteArray("P 1j2 1:a 20j-20 1") << QByteArray("P4 1,2 20,-20 1 [a]\n");
        QTest::newRow("negative column")
            << QByteArray("P -3j2 1:a 0j0 0") << QByteArray("P4 -3,2 0,0 0 [a]\n");
        QTest::newRow("ten-digit column") << QByteArray("P 1000000000j2 1:a 0j0 0") << QByteArray();
        QTest::newRow("column out of range") << QByteArray("P 100001j2 1:a 0j0 0") << QByteArray();
        QTest::newRow("largest column")
            << QByteArray("P 100000j2 1:a 0j0 0") << QByteArray("P4 100000,2 0,0 0 [a]\n");
        QTest::newRow("link out of range") << QByteArray("P 1j2 1:a 222202021j0 0") << QByteArray();
        QTest::newRow("leading zeros")
            << QByteArray("P 007j0002 01:a 020j000 0003") << QByteArray("P4 7,2 20,0 3 [a]\n");
        // Without a 'j' the pair repeats its number and the rest of the line is passed over.
        QTest::newRow("pair without j")
            << QByteArray("P 5 1:a 20 0") << QByteArray("P4 5,5 0,0 0 []\n");
        QTest::newRow("no colon") << QByteArray("P 1j1 3 20j0 1")
                                  << QByteArray("P4 1,1 0,0 0 []\n");
        QTest::newRow("text length too large")
            << QByteArray("P 1j1 999999999:a 0j0 0") << QByteArray();
        QTest::newRow("continuation pointing nowhere")
            << QByteArray("p7 1j1 1:a 0j0 0") << QByteArray("p4 1,1 0,0 0 [a]\n");
        QTest::newRow("continuation without a direction digit")
            << QByteArray("p 1j1 1:a 0j0 0") << QByteArray("p4 1,1 0,0 0 [a]\n");
        QTest::newRow("only the kind") << QByteArray("P") << QByteArray("P4 0,0 0,0 0 []\n");
        QTest::newRow("kind and separator") << QByteArray("P ") << QByteArray("P4 0,0 0,0 0 []\n");
        QTest::newRow("NUL in the text")
            << QByteArray("P 1j1 4:ab\0d 20j0 1", 19) << QByteArray("P4 1,1 0,0 0 [ab  ]\n");
        QTest::newRow("NUL as the separator")
            << QByteArray("P\0 1j1 1:a 0j0 0", 16) << QByteArray("P4 0,0 0,0 0 []\n");
        QTest::newRow("tab before the text length")
            << QByteArray("P 1j1\t2:ab 0j0 1") << QByteArray("P4 1,1 0,0 1 [ab]\n");
    }
    void lineReadBothWaysAlike()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, expected);
        const TreeSettings settings;
        const ChartLoad written = loadChartBytes(line + '\n', settings);
        const ChartLoad general = loadChartBytes(generalForm(line) + '\n', settings);
        QCOMPARE(bool(written), !expected.isEmpty());
        QCOMPARE(bool(general), !expected.isEmpty());
        if (written) {
            QCOMPARE(boxesText(written.chart.tree()), expected);
            QCOMPARE(boxesText(general.chart.tree()), expected);
        }
    }

    // Whole random charts as the writer makes them, against the same charts with
    // every box line in the general form.
    void writtenChartsReadAsTheGeneralRulesReadThem()
    {
        std::mt19937 random(20240611);
        for (int round = 0; round < 200; ++round) {
            const Chart chart = randomChart(random);
            const QByteArray bytes = chartBytes(chart);
            const ChartLoad written = loadChartBytes(bytes, chart.settings());
            const ChartLoad general =
                loadChartBytes(everyLineInGeneralForm(bytes), chart.settings());
            QCOMPARE(describe(written), describe(general));
            QVERIFY2(written, qPrintable("round " + QString::number(round)));
            QCOMPARE(treeDifference(written.chart.tree(), chart.tree()), std::string());
        }
    }

    // Boxes join the tree all at once at the end of a load; a cell held by several
    // boxes still answers with the first of them in the file.
    void loadedChartFindsTheFirstBoxOfEachCell()
    {
        QByteArray bytes;
        for (int i = 0; i < 3000; ++i) {
            const QByteArray cell = QByteArray::number(i % 37) + 'j' + QByteArray::number(i % 23);
            bytes += "P " + cell + " 4:" + QByteArray::number(1000 + i) + " 0j0 0\n";
        }
        const ChartLoad load = loadChartBytes(bytes, TreeSettings());
        QVERIFY(load);
        const Tree& tree = load.chart.tree();
        QCOMPARE(tree.size(), std::size_t(3000));
        for (int i = 0; i < 37 * 23; ++i) {
            const Person* found = tree.findPerson({i % 37, i % 23});
            QVERIFY(found);
            QCOMPARE(QByteArray(found->text.c_str()), QByteArray::number(1000 + i));
        }
        QVERIFY(!tree.findPerson({37, 0}));
    }

    void lineLengthCountsEveryByteOfTheLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<int>>("lengths");
        QTest::newRow("LF") << QByteArray("ab\ncde\n") << QList<int>{2, 3};
        QTest::newRow("CR LF") << QByteArray("ab\r\ncde\r\n") << QList<int>{2, 3};
        QTest::newRow("lone CR, then LF") << QByteArray("ab\rcde\nf") << QList<int>{2, 3, 1};
        QTest::newRow("CR only on a later line")
            << QByteArray("a\nbb\nccc\r\nd") << QList<int>{1, 2, 3, 1};
        QTest::newRow("empty lines") << QByteArray("\r\n\n\r") << QList<int>{0, 0, 0};
        QTest::newRow("NUL inside") << QByteArray("a\0b\nc", 5) << QList<int>{3, 1};
    }
    void lineLengthCountsEveryByteOfTheLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, lengths);
        LineReader reader = LineReader::fromBytes(bytes.toStdString());
        QList<int> seen;
        while (reader.readLine())
            seen << int(reader.lineLength());
        QCOMPARE(seen, lengths);
    }

    // A writer that runs out of memory halfway leaves the old file and no temporary.
    void failingProducerLeavesNothingBehind()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string path = dir.filePath("chart.txt").toStdString();
        QVERIFY(writeFileAtomically(path, std::string("old\n")));
        bool thrown = false;
        try {
            writeFileAtomically(path, [](const PieceWriter& write) {
                write("new");
                throw std::bad_alloc();
            });
        } catch (const std::bad_alloc&) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(readWholeFile(dir.filePath("chart.txt")), QByteArray("old\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.txt"});
    }

    // A save made of many pieces holds exactly the bytes the stream writer gives.
    void largeSaveHoldsTheWrittenChart()
    {
        std::mt19937 random(7);
        Chart chart;
        Tree& tree = chart.mutableTree();
        for (int i = 0; i < 3000; ++i) {
            auto box = std::make_unique<Person>();
            const std::string text =
                "Person " + std::to_string(i) + " |born " + std::to_string(random() % 2000);
            box->text = text;
            box->setCell({i % 60, i / 60});
            box->setLinkLengths({int(random() % 2) * 20, int(random() % 2) * 20});
            tree.append(std::move(box));
        }
        auto longest = std::make_unique<Person>();
        longest->text = std::string(200000, 'x');
        longest->setCell({0, 100});
        tree.append(std::move(longest));
        QTemporaryDir dir;
        const QString path = dir.filePath("big.txt");
        QVERIFY(saveChartFile(path.toStdString(), chart));
        QCOMPARE(readWholeFile(path), chartBytes(chart));
    }
};

QTEST_APPLESS_MAIN(WrittenLinesTest)
#include "written_lines_test.moc"
