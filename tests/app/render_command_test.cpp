// SPDX-License-Identifier: GPL-3.0-or-later
// --render with and without --pages: the exit status and the PDF's pages.
#include "app/command/batch.h"
#include "app/render/gui_batch.h"

#include "test_files.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

namespace {

const std::string sampleChart = STIRPA_SOURCE_DIR "/resources/sample.txt";

int pdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

class RenderCommandTest : public QObject {
    Q_OBJECT
private slots:
    void pagesOption_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("pages"); // 0: no file
        QTest::newRow("one page the chart's size") << "out.pdf" << QStringList{} << 0 << 1;
        QTest::newRow("actual size on A4")
            << "out.pdf" << QStringList{"--pages", "scale=100"} << 0 << 2;
        QTest::newRow("fit to one page") << "out.pdf" << QStringList{"--pages", "wide=1"} << 0 << 1;
        QTest::newRow("twice the size")
            << "out.pdf" << QStringList{"--pages", "scale=200"} << 0 << 4;
        QTest::newRow("unknown layout") << "out.pdf" << QStringList{"--pages", "tall=2"} << 2 << 0;
        QTest::newRow("no layout") << "out.pdf" << QStringList{"--pages"} << 2 << 0;
        QTest::newRow("pages of a PNG") << "out.png" << QStringList{"--pages", "wide=1"} << 2 << 0;
        QTest::newRow("A3, the way with fewer pages")
            << "out.pdf" << QStringList{"--pages", "scale=200", "--paper", "A3"} << 0 << 2;
        QTest::newRow("A3 portrait")
            << "out.pdf" << QStringList{"--paper", "A3", "--portrait", "--pages", "scale=200"} << 0
            << 3;
        QTest::newRow("both orientations")
            << "out.pdf" << QStringList{"--pages", "wide=1", "--landscape", "--portrait"} << 2 << 0;
        QTest::newRow("paper without pages") << "out.pdf" << QStringList{"--paper", "A3"} << 2 << 0;
    }
    void pagesOption()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, extra);
        QFETCH(int, status);
        QFETCH(int, pages);
        QTemporaryDir dir;
        const QString path = dir.filePath(output);
        std::vector<std::string> args{"--render", sampleChart, path.toStdString()};
        for (const QString& arg : extra)
            args.push_back(arg.toStdString());
        std::ostringstream out, err;
        QCOMPARE(runBatch(guiBatchOptions(), args, {out, err}), status);
        QCOMPARE(QFile::exists(path), pages > 0);
        if (pages > 0)
            QCOMPARE(pdfPages(readAll(path)), pages);
        else
            QVERIFY(!err.str().empty());
    }

    // A far box at a small scale would take tens of thousands of pages: refused
    // at once, with the count, nothing written.
    void refusesPagesPastTheBound()
    {
        QTemporaryDir dir;
        const QString chart = dir.filePath("far.txt"), path = dir.filePath("out.pdf");
        writeFile(chart, "P 100000j100000 3:Far 0j0 0\n");
        std::ostringstream out, err;
        const std::vector<std::string> args{"--render", chart.toStdString(), path.toStdString(),
                                            "--pages", "scale=1"};
        QCOMPARE(runBatch(guiBatchOptions(), args, {out, err}), 1);
        const QString message = QString::fromStdString(err.str());
        QVERIFY2(message.contains(QRegularExpression("would take \\d{5,} pages")),
                 qPrintable(message));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"far.txt"});
    }
};

QTEST_MAIN(RenderCommandTest)
#include "render_command_test.moc"
