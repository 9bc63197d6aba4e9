// SPDX-License-Identifier: GPL-3.0-or-later
// stirpa --import-gedcom run as the program itself: the chart it writes, and on
// every error exit status 1 (2 for a wrong call) with nothing written.
#include "chartfile/chart_reader.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray err;
};

Run runStirpa(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(STIRPA_EXE), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.err = process.readAllStandardError();
    return run;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class ImportCliTest : public QObject {
    Q_OBJECT
private slots:
    void writesTheChart_data();
    void writesTheChart();
    void failsWithoutWriting_data();
    void failsWithoutWriting();

private:
    QTemporaryDir folder_;
};

void ImportCliTest::writesTheChart_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("boxes");

    // Adam and Eva; their sons Cain and Abel; Cain's son Enoch.
    QTest::newRow("defaults") << QStringList{} << 5;
    QTest::newRow("one generation") << QStringList{"--descendants", "1"} << 3;
    QTest::newRow("ancestors of a grandchild")
        << QStringList{"--root", "@I5@", "--ancestors", "3"} << 4;
    QTest::newRow("root without at signs") << QStringList{"--root", "I3", "--ancestors", "2"} << 3;
}

void ImportCliTest::writesTheChart()
{
    QFETCH(QStringList, options);
    QFETCH(int, boxes);
    const QString in = folder_.filePath(QStringLiteral("in.ged"));
    writeFile(in, "0 HEAD\n"
                  "0 @I1@ INDI\n1 NAME Adam /Root/\n1 FAMS @F1@\n"
                  "0 @I2@ INDI\n1 NAME Eva /Wife/\n1 FAMS @F1@\n"
                  "0 @I3@ INDI\n1 NAME Cain /Root/\n1 FAMC @F1@\n1 FAMS @F2@\n"
                  "0 @I4@ INDI\n1 NAME Abel /Root/\n1 FAMC @F1@\n"
                  "0 @I5@ INDI\n1 NAME Enoch /Root/\n1 FAMC @F2@\n"
                  "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
                  "0 @F2@ FAM\n1 HUSB @I3@\n1 CHIL @I5@\n0 TRLR\n");
    const QString out = folder_.filePath(QStringLiteral("out.txt"));
    QFile::remove(out);
    const Run run = runStirpa(QStringList{"--import-gedcom", in, out} + options);
    QCOMPARE(run.exitCode, 0);
    const ChartLoad load = readChartFile(out.toLocal8Bit().toStdString(), TreeSettings());
    QVERIFY(load);
    QCOMPARE(int(load.chart.tree().size()), boxes);
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
    QTest::newRow("unknown root") << good << QStringList{"--root", "@I9@"} << 1
                                  << "has no person @I9@";
    QTest::newRow("character set") << QByteArray("0 HEAD\n1 CHAR MACINTOSH\n") << QStringList{} << 1
                                   << "MACINTOSH cannot be read";
    QTest::newRow("no persons") << QByteArray("0 HEAD\n0 TRLR\n") << QStringList{} << 1
                                << "holds no persons";
    QTest::newRow("unreadable") << QByteArray() << QStringList{} << 1 << "Cannot open";
    QTest::newRow("generations out of range")
        << good << QStringList{"--descendants", "51"} << 2 << "usage";
    QTest::newRow("both directions missing a number")
        << good << QStringList{"--ancestors"} << 2 << "usage";
}

void ImportCliTest::failsWithoutWriting()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QString in = folder_.filePath(QStringLiteral("bad.ged"));
    QFile::remove(in);
    if (!input.isEmpty())
        writeFile(in, input);
    const QString out = folder_.filePath(QStringLiteral("never.txt"));
    const Run run = runStirpa(QStringList{"--import-gedcom", in, out} + options);
    QCOMPARE(run.exitCode, status);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(ImportCliTest)
#include "import_cli_test.moc"
