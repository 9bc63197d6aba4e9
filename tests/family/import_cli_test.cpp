// SPDX-License-Identifier: GPL-3.0-or-later
// stirpa --import-gedcom and --list-persons run as the program itself: the
// chart written and the line telling of it, the root found by id or name or
// chosen by default, the person list, living persons kept private; and on every
// error exit status 1 (2 for a wrong call) with nothing written.
#include "chartfile/chart_reader.h"
#include "gedcom_generator.h"
#include "program_run.h"
#include "test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

Run runStirpa(const QStringList& arguments)
{
    return runIn(QString(), QStringLiteral(STIRPA_EXE), arguments);
}

// Enoch first in the file; Adam and Eva; their sons Cain and Abel; Cain's son
// Enoch; Zoë Root and Zoe Rooter, related to no one. The header lines go in
// after "0 HEAD".
QByteArray family(const QByteArray& header = {})
{
    return "0 HEAD\n" + header +
           "0 @I5@ INDI\n1 NAME Enoch /Root/\n1 FAMC @F2@\n"
           "0 @I1@ INDI\n1 NAME Adam /Root/\n1 FAMS @F1@\n"
           "0 @I2@ INDI\n1 NAME Eva /Wife/\n1 FAMS @F1@\n"
           "0 @I3@ INDI\n1 NAME Cain /Root/\n1 BIRT\n2 DATE 1010\n1 FAMC @F1@\n1 FAMS @F2@\n"
           "0 @I4@ INDI\n1 NAME Abel /Root/\n1 DEAT\n2 DATE 1030\n1 FAMC @F1@\n"
           "0 @I6@ INDI\n1 NAME Zo\xC3\xAB /Root/\n"
           "0 @I7@ INDI\n1 NAME Zoe /Rooter/\n"
           "0 @U1@ SUBM\n1 NAME Someone\n1 _INDI @I4@\n"
           "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
           "0 @F2@ FAM\n1 HUSB @I3@\n1 CHIL @I5@\n0 TRLR\n";
}

QStringList boxTexts(const QString& chart)
{
    const ChartLoad load = readChartFile(chart.toLocal8Bit().toStdString(), TreeSettings());
    QStringList texts;
    load.chart.tree().forEachPerson(
        [&](const Person* box) { texts << QString::fromStdString(box->text); });
    return texts;
}

} // namespace

class ImportCliTest : public QObject {
    Q_OBJECT
private slots:
    void writesTheChart_data();
    void writesTheChart();
    void refusesAnUnclearRoot_data();
    void refusesAnUnclearRoot();
    void listsPersons_data();
    void listsPersons();
    void keepsLivingPersonsPrivate_data();
    void keepsLivingPersonsPrivate();
    void failsWithoutWriting_data();
    void failsWithoutWriting();
    void bookExportsWithoutDeadLinks_data();
    void bookExportsWithoutDeadLinks();
    void writesDatesInTheInterfaceLanguage();
    void keepsHostileTextAsData_data();
    void keepsHostileTextAsData();

private:
    QString path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder_;
};

