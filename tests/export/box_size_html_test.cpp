// SPDX-License-Identifier: GPL-3.0-or-later
// A chart whose boxes are not the template's 120 x 50 tells the page its size:
// a complete page once in a style element, a page without the template on
// every box. A chart of the template's size is written as it always was.
#include "chartfile/chart_reader.h"
#include "export/html_export.h"
#include "export_fixture.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// The mixed chart (boxes and continuation boxes of every direction) at a size.
Chart mixedChartOfSize(int width, int height)
{
    LogCapture quiet;
    ChartLoad load = readChartFile(testDataPath("mixed_chart.txt"), TreeSettings());
    load.chart.settings().boxWidth = width;
    load.chart.settings().boxHeight = height;
    return std::move(load.chart);
}

std::string exported(const Chart& chart, bool completePage)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("family.html").toStdString();
    const HtmlExportResult result = exportHtml(
        chart, path,
        {.completePage = completePage, .templatePaths = {testDataPath("page_template.html")}});
    return result ? readBytes(path) : "failed: " + result.message();
}

int count(const std::string& text, const std::string& piece)
{
    int found = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++found;
    return found;
}

} // namespace

class BoxSizeHtmlTest : public QObject {
    Q_OBJECT
private slots:
    void templateSizeIsWrittenAsBefore_data()
    {
        QTest::addColumn<bool>("completePage");
        QTest::addColumn<QString>("golden");
        QTest::newRow("complete page") << true << "mixed_page.html";
        QTest::newRow("persons only") << false << "mixed_persons.html";
    }
    void templateSizeIsWrittenAsBefore()
    {
        QFETCH(bool, completePage);
        QFETCH(QString, golden);
        QCOMPARE(bytes(exported(mixedChartOfSize(120, 50), completePage)),
                 bytes(readBytes(testDataPath(golden.toLatin1().constData()))));
    }

    // Continuation boxes are seven tenths of a box each way, cut to whole pixels.
    void otherSizes_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("contWidth");
        QTest::addColumn<int>("contHeight");
        QTest::newRow("one pixel wider") << 121 << 50 << 84 << 35;
        QTest::newRow("one pixel taller") << 120 << 51 << 84 << 35;
        QTest::newRow("one pixel narrower") << 119 << 50 << 83 << 35;
        QTest::newRow("wide and low") << 300 << 40 << 210 << 28;
        QTest::newRow("narrow and high") << 60 << 130 << 42 << 91;
        QTest::newRow("smallest") << 1 << 1 << 0 << 0;
        QTest::newRow("largest") << 2000 << 1999 << 1400 << 1399;
    }
    void otherSizes()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, contWidth);
        QFETCH(int, contHeight);
        const Chart chart = mixedChartOfSize(width, height);
        const std::string boxSize =
            "width: " + std::to_string(width) + "px; height: " + std::to_string(height) + "px;";
        const std::string contSize = "width: " + std::to_string(contWidth) +
                                     "px; height: " + std::to_string(contHeight) + "px;";

        // A complete page: one style element where the TREE line stood, between
        // the template's head and the first connector.
        const std::string page = exported(chart, true);
        const std::string style =
            "<style>\n.box { " + boxSize + " }\n.cbox { " + contSize + " }\n</style>\n";
        QCOMPARE(count(page, "<style>"), 1);
        QVERIFY2(page.find("<p>FILENAME</p>\nFILENAME\n") > page.find(style), page.c_str());
        QVERIFY2(page.find("family\n" + style + "<img class=\"pinH\"") != std::string::npos,
                 page.c_str());
        QCOMPARE(count(page, "width: " + std::to_string(width) + "px; height"), 1);

        // Without the template: no style, the size on each of the 5 boxes and the
        // 5 continuation boxes, after its place.
        const std::string persons = exported(chart, false);
        QCOMPARE(count(persons, "<style>"), 0);
        QCOMPARE(count(persons, "<div class=\"box\""), 5);
        QCOMPARE(count(persons, "px; " + boxSize + "\"><b>"), 5);
        QCOMPARE(count(persons, "<div class=\"cbox\""), 5);
        QCOMPARE(count(persons, "px; " + contSize + "\"><font size=1>"), 5);
    }

    // The worked example's box at 200 x 80, written whole.
    void inlineSizeFollowsThePlace()
    {
        Chart chart(TreeSettings(), "tree");
        chart.settings().boxWidth = 200;
        chart.settings().boxHeight = 80;
        chart.mutableTree().append(makeBox("Alpha |b. 1900", {2, 1}, {20, 0}, 1));
        chart.mutableTree().append(makeContinuation("More |7", {1, 3}, {0, 0}, 1));
        const std::string persons = exported(chart, false);
        QVERIFY2(persons.find("<div class=\"box\" style=\"top: 300px; left: 490px; width: 200px; "
                              "height: 80px;\"><b>Alpha </b><br><font size=1>b. 1900</font>"
                              "</div>\n") != std::string::npos,
                 persons.c_str());
        QVERIFY2(persons.find("<div class=\"cbox\" style=\"top: 512px; left: 330px; width: 140px; "
                              "height: 56px;\"><font size=1><a href=\"family07.html\">More <br>"
                              "</a>7<br></font></div>\n") != std::string::npos,
                 persons.c_str());
    }
};

QTEST_APPLESS_MAIN(BoxSizeHtmlTest)
#include "box_size_html_test.moc"
