// SPDX-License-Identifier: GPL-3.0-or-later
// What an export tells besides writing the page: the images it copied beside a
// complete page from the template's folder (never replacing one), and the
// continuation boxes whose linked pages are not beside the page.
#include "chartfile/chart_reader.h"
#include "export/html_export.h"
#include "export_fixture.h"

#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

namespace {

const std::string images[] = {"pinne.gif", "pinneR.gif", "tom.gif"};

// Stand-ins for the images, each of other bytes.
std::string imageBytes(const std::string& name) { return "GIF89a " + name; }

QStringList notesOf(const HtmlExportResult& result)
{
    QStringList lines;
    for (const Result& note : result.notes)
        lines.append(QString::fromStdString(note.message()));
    return lines;
}

ChartLoad mixedChart()
{
    LogCapture quiet;
    return readChartFile(testDataPath("mixed_chart.txt"), TreeSettings());
}

} // namespace

class HtmlNotesTest : public QObject {
    Q_OBJECT
private slots:
    // The template in "installed" with the images it has; the page in "site"
    // with the files already there.
    void imagesCopiedOrKept_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("alreadyThere");
        QTest::addColumn<bool>("completePage");
        QTest::addColumn<bool>("pageBesideTemplate");
        QTest::addColumn<QStringList>("copied");
        const QStringList all{"pinne.gif", "pinneR.gif", "tom.gif"};
        QTest::newRow("none there") << all << QStringList() << true << false << all;
        QTest::newRow("one there, other bytes") << all << QStringList{"pinneR.gif"} << true << false
                                                << QStringList{"pinne.gif", "tom.gif"};
        QTest::newRow("a link in the way") << all << QStringList{"link:tom.gif"} << true << false
                                           << QStringList{"pinne.gif", "pinneR.gif"};
        QTest::newRow("all there") << all << all << true << false << QStringList();
        QTest::newRow("template folder without the spacer")
            << QStringList{"pinne.gif", "pinneR.gif"} << QStringList() << true << false
            << QStringList{"pinne.gif", "pinneR.gif"};
        QTest::newRow("persons only") << all << QStringList() << false << false << QStringList();
        QTest::newRow("page beside the template")
            << all << QStringList() << true << true << QStringList();
    }
    void imagesCopiedOrKept()
    {
        QFETCH(QStringList, installed);
        QFETCH(QStringList, alreadyThere);
        QFETCH(bool, completePage);
        QFETCH(bool, pageBesideTemplate);
        QFETCH(QStringList, copied);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string templateFolder = dir.filePath("installed").toStdString();
        const std::string site =
            pageBesideTemplate ? templateFolder : dir.filePath("site").toStdString();
        std::filesystem::create_directories(templateFolder);
        std::filesystem::create_directories(site);
        writeBytes(templateFolder + "/stirpa_full.html", "<html>\nTREE\n</html>\n");
        for (const QString& name : installed)
            writeBytes(templateFolder + "/" + name.toStdString(), imageBytes(name.toStdString()));
        for (const QString& name : alreadyThere) {
            if (name.startsWith("link:"))
                std::filesystem::create_symlink(dir.filePath("nowhere").toStdString(),
                                                site + "/" + name.mid(5).toStdString());
            else
                writeBytes(site + "/" + name.toStdString(), "mine");
        }
        Chart chart(TreeSettings(), "tree");
        chart.mutableTree().append(makeBox("Alpha", {0, 0}, {20, 0}));
        const HtmlExportResult result =
            exportHtml(chart, (site + "/page.html"),
                       {.completePage = completePage,
                        .templatePaths = {templateFolder + "/stirpa_full.html"}});
        QVERIFY2(bool(result), result.message().c_str());

        QStringList expected;
        if (!copied.isEmpty())
            expected.append(QString("Copied %1 beside the page from %2.")
                                .arg(copied.join(", "), QString::fromStdString(templateFolder)));
        QCOMPARE(notesOf(result), expected);
        for (const std::string& name : images) {
            const std::string path = site + "/" + name;
            const QString shown = QString::fromStdString(name);
            if (copied.contains(shown))
                QCOMPARE(bytes(readBytes(path)), bytes(imageBytes(name)));
            else if (alreadyThere.contains(shown))
                QCOMPARE(bytes(readBytes(path)), QByteArray("mine"));
            else if (alreadyThere.contains("link:" + shown))
                QVERIFY(std::filesystem::is_symlink(path) && !std::filesystem::exists(path));
            else if (!pageBesideTemplate || !installed.contains(shown))
                QVERIFY(!std::filesystem::exists(path));
        }
    }

    // The mixed chart's continuation boxes link to family01, 05, 07, 12 and 0.
    void deadLinks_data()
    {
        QTest::addColumn<bool>("completePage");
        QTest::addColumn<QStringList>("pagesThere");
        QTest::addColumn<QStringList>("deadLines");
        const QString oakes =
            "The continuation box 'Oakes family' at column 3, generation 1 links to "
            "family01.html, which is not beside the page.";
        const QString more = "The continuation box 'More' at column 3, generation 2 links to "
                             "family05.html, which is not beside the page.";
        const QString ancestors =
            "The continuation box 'Ancestors 7' at column 4, generation 2 links "
            "to family07.html, which is not beside the page.";
        const QString descendants = "The continuation box 'Descendants' at column 2, generation 3 "
                                    "links to family12.html, which is not beside the page.";
        const QString empty = "The continuation box '' at column 4, generation 3 links to "
                              "family0.html, which is not beside the page.";
        const QStringList everyPage{"family01.html", "family05.html", "family07.html",
                                    "family12.html", "family0.html"};
        QTest::newRow("no page there")
            << true << QStringList() << QStringList{oakes, more, ancestors, descendants, empty};
        QTest::newRow("no page there, persons only")
            << false << QStringList() << QStringList{oakes, more, ancestors, descendants, empty};
        QTest::newRow("first and last there")
            << true << QStringList{"family01.html", "family0.html"}
            << QStringList{more, ancestors, descendants};
        QTest::newRow("every page there") << true << everyPage << QStringList();
        QTest::newRow("a name told apart by case")
            << true << QStringList{"Family05.html", "family05.htm"}
            << QStringList{oakes, more, ancestors, descendants, empty};
    }
    void deadLinks()
    {
        QFETCH(bool, completePage);
        QFETCH(QStringList, pagesThere);
        QFETCH(QStringList, deadLines);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString& page : pagesThere)
            writeBytes(dir.filePath(page).toStdString(), "<html></html>\n");
        const ChartLoad load = mixedChart();
        QVERIFY2(load, load.message().c_str());
        const std::string path = dir.filePath("family.html").toStdString();
        LogCapture quiet;
        const HtmlExportResult result = exportHtml(
            load.chart, path,
            {.completePage = completePage, .templatePaths = {testDataPath("page_template.html")}});
        QVERIFY2(bool(result), result.message().c_str());
        QCOMPARE(notesOf(result), deadLines);
        // The page itself is as ever.
        QCOMPARE(bytes(readBytes(path)),
                 bytes(readBytes(
                     testDataPath(completePage ? "mixed_page.html" : "mixed_persons.html"))));
    }

    // Every box that links to a missing page is told, even when they share it.
    void boxesSharingAPageAreEachTold()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Chart chart(TreeSettings(), "tree");
        chart.mutableTree().append(makeContinuation("Branch |chart 3", {4, 1}, {0, 0}, 0));
        chart.mutableTree().append(makeContinuation("Also 3", {7, 5}, {0, 0}, 2));
        chart.mutableTree().append(makeBox("Plain 4", {0, 0}, {0, 0}));
        const HtmlExportResult result =
            exportHtml(chart, dir.filePath("tree.html").toLocal8Bit().toStdString());
        QCOMPARE(notesOf(result),
                 QStringList({"The continuation box 'Branch' at column 5, generation 2 links to "
                              "tree03.html, which is not beside the page.",
                              "The continuation box 'Also 3' at column 8, generation 6 links to "
                              "tree03.html, which is not beside the page."}));
    }
};

QTEST_APPLESS_MAIN(HtmlNotesTest)
#include "html_notes_test.moc"