void ImportCliTest::writesTheChart_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("told");

    QTest::newRow("most descendants")
        << QByteArray() << QStringList{}
        << "Adam Root (I1, whose chart holds the most persons: 5), descendants, 5 boxes, "
           "3 generations, "
           "290 x 272 pixels";
    QTest::newRow("home person") << QByteArray("1 _HME @I3@\n") << QStringList{"--descendants", "1"}
                                 << "Cain Root (I3, the home person), descendants, 2 boxes, "
                                    "1 generation, 185 x 216 pixels";
    QTest::newRow("the submitter's own person")
        << QByteArray("1 SUBM @U1@\n") << QStringList{}
        << "Abel Root (I4, the home person), descendants, 1 box, 1 generation, "
           "185 x 160 pixels";
    QTest::newRow("by id") << QByteArray() << QStringList{"--root", "I5", "--ancestors", "3"}
                           << "Enoch Root (I5), ancestors, 4 boxes, 3 generations, "
                              "290 x 272 pixels";
    QTest::newRow("by id with at signs")
        << QByteArray("1 _HME @I1@\n") << QStringList{"--root", "@I3@", "--ancestors", "2"}
        << "Cain Root (I3), ancestors, 3 boxes, 2 generations, 286 x 216 pixels";
    QTest::newRow("by the only name") << QByteArray() << QStringList{"--root", "CAIN"}
                                      << "Cain Root (I3), descendants, 2 boxes, 2 generations, "
                                         "185 x 216 pixels";
    QTest::newRow("by a whole name that others hold in part")
        << QByteArray() << QStringList{"--root", "zoe root"}
        << "Zo\u00EB Root (I6), descendants, 1 box, 1 generation, 185 x 160 pixels; 1 other "
           "person matches \"zoe root\": stirpa --list-persons FILE zoe root";
    QTest::newRow("hourglass") << QByteArray()
                               << QStringList{"--root", "I3", "--hourglass", "1", "1"}
                               << "Cain Root (I3), hourglass, 4 boxes, 3 generations, "
                                  "290 x 272 pixels";
    QTest::newRow("hourglass, the most generations")
        << QByteArray() << QStringList{"--root", "I3", "--hourglass", "49", "49"}
        << "Cain Root (I3), hourglass, 4 boxes, 3 generations, 290 x 272 pixels";
    QTest::newRow("a book of one chart at its width")
        << QByteArray() << QStringList{"--split", "2"}
        << "Adam Root (I1, whose chart holds the most persons: 5), descendants, 1 chart of at "
           "most 2 "
           "columns, 5 boxes, 3 generations";
}

void ImportCliTest::writesTheChart()
{
    QFETCH(QByteArray, header);
    QFETCH(QStringList, options);
    QFETCH(QString, told);
    writeFile(path("in.ged"), family(header));
    const QString out = path("out.txt");
    QFile::remove(out);
    const Run run = runStirpa(QStringList{"--import-gedcom", path("in.ged"), out} + options);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.out),
             out + ": " + QString(told).replace("FILE", path("in.ged")) + "\n");
    const QString root = told.left(told.indexOf(" ("));
    QVERIFY2(boxTexts(out).value(0).startsWith(root), qPrintable(boxTexts(out).value(0)));
}

void ImportCliTest::refusesAnUnclearRoot_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("message");

    QTest::newRow("several") << "root"
                             << " has 6 persons named \"root\"; give one's id with --root:\n"
                                "I4\tAbel Root\t\u20131030\n"
                                "I1\tAdam Root\t\n"
                                "I3\tCain Root\t1010\u2013\n"
                                "I5\tEnoch Root\t\n"
                                "I6\tZo\u00EB Root\t\n"
                                "I7\tZoe Rooter\t\n";
    QTest::newRow("a whole name two hold")
        << "z ROOT"
        << " has 2 persons named \"z ROOT\"; give one's id with --root:\n"
           "I6\tZo\u00EB Root\t\nI7\tZoe Rooter\t\n";
    QTest::newRow("no one") << "Gabriel"
                            << " has no person with the id or name \"Gabriel\" (stirpa "
                               "--list-persons ";
    QTest::newRow("an id the file lacks") << "@I9@"
                                          << " has no person with the id or name \"@I9@\"";
}

void ImportCliTest::refusesAnUnclearRoot()
{
    QFETCH(QString, root);
    QFETCH(QString, message);
    writeFile(path("in.ged"), family());
    const QString out = path("never.txt");
    const Run run = runStirpa({"--import-gedcom", path("in.ged"), out, "--root", root});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(path("in.ged") + message), run.err.constData());
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFile::exists(out));
}

