// SPDX-License-Identifier: GPL-3.0-or-later
// stirpa --update-gedcom run as the program itself: the report on standard
// output, the chart written (over itself too), a second update changing
// nothing, and on every error status 1 with nothing written.
#include "program_run.h"
#include "test_files.h"

#include "files/folder_lock.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <unistd.h>

namespace {

Run runStirpa(const QStringList& arguments)
{
    return runIn(QString(), QStringLiteral(STIRPA_EXE), arguments);
}

// Adam and Eva with their sons Cain and Abel; Cain's son Enoch.
const QByteArray family = "0 HEAD\n"
                          "0 @I1@ INDI\n1 NAME Adam /Root/\n1 FAMS @F1@\n"
                          "0 @I2@ INDI\n1 NAME Eva /Wife/\n1 FAMS @F1@\n"
                          "0 @I3@ INDI\n1 NAME Cain /Root/\n1 FAMC @F1@\n1 FAMS @F2@\n"
                          "0 @I4@ INDI\n1 NAME Abel /Root/\n1 FAMC @F1@\n"
                          "0 @I5@ INDI\n1 NAME Enoch /Root/\n1 FAMC @F2@\n"
                          "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
                          "0 @F2@ FAM\n1 HUSB @I3@\n1 CHIL @I5@\n0 TRLR\n";

QStringList writingCommands()
{
    return {"--import-gedcom", "--update-gedcom", "--link-gedcom", "--save-as",
            "--export-html",   "--export-web",    "--render"};
}

} // namespace

class UpdateCliTest : public QObject {
    Q_OBJECT
private slots:
    void updatesInPlace()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString gedcom = dir.filePath("family.ged"), chart = dir.filePath("chart.txt");
        writeFile(gedcom, family);
        QCOMPARE(runStirpa({"--import-gedcom", gedcom, chart, "--root", "I1"}).exitCode, 0);
        QVERIFY(readAll(chart).contains(" gedcom 10:family.ged 2:I1 d4 p-s f"));

        QByteArray changed = family;
        changed.replace("Abel /Root/", "Abel /Roots/");
        changed.replace("1 CHIL @I5@\n", "1 CHIL @I5@\n1 CHIL @I6@\n");
        changed.replace("0 TRLR", "0 @I6@ INDI\n1 NAME Irad /Root/\n1 FAMC @F2@\n0 TRLR");
        writeFile(gedcom, changed);
        const Run run = runStirpa({"--update-gedcom", chart, gedcom, chart});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        QVERIFY2(run.out.contains("New text: 1\n  Abel Roots (I4) at column "),
                 run.out.constData());
        QVERIFY2(run.out.contains("New persons: 1\n  Irad Root (I6) at column "),
                 run.out.constData());
        const QByteArray updated = readAll(chart);
        QVERIFY(updated.contains(":Irad Root"));
        QVERIFY(updated.contains(":Abel Roots"));

