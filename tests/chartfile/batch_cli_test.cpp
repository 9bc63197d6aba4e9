// SPDX-License-Identifier: GPL-3.0-or-later
// The batch commands, run as the program itself in a temporary working folder.
#include "chart_fixtures.h"
#include "files/atomic_file.h"
#include "program_run.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Run runStirpa(const QString& folder, const QStringList& arguments)
{
    return runIn(folder, QStringLiteral(STIRPA_EXE), arguments);
}

QStringList entriesOf(const QString& folder)
{
    // System: a FIFO left by a test is listed, and removed, too.
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray dataFile(const char* name)
{
    return readWholeFile(QString(STIRPA_TEST_DATA "/") + name);
}

} // namespace

class BatchCliTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(work_.isValid());
        for (const QString& entry : entriesOf(work_.path()))
            QVERIFY(QFileInfo(work_.filePath(entry)).isDir()
                        ? QDir(work_.filePath(entry)).removeRecursively()
                        : QFile::remove(work_.filePath(entry)));
        // Written with CR LF line ends, as an editor elsewhere may have saved it.
        QVERIFY(writeWholeFile(work_.filePath("family.txt"),
                               dataFile("family.txt").replace("\n", "\r\n")));
    }

    void logTreeWritesOpenLineAndDump()
    {
        const Run run = runStirpa(work_.path(), {"--log-tree", "family.txt"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(readWholeFile(work_.filePath("stirpalog.txt")), dataFile("family_log.txt"));
        QCOMPARE(entriesOf(work_.path()), (QStringList{"family.txt", "stirpalog.txt"}));
    }

    void logTreeNamesThePathAsGiven()
    {
        QVERIFY(QDir(work_.path()).mkdir("charts"));
        QVERIFY(QFile::rename(work_.filePath("family.txt"), work_.filePath("charts/tree1.txt")));
        const QString path = work_.filePath("charts/tree1.txt");
        QVERIFY(writeWholeFile(work_.filePath("stirpalog.txt"), "an earlier run\n"));
        const Run run = runStirpa(work_.path(), {"--log-tree", path});
        QCOMPARE(run.exitCode, 0);
        const QByteArray log = readWholeFile(work_.filePath("stirpalog.txt"));
        QVERIFY(log.startsWith("Infile " + path.toLocal8Bit() + " opened\n\nTree: tree1\n"));
        QVERIFY(log.endsWith("  Extent: 275j130\n"));
    }

    void logTreeOfMissingChart()
    {
        const Run run = runStirpa(work_.path(), {"--log-tree", "absent.txt"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("absent.txt"));
        QCOMPARE(readWholeFile(work_.filePath("stirpalog.txt")),
                 QByteArray("Infile absent.txt cannot open\n"));
    }

    void logTreeOfInvalidChart()
    {
        QVERIFY(writeWholeFile(work_.filePath("bad.txt"), "P 0j0 1:a 0j0 0\n 7 oops\n"));
        const Run run = runStirpa(work_.path(), {"--log-tree", "bad.txt"});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, QByteArray("Invalid record detected in file 'bad':\n 7 oops\n"));
        QCOMPARE(readWholeFile(work_.filePath("stirpalog.txt")),
                 QByteArray("Infile bad.txt opened\n"));
    }

    // A link in the log's place would have its target truncated; a FIFO could
    // block the program.
    void logIsNeverWrittenThroughLinkOrFifo_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("symbolic link")
            << false
            << QByteArray("stirpa: not writing the log: stirpalog.txt is a symbolic link\n");
        QTest::newRow("FIFO with a reader")
            << true
            << QByteArray("stirpa: not writing the log: stirpalog.txt is not a regular file\n");
    }
    void logIsNeverWrittenThroughLinkOrFifo()
    {
        QFETCH(bool, fifo);
        const QString log = work_.filePath("stirpalog.txt");
        const QString victim = work_.filePath("victim.txt");
        int reader = -1;
        if (fifo) {
            QCOMPARE(::mkfifo(log.toLocal8Bit().constData(), 0644), 0);
            reader = ::open(log.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
            QVERIFY(reader >= 0);
        } else {
            QVERIFY(writeWholeFile(victim, "keep me\n"));
            QVERIFY(QFile::link(victim, log));
        }
        const Run run = runStirpa(work_.path(), {"--log-tree", "family.txt"});
        char byte = 0;
        const ssize_t got = reader >= 0 ? ::read(reader, &byte, 1) : 0;
        if (reader >= 0)
            ::close(reader);
        QCOMPARE(got, ssize_t(0));
        if (!fifo)
            QCOMPARE(readWholeFile(victim), QByteArray("keep me\n"));
        QCOMPARE(run.exitCode, 0);
        QTEST(run.err, "err");
    }

    void saveAsKeepsTheSampleByteForByte()
    {
        const QByteArray sample = readWholeFile(STIRPA_SOURCE_DIR "/resources/sample.txt");
        QVERIFY(writeWholeFile(work_.filePath("sample.txt"), sample));
        const Run run = runStirpa(work_.path(), {"--save-as", "sample.txt", "copy.txt"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(readWholeFile(work_.filePath("copy.txt")), sample);
    }

    void saveAsWritesTheChartFormat()
    {
        // CR LF line ends, an empty line and an out-of-table direction come out clean.
        QVERIFY(writeWholeFile(work_.filePath("saved.txt"), "Stirpa 120j50 0j0\n")); // an older chart
        const Run run = runStirpa(work_.path(), {"--save-as", "family.txt", "saved.txt"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readWholeFile(work_.filePath("saved.txt")), dataFile("family_saved.txt"));
        QVERIFY(!entriesOf(work_.path()).contains("stirpalog.txt"));
        QCOMPARE(entriesOf(work_.path()), (QStringList{"family.txt", "saved.txt"}));
    }

    void saveAsIntoMissingFolderFails()
    {
        const Run run = runStirpa(work_.path(), {"--save-as", "family.txt", "missing/out.txt"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("missing"));
        QCOMPARE(entriesOf(work_.path()), QStringList{"family.txt"});
    }

    void saveAsOfInvalidChartWritesNothing()
    {
        QVERIFY(writeWholeFile(work_.filePath("bad.txt"), "Stirpa 0j0 0j0\n"));
        const QByteArray kept = "Stirpa 100j40 0j0\n";
        QVERIFY(writeWholeFile(work_.filePath("out.txt"), kept));
        Run run = runStirpa(work_.path(), {"--save-as", "bad.txt", "out.txt"});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, QByteArray("Invalid record detected in file 'bad':\nStirpa 0j0 0j0\n"));
        run = runStirpa(work_.path(), {"--save-as", "absent.txt", "out.txt"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(readWholeFile(work_.filePath("out.txt")), kept);
    }

    // A save survives a power cut only when the temporary reaches the disk
    // before the rename, and the rename itself (the folder) after it.
    void outputIsSyncedAroundTheRename_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("output");
        QTest::newRow("save-as") << "--save-as"
                                 << "out.txt";
        QTest::newRow("export-html") << "--export-html"
                                     << "out.html";
    }
    void outputIsSyncedAroundTheRename()
    {
        QFETCH(QString, command);
        QFETCH(QString, output);
        const QString strace = QStandardPaths::findExecutable("strace");
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        const QString trace = work_.filePath("trace.txt");
        const Run run =
            runIn(work_.path(), strace,
                  {"-f", "-y", "-o", trace, "-e", "trace=fsync,fdatasync,rename,renameat,renameat2",
                   STIRPA_EXE, command, "family.txt", output});
        if (run.exitCode != 0 && run.err.contains("ptrace"))
            QSKIP("strace cannot trace here");
        QCOMPARE(run.exitCode, 0);

        // Each line: pid, call(arguments) = result; -y shows the path behind a descriptor.
        const QStringList lines = QString::fromLocal8Bit(readWholeFile(trace)).split('\n');
        const QString name = QRegularExpression::escape(output);
        const QString temporary = name + QRegularExpression::escape(temporaryMark) + "\\w{6}";
        const QString folder =
            QRegularExpression::escape(QFileInfo(work_.path()).canonicalFilePath());
        const QString synced = "\\d+ +f(data)?sync\\(\\d+<%1>\\) += 0";
        const qsizetype temporarySynced =
            lines.indexOf(QRegularExpression(synced.arg(folder + "/" + temporary)));
        const qsizetype renamed = lines.indexOf(QRegularExpression(
            "\\d+ +rename\\w*\\(.*\"(.*/)?" + temporary + "\", .*\"(.*/)?" + name + "\"\\) += 0"));
        const qsizetype folderSynced =
            lines.indexOf(QRegularExpression(synced.arg(folder)), renamed + 1);
        QVERIFY2(temporarySynced >= 0 && renamed > temporarySynced && folderSynced > renamed,
                 qPrintable(lines.join('\n')));
    }

    void helpAndVersion()
    {
        Run run = runStirpa(work_.path(), {"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("--log-tree CHART"));
        QVERIFY(run.out.contains("--save-as CHART OUT"));
        QCOMPARE(run.err, QByteArray());
        run = runStirpa(work_.path(), {"--version"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("Stirpa "));
        QCOMPARE(entriesOf(work_.path()), QStringList{"family.txt"});
    }

    void wrongArgumentsAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::newRow("log-tree without chart")
            << QStringList{"--log-tree"} << QByteArray("usage: stirpa --log-tree CHART");
        QTest::newRow("log-tree with two charts")
            << QStringList{"--log-tree", "family.txt", "x.txt"}
            << QByteArray("usage: stirpa --log-tree CHART");
        QTest::newRow("save-as without output") << QStringList{"--save-as", "family.txt"}
                                                << QByteArray("usage: stirpa --save-as CHART OUT [--replace]");
        QTest::newRow("unknown option") << QStringList{"--frobnicate", "family.txt"}
                                        << QByteArray("stirpa: unknown option '--frobnicate'");
        QTest::newRow("unknown short option")
            << QStringList{"-v"} << QByteArray("stirpa: unknown option '-v'");
    }
    void wrongArgumentsAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, firstLine);
        const Run run = runStirpa(work_.path(), arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err.left(run.err.indexOf('\n')), firstLine);
        QVERIFY(run.err.toLower().contains("usage: stirpa"));
        QCOMPARE(entriesOf(work_.path()), QStringList{"family.txt"});
    }

    // A batch command run from a bare shell (no display, no runtime folder)
    // prints nothing but its own messages: here, none.
    void batchCommandsPrintNothingStray_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("render PNG") << QStringList{"--render", "family.txt", "out.png"};
        QTest::newRow("render SVG") << QStringList{"--render", "family.txt", "out.svg"};
        QTest::newRow("render PDF pages")
            << QStringList{"--render", "family.txt", "out.pdf", "--pages", "wide=1"};
        QTest::newRow("log tree") << QStringList{"--log-tree", "family.txt"};
        QTest::newRow("save as") << QStringList{"--save-as", "family.txt", "out.txt"};
    }
    void batchCommandsPrintNothingStray()
    {
        QFETCH(QStringList, arguments);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
            environment.remove(name);
        const Run run = runIn(work_.path(), STIRPA_EXE, arguments, environment);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, QByteArray());
    }

    // Qt would abort the editor; it says why instead, before it writes its log.
    void editorWithoutDisplayIsRefused_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("err");
        const QByteArray none = "stirpa: no display to open the editor on (set DISPLAY or "
                                "WAYLAND_DISPLAY, or use --help for the batch commands)\n";
        QTest::newRow("no display") << QString() << QStringList{} << none;
        QTest::newRow("no display, with a chart") << QString() << QStringList{"family.txt"} << none;
        QTest::newRow("a display that is not there")
            << ":7391" << QStringList{"family.txt"}
            << QByteArray("stirpa: cannot open display ':7391' for the editor (use --help for the "
                          "batch commands)\n");
    }
    void editorWithoutDisplayIsRefused()
    {
        QFETCH(QString, display);
        QFETCH(QStringList, arguments);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        if (!display.isEmpty())
            environment.insert("DISPLAY", display);
        const Run run = runIn(work_.path(), STIRPA_EXE, arguments, environment);
        QCOMPARE(run.exitCode, 1);
        QTEST(run.err, "err");
        QCOMPARE(entriesOf(work_.path()), QStringList{"family.txt"});
    }

private:
    QTemporaryDir work_;
};

QTEST_GUILESS_MAIN(BatchCliTest)
#include "batch_cli_test.moc"