void ImportCliTest::listsPersons_data()
{
    QTest::addColumn<QStringList>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("listed");

    QTest::newRow("everyone") << QStringList{} << 0
                              << "I4\tAbel Root\t\u20131030\nI1\tAdam Root\t\n"
                                 "I3\tCain Root\t1010\u2013\nI5\tEnoch Root\t\n"
                                 "I6\tZo\u00EB Root\t\nI7\tZoe Rooter\t\nI2\tEva Wife\t\n";
    QTest::newRow("accents and case ignored")
        << QStringList{"ZO\u00CB"} << 0 << "I6\tZo\u00EB Root\t\nI7\tZoe Rooter\t\n";
    QTest::newRow("every word, in two arguments")
        << QStringList{"zoe", "rooter"} << 0 << "I7\tZoe Rooter\t\n";
    QTest::newRow("names only, not years") << QStringList{"1010"} << 1 << "";
}

void ImportCliTest::listsPersons()
{
    QFETCH(QStringList, text);
    QFETCH(int, status);
    QFETCH(QString, listed);
    writeFile(path("in.ged"), family());
    const Run run = runStirpa(QStringList{"--list-persons", path("in.ged")} + text);
    QCOMPARE(run.exitCode, status);
    QCOMPARE(QString::fromUtf8(run.out), listed);
    QCOMPARE(run.err.isEmpty(), status == 0);
}

void ImportCliTest::keepsLivingPersonsPrivate_data()
{
    QTest::addColumn<QString>("living");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("told");

    const QString years = QString::number(QDate::currentDate().year() - 30);
    const QString lena = "Lena Jung |b. " + years + ", Kiel";
    QTest::newRow("show") << "show" << QStringList{"Max Jung |b. 1900 |d. 1980", lena} << "";
    QTest::newRow("name") << "name" << QStringList{"Max Jung |b. 1900 |d. 1980", "Lena Jung"}
                          << ", 1 living person named only";
    QTest::newRow("hide") << "hide" << QStringList{"Max Jung |b. 1900 |d. 1980", "Living"}
                          << ", 1 living person hidden";
}

void ImportCliTest::keepsLivingPersonsPrivate()
{
    QFETCH(QString, living);
    QFETCH(QStringList, boxes);
    QFETCH(QString, told);
    const QByteArray born = QByteArray::number(QDate::currentDate().year() - 30);
    writeFile(path("in.ged"), "0 HEAD\n0 @I1@ INDI\n1 NAME Max /Jung/\n1 BIRT\n2 DATE 1900\n"
                              "1 DEAT\n2 DATE 1980\n1 FAMS @F1@\n"
                              "0 @I2@ INDI\n1 NAME Lena /Jung/\n1 BIRT\n2 DATE " +
                                  born +
                                  "\n2 PLAC Kiel\n1 FAMC @F1@\n"
                                  "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n0 TRLR\n");
    const QString out = path("out.txt");
    const Run run = runStirpa({"--import-gedcom", path("in.ged"), out, "--living", living});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(boxTexts(out), boxes);
    QVERIFY2(run.out.endsWith((" pixels" + told + "\n").toUtf8()), run.out.constData());
}