        const Run again = runStirpa({"--update-gedcom", chart, gedcom, chart});
        QCOMPARE(again.exitCode, 0);
        QVERIFY2(again.out.endsWith("\nNo changes.\n"), again.out.constData());
        QCOMPARE(readAll(chart), updated);
    }

    // A family file with the bytes the chart last took in is not read again:
    // the update changes nothing, even where the chart lost a box since.
    void unchangedFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("familyAfter");
        QTest::addColumn<bool>("toTheChart");
        QTest::addColumn<QByteArray>("report");
        QTest::newRow("same bytes, in place") << family << true << QByteArray("No changes.\n");
        QTest::newRow("same bytes, to another file")
            << family << false << QByteArray("No changes.\n");
        QTest::newRow("a blank line more")
            << family + "\n"
            << true << QByteArray("New persons: 1\n  Enoch Root (I5)");
    }
    void unchangedFileChangesNothing()
    {
        QFETCH(QByteArray, familyAfter);
        QFETCH(bool, toTheChart);
        QFETCH(QByteArray, report);
        QTemporaryDir dir;
        const QString gedcom = dir.filePath("family.ged"), chart = dir.filePath("chart.txt");
        writeFile(gedcom, family);
        QCOMPARE(runStirpa({"--import-gedcom", gedcom, chart, "--root", "I1"}).exitCode, 0);
        // Enoch's box removed by hand.
        QList<QByteArray> lines = readAll(chart).split('\n');
        lines.removeIf([](const QByteArray& line) { return line.contains(":Enoch Root"); });
        const QByteArray edited = lines.join('\n');
        writeFile(chart, edited);
        writeFile(gedcom, familyAfter);

        const QString out = toTheChart ? chart : dir.filePath("out.txt");
        const Run run = runStirpa({"--update-gedcom", chart, gedcom, out});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains("\n" + report), run.out.constData());
        if (report.startsWith("No changes"))
            QCOMPARE(readAll(out), edited);
        else
            QVERIFY(readAll(out).contains(":Enoch Root"));
    }

    void failsWithoutWriting_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QByteArray>("gedcom");
        QTest::addColumn<QByteArray>("reason");
        const QByteArray linked = "Stirpa 120j50 50j200 d1 1 gedcom 10:family.ged 2:I1 d4 p-s\n"
                                  "P 0j0 9:Adam Root 20j20 0 r2:I1 00000000\n";
        QTest::newRow("chart not linked")
            << QByteArray("P 0j0 9:Adam Root 0j0 0\n") << family << QByteArray("not linked");
        QTest::newRow("not a GEDCOM file")
            << linked << QByteArray("P 0j0 1:A 0j0 0\n") << QByteArray("not a GEDCOM file");
        QTest::newRow("NUL bytes")
            << linked << QByteArray(64, '\0') << QByteArray("not a GEDCOM file");
        QTest::newRow("root gone")
            << linked + "P 0j1 9:Cain Root 20j20 0 r2:I3 00000000\n"
            << QByteArray("0 HEAD\n0 @I3@ INDI\n1 NAME Cain /Root/\n0 TRLR\n")
            << QByteArray("no person I1");
        QTest::newRow("another family") << linked << QByteArray(family).replace("Adam", "Seth")
                                        << QByteArray("family.ged does not hold this chart's "
                                                      "family: 0 of 1 persons found\n");
        QTest::newRow("invalid chart") << QByteArray("X\n") << family << QByteArray("Invalid");
        QTest::newRow("no chart") << QByteArray() << family << QByteArray("chart.txt");
        QTest::newRow("no family file") << linked << QByteArray() << QByteArray("family.ged");
    }
    void failsWithoutWriting()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QByteArray, gedcom);
        QFETCH(QByteArray, reason);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        if (!chart.isNull())
            writeFile(dir.filePath("chart.txt"), chart);
        if (!gedcom.isNull())
            writeFile(dir.filePath("family.ged"), gedcom);
        const Run run = runStirpa({"--update-gedcom", dir.filePath("chart.txt"),
                                   dir.filePath("family.ged"), dir.filePath("out.txt")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(reason), run.err.constData());
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath("out.txt")));
    }

    // A chart typed by hand, linked and then updated.
    void linksAHandTypedChart()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString gedcom = dir.filePath("family.ged"), chart = dir.filePath("chart.txt");
        writeFile(gedcom, family);
        writeFile(chart, "P 3j2 9:Adam Root 0j20 0\nP 3j3 9:Cain Root 20j0 0\n"
                         "P 4j3 9:Abel Root 0j0 0\nP 6j6 5:Notes 0j0 0\n");
        const Run linked = runStirpa({"--link-gedcom", chart, gedcom, chart});
        QCOMPARE(linked.exitCode, 0);
        QVERIFY2(linked.out.contains(": 3 of 4 boxes linked to "), linked.out.constData());
        QVERIFY2(linked.out.contains("; Adam Root (I1), descendants, 2 generations\n"
                                     "Not linked: 1\n  Notes at column 7, generation 7\n"),
                 linked.out.constData());
        const Run updated = runStirpa({"--update-gedcom", chart, gedcom, chart});
        QCOMPARE(updated.exitCode, 0);
        QVERIFY2(
            updated.out.contains("New persons: 1\n  Eva Wife (I2) at column 5, generation 3\n"),
            updated.out.constData());
    }

    void wrongCall_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("two paths") << QStringList({"--update-gedcom", "a.txt", "b.ged"});
        QTest::newRow("four paths")
            << QStringList({"--update-gedcom", "a.txt", "b.ged", "c.txt", "d.txt"});
        QTest::newRow("link, generations 0")
            << QStringList({"--link-gedcom", "a.txt", "b.ged", "c.txt", "--descendants", "0"});
        QTest::newRow("link, generations 51")
            << QStringList({"--link-gedcom", "a.txt", "b.ged", "c.txt", "--ancestors", "51"});
    }
    void wrongCall()
    {
        QFETCH(QStringList, arguments);
        const Run run = runStirpa(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("usage: stirpa " + arguments[0].toUtf8() + " CHART FILE.ged OUT"));
    }
    // Every command that writes, with --replace or not, given as OUT by any name
    // a file it must not replace: the family file, a chart typed by hand (strict
    // or loose), the chart read, someone else's file. A chart written over its
    // chart by another name keeps the family file's path right.
    void neverReplacesTheUsersFiles_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("refusedBy"); // the others write
        QTest::addColumn<bool>("replaceable");      // by a chart command given --replace
        const QStringList exports{"--export-html", "--export-web", "--render"};
        const QStringList charts{"--import-gedcom", "--update-gedcom", "--link-gedcom",
                                 "--save-as"};
        for (const QString name : {"%1", "./%1", "hard-%1", "other/link-%1", "/proc/self/fd/3"}) {
            for (const auto& [file, refusedBy, replaceable] :
                 {std::tuple{"family.ged", charts + exports, false}, {"typed.txt", exports, false},
                  {"loose.txt", charts + exports, true}, {"chart.txt", exports, false},
                  {"notes.txt", charts, true}})
                QTest::addRow("%s as %s", file, qPrintable(name))
                    << (name.contains("%1") ? name.arg(file) : name) << file << refusedBy
                    << replaceable;
        }
    }

    void neverReplacesTheUsersFiles()
    {
        QFETCH(QString, out);
        QFETCH(QString, file);
        QFETCH(QStringList, refusedBy);
        QFETCH(bool, replaceable);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString gedcom = dir.filePath("family.ged"), chart = dir.filePath("chart.txt");
        writeFile(gedcom, family);
        QCOMPARE(runStirpa({"--import-gedcom", gedcom, chart}).exitCode, 0);
        const QByteArray chartBytes = readAll(chart);
        const QString target = dir.filePath(file);
        for (const QString& command : writingCommands()) {
            for (const bool replace : {false, true}) {
                if (replace && !command.endsWith("gedcom") && command != "--save-as")
                    continue; // no --replace to give
                const bool refused = refusedBy.contains(command) && !(replace && replaceable);
                if (command == "--render" && !refused)
                    continue; // no picture format is named .txt
                for (const auto& [name, bytes] : {std::pair{"chart.txt", chartBytes},
                                                  {"typed.txt", "P 3j2 9:Adam Root 0j20 0\n"},
                                                  {"loose.txt", "\nP 3j2 9:Adam Root\n"},
                                                  {"notes.txt", "years of work\n"}})
                    writeFile(dir.filePath(name), bytes);
                const QByteArray before = readAll(target);
                const QStringList inputs = command == "--import-gedcom" ? QStringList{gedcom}
                                           : command.endsWith("gedcom") ? QStringList{chart, gedcom}
                                                                        : QStringList{chart};
                const QStringList arguments = QStringList{command} + inputs + QStringList{out} +
                                              (replace ? QStringList{"--replace"} : QStringList{});
                // Its other names, made afresh; descriptor 3 for /proc/self/fd/3.
                const QString names = QString("mkdir -p other && ln -f %1 hard-%1 && ln -sf ../%1 "
                                              "other/link-%1 && exec \"$0\" \"$@\" 3<%1")
                                          .arg(file);
                const Run run =
                    runIn(dir.path(), "/bin/sh", QStringList{"-c", names, STIRPA_EXE} + arguments);
                const QString call = arguments.join(' ') + ": " + run.err;
                QVERIFY2(run.exitCode == (refused ? 1 : 0), qPrintable(call));
                QVERIFY2(!refused ||
                             (run.err.startsWith("Cannot write '" + QFile::encodeName(out)) &&
                              readAll(target) == before),
                         qPrintable(call));
                QCOMPARE(readAll(gedcom), family);
                if (file == "chart.txt" && !refused)
                    QVERIFY2(readAll(chart).contains(" gedcom 10:family.ged "), qPrintable(call));
            }
        }
    }

    // Two updates of one chart at once: the second waits for the first and
    // reads what it wrote, so neither's work is lost.
    void secondUpdateReadsTheFirsts()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString gedcom = dir.filePath("family.ged"), chart = dir.filePath("chart.txt");
        writeFile(gedcom, family);
        QCOMPARE(runStirpa({"--import-gedcom", gedcom, chart}).exitCode, 0);
        QByteArray changed = family;
        changed.replace("Abel /Root/", "Abel /Roots/");
        writeFile(gedcom, changed);

        std::optional<FolderLock> first(std::in_place, std::vector<std::string>{chart.toStdString()});
        QVERIFY(first->acquired());
        QProcess second;
        second.start(QStringLiteral(STIRPA_EXE), {"--update-gedcom", chart, gedcom, chart});
        second.setReadChannel(QProcess::StandardError);
        QVERIFY(second.waitForReadyRead(20000));
        QVERIFY(second.readAllStandardError().startsWith("Waiting for another Stirpa"));
        QCOMPARE(second.state(), QProcess::Running);
        // What the first writes meanwhile: a box typed by hand.
        writeFile(chart, readAll(chart) + "P 0j9 15:Typed meanwhile 0j0 0\n");
        first.reset();
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 0);
        const QByteArray updated = readAll(chart);
        QVERIFY2(updated.contains(":Typed meanwhile"), updated.constData());
        QVERIFY(updated.contains(":Abel Roots"));
    }
};

QTEST_APPLESS_MAIN(UpdateCliTest)
#include "update_cli_test.moc"
