// SPDX-License-Identifier: GPL-3.0-or-later
// The batch form of the export, run as the program itself: exit status, the
// reason on standard error, the template from the current folder, the log.
#include "export_fixture.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

// The program is built beside the tests: build/tests/<test> and build/src/app/stirpa.
std::string programPath()
{
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path() / "src/app/stirpa").string();
}

struct Run {
    int status = -1;
    std::string err;
};

// Runs stirpa with arguments in the folder (paths in the temporary folder need no quoting).
Run runIn(const QTemporaryDir& dir, const std::string& arguments,
          const std::string& program = programPath())
{
    const std::string folder = dir.path().toStdString();
    const std::string command =
        "cd '" + folder + "' && '" + program + "' " + arguments + " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    Run run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = readBytes(folder + "/stderr.txt");
    return run;
}

} // namespace

class HtmlBatchTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(std::filesystem::exists(programPath()), programPath().c_str()); }

    void completePageUsesTheTemplateInTheCurrentFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string folder = dir.path().toStdString();
        std::filesystem::copy_file(testDataPath("page_template.html"),
                                   folder + "/stirpa_full.html");
        writeBytes(folder + "/family01.html", "chart 1");
        writeBytes(folder + "/family12.html", "chart 12");
        const Run run = runIn(dir, "--export-html '" + testDataPath("mixed_chart.txt") +
                                       "' family.html --complete-page");
        QCOMPARE(run.status, 0);
        // Two of the pages the continuation boxes link to are there.
        QCOMPARE(bytes(run.err),
                 QByteArray("The continuation box 'More' at column 3, generation 2 links to "
                            "family05.html, which is not beside the page.\n"
                            "The continuation box 'Ancestors 7' at column 4, generation 2 links to "
                            "family07.html, which is not beside the page.\n"
                            "The continuation box '' at column 4, generation 3 links to family0.html, "
                            "which is not beside the page.\n"));
        QCOMPARE(bytes(readBytes(folder + "/family.html")),
                 bytes(readBytes(testDataPath("mixed_page.html"))));
        // A page about to be published gets no log beside it.
        QVERIFY(!std::filesystem::exists(folder + "/stirpalog.txt"));
    }

    // Without a template in the current folder, the one installed with the program
    // is used, and the images missing beside the page come from its folder.
    void installedTemplateIsTheFallback()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string prefix = dir.path().toStdString() + "/prefix";
        const std::string web = prefix + "/share/stirpa/web";
        std::filesystem::create_directories(prefix + "/bin");
        std::filesystem::create_directories(web);
        std::filesystem::copy_file(programPath(), prefix + "/bin/stirpa");
        writeBytes(web + "/stirpa_full.html", "<p>installed</p>\nTREE\n");
        for (const char* image : {"pinne.gif", "pinneR.gif", "tom.gif"})
            writeBytes(web + "/" + image, std::string("installed ") + image);
        writeBytes(dir.filePath("tom.gif").toStdString(), "mine");
        const Run run = runIn(dir,
                              "--export-html '" + testDataPath("mixed_chart.txt") +
                                  "' family.html --complete-page",
                              prefix + "/bin/stirpa");
        QCOMPARE(run.status, 0);
        QVERIFY(readBytes(dir.filePath("family.html").toStdString())
                    .starts_with("<p>installed</p>\n<img class="));
        QVERIFY2(run.err.starts_with("Copied pinne.gif, pinneR.gif beside the page from " + web +
                                     ".\nThe continuation box 'Oakes family' "),
                 run.err.c_str());
        QCOMPARE(bytes(readBytes(dir.filePath("pinneR.gif").toStdString())),
                 QByteArray("installed pinneR.gif"));
        QCOMPARE(bytes(readBytes(dir.filePath("tom.gif").toStdString())), QByteArray("mine"));
    }

    // Without one in the current folder, the template beside the program comes
    // before the installed one.
    void templateBesideTheProgramComesNext()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string prefix = dir.path().toStdString() + "/prefix";
        std::filesystem::create_directories(prefix + "/bin/web");
        std::filesystem::create_directories(prefix + "/share/stirpa/web");
        std::filesystem::copy_file(programPath(), prefix + "/bin/stirpa");
        writeBytes(prefix + "/bin/web/stirpa_full.html", "<p>beside</p>\nTREE\n");
        writeBytes(prefix + "/share/stirpa/web/stirpa_full.html", "<p>installed</p>\nTREE\n");
        const Run run = runIn(dir,
                              "--export-html '" + testDataPath("mixed_chart.txt") +
                                  "' family.html --complete-page",
                              prefix + "/bin/stirpa");
        QCOMPARE(run.status, 0);
        QVERIFY(readBytes(dir.filePath("family.html").toStdString()).starts_with("<p>beside</p>\n"));
    }

    // A book's pages from any of its charts: every page written and titled,
    // each link down names a page written, each way up an anchor of the page above.
    void bookPagesLinkBothWays()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string folder = dir.path().toStdString();
        writeBytes(folder + "/stirpa_full.html", "<title>Family chart</title>\nTREE\n");
        QCOMPARE(runIn(dir, "--import-gedcom '" + std::string(STIRPA_TEST_DATA) +
                                "/gedcom/hartmann.ged' bk.txt --root I1 --split 4")
                     .status,
                 0);
        const Run run = runIn(dir, "--export-html bk02.txt bk02.html --complete-page");
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.empty(), run.err.c_str());
        const QStringList pages{"bk", "bk01", "bk0101", "bk02"};
        QHash<QString, QString> text;
        for (const QString& name : pages) {
            text[name] = QString::fromStdString(readBytes(folder + "/" + name.toStdString() + ".html"));
            QVERIFY2(text[name].contains(QRegularExpression("<title>[^<]+ — hartmann.ged</title>")),
                     qPrintable(name));
        }
        for (const QString& name : pages) {
            for (const QRegularExpressionMatch& down :
                 QRegularExpression("<a href=\"([a-z0-9]+)\\.html\">").globalMatch(text[name]))
                QVERIFY2(pages.contains(down.captured(1)), qPrintable(down.captured(0)));
            const QRegularExpressionMatch up =
                QRegularExpression("class=\"up\" href=\"([a-z0-9]+)\\.html#(to-[0-9]+)\"").match(text[name]);
            QCOMPARE(up.hasMatch(), name != "bk");
            if (up.hasMatch())
                QVERIFY2(text[up.captured(1)].contains("id=\"" + up.captured(2) + "\""), qPrintable(name));
        }
    }

    void personsOnly()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const Run run =
            runIn(dir, "--export-html '" + testDataPath("mixed_chart.txt") + "' family.html");
        QCOMPARE(run.status, 0);
        QCOMPARE(bytes(readBytes(dir.filePath("family.html").toStdString())),
                 bytes(readBytes(testDataPath("mixed_persons.html"))));
    }

    void failuresExitWithTheReason_data()
    {
        QTest::addColumn<QByteArray>("templateText"); // empty: no template
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("reason");
        QTest::addColumn<QByteArray>("written"); // the page left behind
        QTest::newRow("missing template")
            << QByteArray() << QByteArray("out.html")
            << QByteArray("Cannot read the page template 'stirpa_full.html': it is in none of "
                          "stirpa_full.html, ")
            << QByteArray();
        QTest::newRow("template without TREE")
            << QByteArray("<html>\nFILENAME\n") << QByteArray("out.html")
            << QByteArray("has no TREE line") << QByteArray();
        QTest::newRow("output a FIFO")
            << QByteArray("TREE\n") << QByteArray("fifo.html")
            << QByteArray("Cannot create the file 'fifo.html': it is not a regular file")
            << QByteArray("fifo");
        QTest::newRow("output the template by another name")
            << QByteArray("TREE\n") << QByteArray("./stirpa_full.html")
            << QByteArray("it is the same file as 'stirpa_full.html'") << QByteArray("TREE\n");
        QTest::newRow("uncreatable output")
            << QByteArray("TREE\n") << QByteArray("none/out.html")
            << QByteArray("Cannot create the file 'none/out.html'") << QByteArray();
    }
    void failuresExitWithTheReason()
    {
        QFETCH(QByteArray, templateText);
        QFETCH(QByteArray, output);
        QFETCH(QByteArray, reason);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string folder = dir.path().toStdString();
        if (!templateText.isEmpty())
            writeBytes(folder + "/stirpa_full.html", templateText.toStdString());
        ::mkfifo((folder + "/fifo.html").c_str(), 0600);
        // The build's program has a template beside it: a copy alone has none.
        std::filesystem::create_directories(folder + "/bin");
        std::filesystem::copy_file(programPath(), folder + "/bin/stirpa");
        const Run run = runIn(dir,
                              "--export-html '" + testDataPath("mixed_chart.txt") + "' " +
                                  output.toStdString() + " --complete-page",
                              folder + "/bin/stirpa");
        QCOMPARE(run.status, 1);
        QVERIFY2(bytes(run.err).contains(reason), run.err.c_str());
        const std::string outPath = folder + "/" + output.toStdString();
        if (written == "fifo")
            QVERIFY(std::filesystem::is_fifo(outPath));
        else if (written.isNull())
            QVERIFY(!std::filesystem::exists(outPath));
        else
            QCOMPARE(bytes(readBytes(outPath)), written);
    }

    void escapeTextOption_data()
    {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QByteArray>("box");
        QTest::newRow("as typed") << QByteArray("") << QByteArray("<b><i>A</i> & B</b>");
        QTest::newRow("escaped") << QByteArray("--escape-text")
                                 << QByteArray("<b>&lt;i&gt;A&lt;/i&gt; &amp; B</b>");
        QTest::newRow("escaped, in a complete page")
            << QByteArray("--escape-text --complete-page")
            << QByteArray("<b>&lt;i&gt;A&lt;/i&gt; &amp; B</b>");
    }
    void escapeTextOption()
    {
        QFETCH(QByteArray, options);
        QFETCH(QByteArray, box);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string folder = dir.path().toStdString();
        writeBytes(folder + "/chart.txt", "P 1j2 12:<i>A</i> & B 0j0 0\n");
        writeBytes(folder + "/stirpa_full.html", "<html>\nTREE\n</html>\n");
        const Run run = runIn(dir, "--export-html chart.txt out.html " + options.toStdString());
        QCOMPARE(run.status, 0);
        const QByteArray page = bytes(readBytes(folder + "/out.html"));
        QVERIFY2(page.contains(box), page.constData());
    }

    void unreadableChartWritesNothing()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const Run run = runIn(dir, "--export-html no_chart.txt out.html");
        QCOMPARE(run.status, 1);
        QVERIFY(!run.err.empty());
        QVERIFY(!std::filesystem::exists(dir.filePath("out.html").toStdString()));
    }
};

QTEST_APPLESS_MAIN(HtmlBatchTest)
#include "html_batch_test.moc"