void ImportCliTest::failsWithoutWriting_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    const QByteArray good = "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n0 TRLR\n";
    QTest::newRow("not a GEDCOM file")
        << QByteArray("hello\n") << QStringList{} << 1 << "not a GEDCOM file";
    QTest::newRow("no persons") << QByteArray("0 HEAD\n0 TRLR\n") << QStringList{} << 1
                                << "holds no persons";
    QTest::newRow("unreadable") << QByteArray() << QStringList{} << 1 << "Cannot open";
    QTest::newRow("generations out of range")
        << good << QStringList{"--descendants", "51"} << 2 << "usage";
    QTest::newRow("both directions missing a number")
        << good << QStringList{"--ancestors"} << 2 << "usage";
    QTest::newRow("living neither show, name nor hide")
        << good << QStringList{"--living", "names"} << 2 << "usage";
    QTest::newRow("hourglass, none up")
        << good << QStringList{"--hourglass", "0", "1"} << 2 << "usage";
    QTest::newRow("hourglass, none down")
        << good << QStringList{"--hourglass", "1", "0"} << 2 << "usage";
    QTest::newRow("hourglass, one too many up")
        << good << QStringList{"--hourglass", "50", "1"} << 2 << "usage";
    QTest::newRow("hourglass, one too many down")
        << good << QStringList{"--hourglass", "1", "50"} << 2 << "usage";
    QTest::newRow("hourglass missing a number")
        << good << QStringList{"--hourglass", "3"} << 2 << "usage";
    QTest::newRow("split into one column") << good << QStringList{"--split", "1"} << 2 << "usage";
    QTest::newRow("split, one column too many")
        << good << QStringList{"--split", "10001"} << 2 << "usage";
    QTest::newRow("split an hourglass")
        << good << QStringList{"--split", "4", "--hourglass", "2", "2"} << 2 << "usage";
}

void ImportCliTest::failsWithoutWriting()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QString in = path("bad.ged");
    QFile::remove(in);
    if (!input.isEmpty())
        writeFile(in, input);
    const QString out = path("never.txt");
    const Run run = runStirpa(QStringList{"--import-gedcom", in, out} + options);
    QCOMPARE(run.exitCode, status);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(!QFile::exists(out));
}

void ImportCliTest::bookExportsWithoutDeadLinks_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("generations");

    QTest::newRow("descendants") << QStringList{"--root", "I1",      "--descendants",
                                                "6",      "--split", "14"}
                                 << 6;
    QTest::newRow("ancestors") << QStringList{"--root", "I1", "--ancestors", "8", "--split", "3"}
                               << 8;
}

void ImportCliTest::bookExportsWithoutDeadLinks()
{
    QFETCH(QStringList, options);
    QFETCH(int, generations);
    const GeneratedFamilies families =
        options.contains("--ancestors")
            ? generatePedigree(generations, 0)
            : generateDescendants({generations, 4, 3, 100000, 3, false});
    QTemporaryDir folder;
    const QString in = folder.filePath("in.ged");
    writeFile(in, QByteArray::fromStdString(families.text));
    const QString out = folder.filePath("family.txt");
    const Run run = runStirpa(QStringList{"--import-gedcom", in, out} + options);
    QCOMPARE(run.exitCode, 0);
    // The branch charts' files, then the line about the book.
    QStringList charts = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    QVERIFY(charts.size() > 2);
    charts.removeLast();
    charts.prepend(out);
    // A page is checked against the pages beside it when it is written: the
    // branches first, each before the chart it branches from.
    for (auto chart = charts.crbegin(); chart != charts.crend(); ++chart) {
        QVERIFY2(QFile::exists(*chart), qPrintable(*chart));
        QString page = *chart;
        page.replace(QRegularExpression("\\.txt$"), ".html");
        const Run exported = runStirpa({"--export-html", *chart, page});
        QCOMPARE(exported.exitCode, 0);
        QVERIFY2(!exported.err.contains("not beside the page"), exported.err.constData());
    }
}

