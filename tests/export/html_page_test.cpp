// SPDX-License-Identifier: GPL-3.0-or-later
// The whole page: chart passes, spacer, template copying, the export command
// with its log, and the file names it offers and uses.
#include "chartfile/chart_reader.h"
#include "export/html_export.h"
#include "export_fixture.h"
#include "model/tree_settings.h"

#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char workedPin[] =
    "<img class=\"pinH\" style=\"top: 295px; left: 450px; width: 20px;\" src=\"pinneR.gif\">\n";
const char workedBox[] = "<div class=\"box\" style=\"top: 270px; left: 330px;\"><b>Alpha </b>"
                         "<br><font size=1>b. 1900</font></div>\n";
const char workedSpacer[] = "<br><img src=\"tom.gif\" width=465 height=80 border=0>\n";

// A chart holding only the box of the worked example.
Chart workedExampleChart()
{
    Chart chart(TreeSettings(), "tree");
    chart.mutableTree().append(makeBox("Alpha |b. 1900", {2, 1}, {20, 0}, 1));
    return chart;
}

std::string pageFrom(const std::string& pageTemplate, const Chart& chart, bool* complete = nullptr)
{
    std::istringstream in(pageTemplate);
    std::ostringstream out;
    const bool ok = writeHtmlPage(out, chart, {"page"}, &in);
    if (complete)
        *complete = ok;
    return out.str();
}

ChartLoad loadMixedChart()
{
    LogCapture quiet;
    return readChartFile(testDataPath("mixed_chart.txt"), TreeSettings());
}

} // namespace

class HtmlPageTest : public QObject {
    Q_OBJECT
private slots:
    void workedExample()
    {
        QCOMPARE(bytes(chartOf(workedExampleChart())),
                 QByteArray(workedPin) + workedBox + workedSpacer);
    }

    void emptyTreeWritesOnlyTheSpacer()
    {
        const Chart chart;
        QCOMPARE(bytes(chartOf(chart)),
                 QByteArray("<br><img src=\"tom.gif\" width=185 height=10 border=0>\n"));
    }

    void spacerAddsOnlyTheHorizontalStart()
    {
        Chart chart;
        chart.settings().htmlStartX = 0;
        chart.settings().htmlStartY = 999;
        chart.mutableTree().append(makeBox("A", {3, 4}, {0, 0}));
        // Extent 455 x 290: the width gains the margin, the height nothing.
        QVERIFY(bytes(chartOf(chart))
                    .endsWith("<br><img src=\"tom.gif\" width=555 height=290 border=0>\n"));
    }

    void allConnectorsComeBeforeAllBoxes()
    {
        Chart chart;
        chart.mutableTree().append(makeBox("A", {0, 0}, {20, 0}));
        chart.mutableTree().append(makeContinuation("B", {1, 0}, {0, 20}, 2));
        QCOMPARE(bytes(chartOf(chart, "p")),
                 QByteArray("<img class=\"pinH\" style=\"top: 225px; left: 170px; width: 20px;\" "
                            "src=\"pinne.gif\">\n"
                            "<img class=\"pinV\" style=\"top: 250px; left: 250px; height: 20px;\" "
                            "src=\"pinne.gif\">\n"
                            "<div class=\"box\" style=\"top: 200px; left: 50px;\"><b>A</b></div>\n"
                            "<div class=\"cbox\" style=\"top: 214px; left: 208px;\"><font size=1>"
                            "<a href=\"p0.html\">B<br></a></font></div>\n"
                            "<br><img src=\"tom.gif\" width=325 height=10 border=0>\n"));
    }

