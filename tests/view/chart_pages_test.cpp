// SPDX-License-Identifier: GPL-3.0-or-later
// A chart printed to PDF as a reader sees it (pdftotext, pdftoppm): how many
// pages, each page's footer, white paper, and no box cut across two pages.
#include "pixel_colour.h"
#include "view/chart_view.h"

#include "document/chart_document.h"
#include "model/chart.h"
#include "test_files.h"

#include <QDir>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString sampleChart = QStringLiteral(STIRPA_SOURCE_DIR "/resources/sample.txt");

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Prints the document to a PDF on A4 portrait.
QString printed(ChartDocument& document, const PageOptions& options, const QTemporaryDir& dir)
{
    ChartView view(&document);
    const QString path = dir.filePath("chart.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    return view.print(&printer, options) ? path : QString();
}

// The pages at 48 dpi: half a chart pixel per dot.
QList<QImage> pageImages(const QString& pdf, const QTemporaryDir& dir)
{
    run(QStringLiteral("pdftoppm"), {"-png", "-r", "48", pdf, dir.filePath("page")});
    QList<QImage> pages;
    const QStringList files =
        QDir(dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        pages.append(QImage(dir.filePath(file)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

// A chart reaching column lastColumn and level lastLevel: a box at each corner.
QByteArray cornersChart(int lastColumn, int lastLevel)
{
    QByteArray chart = "Stirpa 120j50 50j200 d1 1\n";
    for (const int level : {0, lastLevel}) {
        for (const int column : {0, lastColumn})
            chart += "P " + QByteArray::number(column) + 'j' + QByteArray::number(level) +
                     " 6:Corner 0j0 0\n";
    }
    return chart;
}

int count(const QImage& page, Colour colour)
{
    int found = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            found += pixelColour(page, x, y) == colour;
    }
    return found;
}

} // namespace

class ChartPagesTest : public QObject {
    Q_OBJECT
private slots:
    void footersNameEveryPage_data()
    {
        QTest::addColumn<QString>("chart"); // the sample unless a file is named
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("footers");
        const QString sample;
        // The sample is 1165 chart pixels wide: an A4 page holds about 718.
        QTest::newRow("actual size") << sample << int(PageOptions::ActualSize) << 0
                                     << QStringList{"sample — page 1 of 2 (row 1, column 1)",
                                                    "sample — page 2 of 2 (row 1, column 2)"};
        QTest::newRow("fit to one page") << sample << int(PageOptions::FitPagesWide) << 1
                                         << QStringList{"sample — page 1 of 1 (row 1, column 1)"};
        QTest::newRow("25%") << sample << int(PageOptions::Percent) << 25
                             << QStringList{"sample — page 1 of 1 (row 1, column 1)"};
        // Two box columns to a page; the 880 pixels of height fit one.
        QTest::newRow("200%") << sample << int(PageOptions::Percent) << 200
                              << QStringList{"sample — page 1 of 4 (row 1, column 1)",
                                             "sample — page 2 of 4 (row 1, column 2)",
                                             "sample — page 3 of 4 (row 1, column 3)",
                                             "sample — page 4 of 4 (row 1, column 4)"};
        // 12 columns (1865 pixels) and 20 levels (1560): three pages across and
        // two down, counted row by row.
        QTest::newRow("two rows of three pages")
            << "wide" << int(PageOptions::ActualSize) << 0
            << QStringList{
                   "wide — page 1 of 6 (row 1, column 1)", "wide — page 2 of 6 (row 1, column 2)",
                   "wide — page 3 of 6 (row 1, column 3)", "wide — page 4 of 6 (row 2, column 1)",
                   "wide — page 5 of 6 (row 2, column 2)", "wide — page 6 of 6 (row 2, column 3)"};
    }
    void footersNameEveryPage()
    {
        QFETCH(QString, chart);
        QFETCH(int, mode);
        QFETCH(int, number);
        QFETCH(QStringList, footers);
        QTemporaryDir dir;
        QString path = sampleChart;
        if (!chart.isEmpty()) {
            path = dir.filePath(chart + ".txt");
            writeFile(path, cornersChart(11, 19));
        }
        ChartDocument document;
        QVERIFY(document.open(path));
        PageOptions options{.mode = PageOptions::Mode(mode)};
        (mode == PageOptions::Percent ? options.percent : options.pagesWide) = number;
        const QString pdf = printed(document, options, dir);
        QVERIFY(!pdf.isEmpty());
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QStringList found;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            if (line.contains(QStringLiteral(" — page ")))
                found.append(line.trimmed());
        }
        QCOMPARE(found, footers);
    }

    // Paper stays white, later pages repeat the generation column, and the
    // selection is not printed.
    void whitePagesRepeatTheColumnWithoutTheSelection()
    {
        ChartDocument document;
        QVERIFY(document.open(sampleChart));
        document.selectCell(document.tree().boxesInArea({0, 0, 200, 100}).front()->cell());
        QTemporaryDir dir;
        const QList<QImage> pages = pageImages(printed(document, {}, dir), dir);
        QCOMPARE(pages.size(), 2);
        for (const QImage& page : pages) {
            QCOMPARE(count(page, colours::paleblue), 0);
            QVERIFY(count(page, colours::paleyellow) > 1000);
        }
        // The second column of pages repeats the generation column, beside the boxes.
        int columnRight = -1, boxesLeft = pages[1].width();
        for (int y = 0; y < pages[1].height(); ++y) {
            for (int x = 0; x < pages[1].width(); ++x) {
                const Colour colour = pixelColour(pages[1], x, y);
                if (colour == colours::generationFill)
                    columnRight = std::max(columnRight, x);
                if (colour == colours::paleyellow)
                    boxesLeft = std::min(boxesLeft, x);
            }
        }
        QVERIFY(columnRight >= 0);
        QVERIFY2(columnRight + 3 < boxesLeft,
                 qPrintable(QString("%1 %2").arg(columnRight).arg(boxesLeft)));
        // The selected box is printed plain: no box is filled dark blue.
        QVERIFY(count(pages[0], colours::darkblue) < 1000);
    }

    void backgroundIsPrintedWhenAsked()
    {
        ChartDocument document;
        QVERIFY(document.open(sampleChart));
        QTemporaryDir dir;
        const QList<QImage> pages = pageImages(
            printed(document, {.mode = PageOptions::FitPagesWide, .background = true}, dir), dir);
        QCOMPARE(pages.size(), 1);
        QVERIFY(count(pages[0], colours::paleblue) > 10000);
    }
};

QTEST_MAIN(ChartPagesTest)
#include "chart_pages_test.moc"