void ImportCliTest::writesDatesInTheInterfaceLanguage()
{
    writeFile(path("de.ged"), "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 TITL Dr.\n1 BIRT\n"
                              "2 DATE ABT 3 MAR 1820\n0 TRLR\n");
    const QString out = path("de.txt");
    const Run run = runStirpa({"--lang", "de", "--import-gedcom", path("de.ged"), out, "--titles"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(boxTexts(out), QStringList{"Dr. Ann Lee |geb. um 3. M\u00e4rz 1820"});
}

void ImportCliTest::keepsHostileTextAsData_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("characterSet");
    QTest::newRow("NUL") << QByteArray("Ann\0Eve", 7) << QByteArray("UTF-8");
    QTest::newRow("escape, bell") << QByteArray("Ann\x1b[2J\x07") << QByteArray("UTF-8");
    QTest::newRow("a window title") << QByteArray("Ann\x1b]0;pwned\x07") << QByteArray("ANSI");
    QTest::newRow("DEL") << QByteArray("Ann\x7f Eve") << QByteArray("UTF-8");
    QTest::newRow("C1 in UTF-8") << QByteArray("Ann\xc2\x9b-2J\xc2\x85") << QByteArray("UTF-8");
    QTest::newRow("C1 in ANSI") << QByteArray("Ann\x9b-2J\x81\x85") << QByteArray("ANSI");
    QTest::newRow("end of script") << QByteArray("Ann</script><!--") << QByteArray("UTF-8");
    QTest::newRow("markup") << QByteArray("<img src=x onerror=alert(9)>") << QByteArray("UTF-8");
}

// Names and file names from outside stay data in every output: the chart's
// lines whole, no control character printed, the SVG well-formed, the page's
// markup its own.
void ImportCliTest::keepsHostileTextAsData()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, characterSet);
    const QByteArray family = "0 HEAD\n1 CHAR " + characterSet + "\n0 @I1@ INDI\n1 NAME " + name +
                              " /Lee/\n1 FAMS @F1@\n0 @I2@ INDI\n1 NAME Bo /Lee/\n1 FAMC @F1@\n" +
                              "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n0 TRLR\n";
    const QString hostile = QString::fromUtf8(name).remove(QChar(0)).replace('/', '-');
    const QString gedcom = path("f") + hostile + ".ged", chart = path("c") + hostile + ".txt";
    const QString page = "h-<img src=x onerror=alert(9)>" + hostile + ".html";
    writeFile(gedcom, family);
    writeFile(path("later.ged"),
              QByteArray(family).replace("@F1@\n0 @I2", "@F1@\n1 BIRT\n2 DATE 1900\n0 @I2"));
    writeFile(path("stirpa_full.html"), "<title>\nFILENAME\n</title>\nTREE\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QByteArray printed;
    for (const QStringList& command :
         {QStringList{"--import-gedcom", gedcom, chart},
          {"--list-persons", gedcom},
          {"--update-gedcom", chart, path("later.ged"), path("later.txt")},
          {"--save-as", chart, path("saved.txt")},
          {"--render", chart, path("chart.svg")},
          {"--render", chart, path("chart.pdf")},
          {"--export-html", chart, page, "--complete-page"}}) {
        const Run run = runIn(folder_.path(), QStringLiteral(STIRPA_EXE), command, environment);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        printed += run.out + run.err;
    }
    const QRegularExpression control("[\\x00-\\x08\\x0b-\\x1f\\x7f-\\x9f]");
    QVERIFY2(!QString::fromUtf8(printed).contains(control), printed.constData());
    const auto boxes = [](const QString& file) {
        const ChartLoad load = readChartFile(file.toLocal8Bit().toStdString(), {});
        const Tree& tree = load.chart.tree();
        QStringList lines;
        tree.forEachPerson([&](const Person* box) {
            const RecordLink* record = tree.records().find(box);
            lines << QString::fromStdString(box->text + (record ? record->xref : "none"))
                  << QString::number(box->downLink());
        });
        return lines;
    };
    const QStringList imported = boxes(chart);
    QCOMPARE(imported.size(), 4);
    QVERIFY2(imported[0].endsWith("I1") && imported[1] != "0", qPrintable(imported.join('|')));
    QVERIFY(!imported.join(' ').contains(control));
    QCOMPARE(boxes(path("saved.txt")), imported);
    QXmlStreamReader svg(readAll(path("chart.svg")));
    while (!svg.atEnd())
        svg.readNext();
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    const QByteArray html = readAll(folder_.filePath(page));
    QVERIFY(html.contains("&lt;img src=x") && !html.contains("<img src=x"));
    QVERIFY(!html.contains("</script>"));
}

QTEST_GUILESS_MAIN(ImportCliTest)
#include "import_cli_test.moc"
