// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/chart_writer.h"
#include "model/chart.h"
#include "web/chart_data.h"
#include "web/viewer_assets.h"
#include "web/web_page.h"

#include <QTemporaryDir>
#include <QTest>

#include <sstream>

namespace {

std::string dataOf(const Chart& chart, std::string_view pageName = "page")
{
    std::string out;
    writeChartData(chart, pageName, false, [&out](std::string_view piece) {
        out += piece;
        return true;
    });
    return out;
}

std::string pageOf(const Chart& chart, const WebPageOptions& options = {})
{
    std::string out;
    writeWebPage(chart, "page", options, [&out](std::string_view piece) {
        out += piece;
        return true;
    });
    return out;
}

std::string fileOf(const Chart& chart)
{
    std::ostringstream out;
    writeChart(out, chart);
    return out.str();
}

// The value of one string field of the data, as written (escapes kept).
std::string field(const std::string& data, const std::string& name)
{
    const std::size_t start = data.find("\"" + name + "\":\"");
    if (start == std::string::npos)
        return "(missing)";
    const std::size_t from = start + name.size() + 4;
    return data.substr(from, data.find('"', from) - from);
}

std::size_t occurrences(const std::string& text, std::string_view what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// A chart like a family's: names, years and places on three or four lines,
// a grid with connectors, one continuation box in twenty.
Chart familyChart(int boxes, const std::string& accent, int firstColumn)
{
    Chart chart;
    for (int i = 0; i < boxes; ++i) {
        const Cell cell{firstColumn + i % 200, i / 200};
        const std::string text = "Name" + accent + std::to_string(i) + " Surname |b. 18" +
                                 std::to_string(i % 100) + " Placeton |d. 19" +
                                 std::to_string(i % 90) + (i % 3 ? " |farmer" : "");
        if (i % 20 == 19)
            chart.mutableTree().append(
                std::make_unique<ContPerson>("Family |chart 12", cell, Links{20, 20}, i % 5));
        else
            chart.mutableTree().append(
                std::make_unique<Person>(text, cell, Links{i % 4 ? 20 : 0, i % 5 ? 20 : 0}));
    }
    return chart;
}

} // namespace

class WebPageTest : public QObject {
    Q_OBJECT
private slots:
    void columns_data();
    void columns();
    void size_data();
    void size();
    void hostileTextsStayText();
    void decodedText_data();
    void decodedText();
    void failedExportKeepsOldPage_data();
    void failedExportKeepsOldPage();
    void pageIsComplete();
    void testHooksOnlyWhenAsked();
};

void WebPageTest::columns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    // A box at 3,5 with connectors 40 right and 60 down, then a continuation
    // box pointing left at 1,7, then a plain box with lineage 5 at 1,8 under it.
    QTest::newRow("cells") << "cells"
                           << "3,5,-2,2,,1";
    QTest::newRow("links") << "links"
                           << "40,60,20,-20,,";
    QTest::newRow("kinds") << "kinds"
                           << "2,7,9";
    QTest::newRow("parents") << "parents"
                             << ",,,,,";
    QTest::newRow("addresses") << "addresses"
                               << "my%20chart09.html";
    QTest::newRow("texts") << "texts"
                           << "Ada |b. 1900\\nKin |chart 9\\nBo";
}

void WebPageTest::columns()
{
    QFETCH(QString, name);
    QFETCH(QString, written);
    Chart chart;
    chart.mutableTree()
        .append(std::make_unique<Person>("Ada |b. 1900", Cell{3, 5}, Links{40, 60}))
        ->lineage = 2;
    chart.mutableTree().append(
        std::make_unique<ContPerson>("Kin |chart 9", Cell{1, 7}, Links{20, -20}, 3));
    chart.mutableTree().append(std::make_unique<Person>("Bo", Cell{1, 8}, Links{}))->lineage = 5;
    QCOMPARE(QString::fromStdString(field(dataOf(chart, "my chart"), name.toStdString())), written);
}

void WebPageTest::size_data()
{
    QTest::addColumn<int>("boxes");
    QTest::addColumn<QByteArray>("accent");
    QTest::addColumn<int>("firstColumn");
    QTest::newRow("one box") << 1 << QByteArray() << 0;
    QTest::newRow("a thousand") << 1000 << QByteArray() << 0;
    QTest::newRow("accents in UTF-8") << 1000 << QByteArray("\xC3\xAB\xC3\xA9") << 0;
    QTest::newRow("far columns") << 1000 << QByteArray() << 90000;
    QTest::newRow("twenty thousand") << 20000 << QByteArray() << 0;
}