    void templateLines_data()
    {
        QTest::addColumn<QByteArray>("pageTemplate");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("FILENAME lines replaced whole")
            << QByteArray("<h1>\nFILENAME\nFILENAME and more\nFILENAMES\n</h1>\nTREE\n<p>\n")
            << true << QByteArray("<h1>\npage\npage\npage\n</h1>\n") << QByteArray("<p>\n");
        QTest::newRow("FILENAME inside a line kept")
            << QByteArray("<p>FILENAME</p>\nTREE\n") << true << QByteArray("<p>FILENAME</p>\n")
            << QByteArray();
        QTest::newRow("TREEHERE marks the chart")
            << QByteArray("h\nTREEHERE\nt\n") << true << QByteArray("h\n") << QByteArray("t\n");
        QTest::newRow("TREE 1 marks the chart")
            << QByteArray("h\nTREE 1\nt\n") << true << QByteArray("h\n") << QByteArray("t\n");
        QTest::newRow("indented or lower-case tree is text")
            << QByteArray(" TREE\ntree\nTREE\n") << true << QByteArray(" TREE\ntree\n")
            << QByteArray();
        QTest::newRow("tail copied as it stands")
            << QByteArray("TREE\nFILENAME\nTREE\n<p>FILENAME</p>\nend") << true << QByteArray()
            << QByteArray("FILENAME\nTREE\n<p>FILENAME</p>\nend\n");
        QTest::newRow("empty lines kept")
            << QByteArray("\n\nTREE\n\n") << true << QByteArray("\n\n") << QByteArray("\n");
        QTest::newRow("carriage returns copied")
            << QByteArray("<html>\r\nFILENAME\r\nTREE\r\n</html>\r\n") << true
            << QByteArray("<html>\r\npage\n") << QByteArray("</html>\r\n");
        QTest::newRow("no TREE line: head only")
            << QByteArray("<html>\nFILENAME\n</html>\n") << false
            << QByteArray("<html>\npage\n</html>\n") << QByteArray();
        QTest::newRow("empty template") << QByteArray() << false << QByteArray() << QByteArray();
    }
    void templateLines()
    {
        QFETCH(QByteArray, pageTemplate);
        QFETCH(bool, complete);
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, tail);
        bool written = !complete;
        const QByteArray page =
            bytes(pageFrom(pageTemplate.toStdString(), workedExampleChart(), &written));
        QCOMPARE(written, complete);
        QCOMPARE(page, complete ? head + workedPin + workedBox + workedSpacer + tail : head);
    }

    void longTemplateLinesCopiedWhole()
    {
        // Keywords past the start of a long line must not count.
        const std::string headLine = std::string(179, 'a') + "TREE" + std::string(4817, 'b');
        const std::string nameLine = std::string(179, 'c') + "FILENAME" + std::string(4813, 'd');
        const std::string tailLine(5000, 'z');
        QCOMPARE(headLine.size(), std::size_t(5000));
        QCOMPARE(nameLine.size(), std::size_t(5000));
        bool complete = false;
        const std::string page = pageFrom(headLine + "\n" + nameLine + "\nTREE\n" + tailLine + "\n",
                                          workedExampleChart(), &complete);
        QVERIFY(complete);
        QCOMPARE(bytes(page), bytes(headLine + "\n" + nameLine + "\n" + workedPin + workedBox +
                                    workedSpacer + tailLine + "\n"));
    }

    void completePageMatchesGolden()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const ChartLoad load = loadMixedChart();
        QVERIFY2(load, load.message().c_str());
        const std::string path = dir.filePath("family.html").toStdString();
        LogCapture log;
        const Result result = exportHtml(
            load.chart, path,
            {.completePage = true, .templatePaths = {testDataPath("page_template.html")}});
        QVERIFY2(bool(result), result.message().c_str());
        QCOMPARE(bytes(readBytes(path)), bytes(readBytes(testDataPath("mixed_page.html"))));
        QCOMPARE(bytes(log.text()), bytes("Html outfile is " + path + "\nModel input eof\n"));
    }

    void personsOnlyMatchesGoldenAndReadsNoTemplate()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const ChartLoad load = loadMixedChart();
        QVERIFY2(load, load.message().c_str());
        const std::string path = dir.filePath("family.html").toStdString();
        writeBytes(path, std::string(20000, 'x')); // an older, longer export
        LogCapture log;
        const Result result =
            exportHtml(load.chart, path,
                       {.completePage = false,
                        .templatePaths = {dir.filePath("no_template.html").toStdString()}});
        QVERIFY2(bool(result), result.message().c_str());
        QCOMPARE(bytes(readBytes(path)), bytes(readBytes(testDataPath("mixed_persons.html"))));
        QCOMPARE(bytes(log.text()), bytes("Html outfile is " + path + "\n"));
    }

    // Whatever stops a complete page, the page published before stays as it was
    // and a new one is not left empty.
    void failedTemplateKeepsTheOldPage_data()
    {
        QTest::addColumn<QString>("templateKind");
        QTest::addColumn<bool>("earlierPage");
        QTest::addColumn<QString>("message");
        for (const bool earlier : {true, false}) {
            const char* suffix = earlier ? ", earlier page" : ", no earlier page";
            QTest::addRow("missing%s", suffix)
                << "missing" << earlier << "Cannot read the page template";
            QTest::addRow("no TREE line%s", suffix) << "head only" << earlier << "has no TREE line";
            QTest::addRow("a FIFO%s", suffix) << "fifo" << earlier << "not a regular file";
            QTest::addRow("endless device%s", suffix)
                << "/dev/zero" << earlier << "not a regular file";
        }
        QTest::newRow("too large") << "huge" << true << "larger than 16 MB";
    }
    void failedTemplateKeepsTheOldPage()
    {
        QFETCH(QString, templateKind);
        QFETCH(bool, earlierPage);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string templatePath = dir.filePath("stirpa_full.html").toStdString();
        if (templateKind == "head only")
            writeBytes(templatePath, "<html>\nFILENAME\n</html>\n");
        else if (templateKind == "fifo")
            QCOMPARE(::mkfifo(templatePath.c_str(), 0600), 0);
        else if (templateKind == "/dev/zero")
            std::filesystem::create_symlink("/dev/zero", templatePath);
        else if (templateKind == "huge")
            std::filesystem::resize_file((writeBytes(templatePath, "TREE\n"), templatePath),
                                         (16 << 20) + 1);
        const std::string path = dir.filePath("out.html").toStdString();
        const std::string published = "<html>published</html>\n";
        if (earlierPage)
            writeBytes(path, published);
        LogCapture log;
        const Result result = exportHtml(workedExampleChart(), path,
                                         {.completePage = true, .templatePaths = {templatePath}});
        QCOMPARE(result.status, Result::TemplateIncomplete);
        QVERIFY2(result.message().find(message.toStdString()) != std::string::npos,
                 result.message().c_str());
        if (earlierPage)
            QCOMPARE(bytes(readBytes(path)), bytes(published));
        else
            QVERIFY(!std::filesystem::exists(path));
        QCOMPARE(bytes(log.text()),
                 bytes("Html outfile is " + path + "\nModel input prematurely interrupted\n"));
    }

    // The template of the current folder comes first; without it the installed one
    // is used.
    void templateFallsBack()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string installed = dir.filePath("installed.html").toStdString();
        writeBytes(installed, "<p>installed</p>\nTREE\n");
        const std::string path = dir.filePath("out.html").toStdString();
        const HtmlExportOptions options{
            .completePage = true,
            .templatePaths = {dir.filePath("stirpa_full.html").toStdString(), installed}};
        QVERIFY(exportHtml(workedExampleChart(), path, options));
        QVERIFY(readBytes(path).starts_with("<p>installed</p>\n"));
        writeBytes(options.templatePaths.front(), "<p>local</p>\nTREE\n");
        QVERIFY(exportHtml(workedExampleChart(), path, options));
        QVERIFY(readBytes(path).starts_with("<p>local</p>\n"));
    }

    // A page that does not fit on the disk: the published one stays byte for
    // byte, and without one no empty file is left.
    void fullDiskKeepsTheOldPage_data()
    {
        QTest::addColumn<bool>("earlierPage");
        QTest::newRow("earlier page") << true;
        QTest::newRow("no earlier page") << false;
    }
    void fullDiskKeepsTheOldPage()
    {
        QFETCH(bool, earlierPage);
        if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0)
            QSKIP("mounting a small disk needs root and a mount namespace");
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray disk = dir.filePath("disk").toLocal8Bit();
        std::filesystem::create_directory(disk.constData());
        if (::mount("tmpfs", disk.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a small tmpfs");
        Chart chart(TreeSettings(), "tree");
        for (int column = 0; column < 2000; ++column)
            chart.mutableTree().append(makeBox("A name |b. 1900", {column, 0}, {20, 0}));
        const std::string path = disk.toStdString() + "/page.html";
        const std::string published = "<html>published</html>\n";
        if (earlierPage)
            writeBytes(path, published);
        const Result result = exportHtml(chart, path);
        const bool kept =
            earlierPage ? readBytes(path) == published : !std::filesystem::exists(path);
        const bool nothingElse =
            std::distance(std::filesystem::directory_iterator(disk.constData()),
                          std::filesystem::directory_iterator()) == (earlierPage ? 1 : 0);
        ::umount2(disk.constData(), MNT_DETACH);
        QCOMPARE(result.status, Result::CannotWrite);
        QVERIFY2(result.message().find("No space left on device") != std::string::npos,
                 result.message().c_str());
        QVERIFY(kept);
        QVERIFY(nothingElse);
    }

    void uncreatableOutput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << QString("missing/out.html");
        QTest::newRow("a folder") << QString("folder");
    }
    void uncreatableOutput()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        std::filesystem::create_directory(dir.filePath("folder").toStdString());
        const std::string templatePath = dir.filePath("stirpa_full.html").toStdString();
        writeBytes(templatePath, "TREE\n");
        const std::string path = dir.filePath(name).toStdString();
        LogCapture log;
        const Result result = exportHtml(workedExampleChart(), path,
                                         {.completePage = true, .templatePaths = {templatePath}});
        QCOMPARE(result.status, Result::CannotCreate);
        QVERIFY2(result.message().find(path) != std::string::npos, result.message().c_str());
        QCOMPARE(bytes(log.text()),
                 bytes("Html outfile is " + path + "\nCannot create outfile " + path + "\n"));
        // Nothing was left behind in the folder.
        int entries = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(dir.path().toStdString()))
            ++entries;
        QCOMPARE(entries, 2);
    }

    void initialHtmlName_data()
    {
        QTest::addColumn<QByteArray>("documentPath");
        QTest::addColumn<QByteArray>("offered");
        QTest::newRow("chart with extension")
            << QByteArray("/data/charts/tree.txt") << QByteArray("/data/charts/tree.html");
        QTest::newRow("dot only in a folder")
            << QByteArray("/data/my.charts/tree") << QByteArray("/data/my.charts/tree.html");
        QTest::newRow("backslashes, dot in a folder")
            << QByteArray("C:\\my.charts\\tree") << QByteArray("C:\\my.charts\\tree.html");
        QTest::newRow("backslashes with extension")
            << QByteArray("C:\\web\\chart.txt") << QByteArray("C:\\web\\chart.html");
        QTest::newRow("only the last extension")
            << QByteArray("tree.v2.txt") << QByteArray("tree.v2.html");
        QTest::newRow("never saved") << QByteArray("") << QByteArray(".html");
    }
    void initialHtmlName()
    {
        QFETCH(QByteArray, documentPath);
        QFETCH(QByteArray, offered);
        QCOMPARE(QByteArray(::initialHtmlName(documentPath.toStdString()).c_str()), offered);
    }

    void pageName_data()
    {
        QTest::addColumn<QByteArray>("outputPath");
        QTest::addColumn<QByteArray>("pageName");
        QTest::newRow("backslash path") << QByteArray("C:\\web\\chart.html") << QByteArray("chart");
        QTest::newRow("slash path") << QByteArray("/tmp/out/family.html") << QByteArray("family");
        QTest::newRow("dot in a folder")
            << QByteArray("/data/my.charts/tree") << QByteArray("tree");
        QTest::newRow("two dots") << QByteArray("page.v2.html") << QByteArray("page.v2");
    }
    void pageName()
    {
        QFETCH(QByteArray, outputPath);
        QFETCH(QByteArray, pageName);
        QCOMPARE(QByteArray(htmlPageName(outputPath.toStdString()).c_str()), pageName);
    }
};

QTEST_APPLESS_MAIN(HtmlPageTest)
#include "html_page_test.moc"
