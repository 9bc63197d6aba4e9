// SPDX-License-Identifier: GPL-3.0-or-later
// stirpa --relate run as the program itself on the Hartmann family: the
// sentence and the line in both languages, and exit status 1 (2 for a wrong
// call) with a message for every person it cannot tell.
#include "program_run.h"

#include <QtTest>

class RelateCliTest : public QObject {
    Q_OBJECT
private slots:
    void relate_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString file = QStringLiteral(STIRPA_TEST_DATA "/gedcom/hartmann.ged");
        const auto row = [&](const char* name, QStringList arguments, int exitCode, const char* out,
                             const char* err = "") {
            arguments.replaceInStrings(QStringLiteral("FILE"), file);
            QTest::newRow(name) << arguments << exitCode << QString::fromUtf8(out)
                                << QString::fromUtf8(err);
        };
        row("great-grandson, with the line", {"--relate", "FILE", "I15", "I1"}, 0,
            "Otto Hartmann is the great-grandson of Johann Georg Hartmann\n"
            "  Otto Hartmann (I15, 1902–1975)\n"
            "  Karl Friedrich Hartmann (I9, 1875–1944)\n"
            "  Friedrich Hartmann (I4, 1848–1920)\n"
            "  Johann Georg Hartmann (I1, 1822–1889)\n");
        row("German", {"--lang", "de", "--relate", "FILE", "I15", "I1"}, 0,
            "Otto Hartmann ist der Urenkel von Johann Georg Hartmann\n");
        row("a couple on one line", {"--relate", "FILE", "Karl Friedrich", "I13"}, 0,
            "Karl Friedrich Hartmann is the first cousin of Hermann Hartmann\n"
            "  Karl Friedrich Hartmann (I9, 1875–1944)\n"
            "  Friedrich Hartmann (I4, 1848–1920)\n"
            "  Johann Georg Hartmann (I1, 1822–1889) and Anna Maria Keller (I2, 1825–1856)\n");
        row("the second wife's daughter", {"--relate", "FILE", "Luise", "I9"}, 0,
            "Luise Hartmann is the half-aunt of Karl Friedrich Hartmann\n");
        row("by marriage", {"--relate", "FILE", "Ernst", "I4"}, 0,
            "Ernst Vogel is the husband of a daughter of Friedrich Hartmann\n"
            "  Ernst Vogel (I17, 1874–1939)\n"
            "  Emma Hartmann (I10, 1877–1960)\n");
        row("not related", {"--relate", "FILE", "I3", "I8"}, 0,
            "Christiane Bauer is not related to Sophie Weiß\n");
        row("several named", {"--relate", "FILE", "Hartmann", "I1"}, 1, "",
            "has 11 persons named \"Hartmann\"; give one's id:\nI10\tEmma Hartmann\t1877–1960\n");
        row("no one named", {"--relate", "FILE", "I1", "Nobody"}, 1, "",
            "has no person with the id or name \"Nobody\"");
        row("the same person", {"--relate", "FILE", "I1", "Johann"}, 1, "",
            "\"I1\" and \"Johann\" are the same person, Johann Georg Hartmann (I1, 1822–1889)");
        row("an empty name", {"--relate", "FILE", "", "I1"}, 2, "", "usage: stirpa --relate");
        row("one person", {"--relate", "FILE", "I1"}, 2, "", "usage: stirpa --relate FILE.ged A B");
        row("no file", {"--relate", "/nonexistent/x.ged", "I1", "I2"}, 1, "", "/nonexistent/x.ged");
    }
    void relate()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = runIn(QString(), QStringLiteral(STIRPA_EXE), arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.startsWith(out.toUtf8()), run.out);
        QVERIFY2(QString::fromUtf8(run.err).contains(err), run.err);
        QCOMPARE(run.out.isEmpty(), exitCode != 0);
    }
};

QTEST_GUILESS_MAIN(RelateCliTest)
#include "relate_cli_test.moc"