void WebPageTest::size()
{
    QFETCH(int, boxes);
    QFETCH(QByteArray, accent);
    QFETCH(int, firstColumn);
    const Chart chart = familyChart(boxes, accent.toStdString(), firstColumn);
    // The data of an empty chart (the columns' names) is paid once, like the viewer.
    const double fixed = double(dataOf(Chart()).size());
    const double ratio = (double(dataOf(chart).size()) - fixed) / double(fileOf(chart).size());
    QVERIFY2(ratio <= 1.3, qPrintable(QString("data %1 times the chart file").arg(ratio)));
}

void WebPageTest::hostileTextsStayText()
{
    Chart chart(TreeSettings(), "</title><script>alert(1)</script>");
    for (const char* text : {"</script><script>alert(1)</script>", "<!-- <script>", "</SCRIPT >",
                             "\" onload=\"alert(1)", "&lt;b&gt; <b>bold</b>",
                             "a\xE2\x80\xA8"
                             "b"})
        chart.mutableTree().append(std::make_unique<Person>(text, Cell{0, 0}, Links{}));
    const std::string page = pageOf(chart);
    std::string lower = page;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    // The data's element and the code's are the only ones that end.
    QCOMPARE(occurrences(lower, "</script"), std::size_t(2));
    QCOMPARE(occurrences(lower, "<script"), std::size_t(2));
    QCOMPARE(occurrences(page, "<!--"), std::size_t(0));
    QCOMPARE(occurrences(page, "\xE2\x80\xA8"), std::size_t(0));
    QVERIFY(page.find("<title>&lt;/title&gt;&lt;script&gt;alert(1)&lt;/script&gt;</title>") !=
            std::string::npos);
}

void WebPageTest::decodedText_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("UTF-8 kept") << QByteArray("Zo\xC3\xAB") << QByteArray("Zo\xC3\xAB");
    QTest::newRow("Windows-1252 decoded") << QByteArray("Zo\xEB") << QByteArray("Zo\xC3\xAB");
    QTest::newRow("Windows-1252 euro and quote")
        << QByteArray("\x80\x93") << QByteArray("\xE2\x82\xAC\xE2\x80\x9C");
}

void WebPageTest::decodedText()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, written);
    Chart chart;
    chart.mutableTree().append(std::make_unique<Person>(stored.toStdString(), Cell{0, 0}, Links{}));
    QCOMPARE(QByteArray::fromStdString(field(dataOf(chart), "texts")), written);
}

void WebPageTest::failedExportKeepsOldPage_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("status");
    QTest::newRow("folder missing") << "missing/page.html" << int(Result::CannotCreate);
    QTest::newRow("a folder in the way") << "folder" << int(Result::CannotWrite);
}

void WebPageTest::failedExportKeepsOldPage()
{
    QFETCH(QString, target);
    QFETCH(int, status);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    const std::string path = (dir.path() + "/" + target).toStdString();
    const Result result = exportWebPage(familyChart(10, "", 0), path);
    QCOMPARE(int(result.status), status);
    QVERIFY(!result.message().empty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"folder"});
}

void WebPageTest::pageIsComplete()
{
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/family tree.html").toStdString();
    QVERIFY(exportWebPage(familyChart(300, "", 0), path, {.chartBackground = true}));
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll();
    QVERIFY(page.startsWith("<!DOCTYPE html>"));
    QVERIFY(page.trimmed().endsWith("</html>"));
    QVERIFY(page.contains("\"chartBackground\":true"));
    QVERIFY(page.contains("family%20tree12.html"));
    // Nothing is fetched: no address of another site, no file beside the page.
    QVERIFY(!page.contains("http:") && !page.contains("https:") && !page.contains("src="));
}

void WebPageTest::testHooksOnlyWhenAsked()
{
    const Chart chart = familyChart(3, "", 0);
    const std::string published = pageOf(chart), forTests = pageOf(chart, {.testHooks = true});
    QCOMPARE(occurrences(published, "stirpaViewer"), std::size_t(0));
    QCOMPARE(occurrences(published, viewerTestHooks), std::size_t(0));
    // Before the viewer, which looks for them as it starts.
    QVERIFY(forTests.find(viewerTestHooks) < forTests.find(viewerScript));
}

QTEST_APPLESS_MAIN(WebPageTest)
#include "web_page_test.moc"
