// SPDX-License-Identifier: GPL-3.0-or-later
// The export writes a large page piece by piece; the file must hold exactly the
// page that writing into one stream gives, whatever the pieces' sizes.
#include "export/html_export.h"
#include "export_fixture.h"
#include "model/tree_settings.h"

#include <QtTest>

#include <fstream>
#include <random>

namespace {

// Thousands of boxes of both kinds; one description is longer than a piece.
Chart largeChart()
{
    std::mt19937 random(11);
    Chart chart;
    Tree& tree = chart.mutableTree();
    for (int i = 0; i < 4000; ++i) {
        const Cell cell{i % 80, i / 80};
        const std::string text = "Person " + std::to_string(i) + " |b. " +
                                 std::to_string(1700 + random() % 300) + " |d. 18" +
                                 std::to_string(random() % 10);
        if (i % 17 == 0)
            tree.append(makeContinuation(text.c_str(), cell, {20, 20}, int(random() % 5)));
        else
            tree.append(makeBox(text.c_str(), cell,
                                {int(random() % 2) * 20, int(random() % 2) * 40},
                                int(random() % 4)));
    }
    const std::string longest(150000, 'w');
    tree.append(makeBox((longest + " |" + longest).c_str(), {0, 60}, {20, 0}));
    return chart;
}

} // namespace

class HtmlStreamTest : public QObject {
    Q_OBJECT
private slots:
    void fileHoldsThePage_data()
    {
        QTest::addColumn<bool>("completePage");
        QTest::newRow("chart only") << false;
        QTest::newRow("in a template") << true;
    }
    void fileHoldsThePage()
    {
        QFETCH(bool, completePage);
        LogCapture log;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string templatePath = dir.filePath("stirpa_full.html").toStdString();
        writeBytes(templatePath, "<html>\nFILENAME\n<body>\nTREE\n</body>\n</html>\n");
        const std::string path = dir.filePath("big.html").toStdString();
        const Chart chart = largeChart();

        QVERIFY(exportHtml(chart, path,
                           {.completePage = completePage, .templatePaths = {templatePath}}));

        std::ostringstream expected;
        std::ifstream pageTemplate(templatePath, std::ios::binary);
        std::istream* pageIn = completePage ? &pageTemplate : nullptr;
        QVERIFY(writeHtmlPage(expected, chart, {"big"}, pageIn));
        QVERIFY(expected.str().size() > 1000000);
        QCOMPARE(bytes(readBytes(path)), bytes(expected.str()));
    }
};

QTEST_APPLESS_MAIN(HtmlStreamTest)
#include "html_stream_test.moc"
