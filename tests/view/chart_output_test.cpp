// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixel_colour.h"
#include "render/chart_render.h"
#include "shown_view.h"
#include "view/chart_view.h"

#include "document/chart_document.h"
#include "model/chart.h"
#include "test_files.h"

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString sampleChart = QStringLiteral(STIRPA_SOURCE_DIR "/resources/sample.txt");

int pdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(pdf).count(page));
}

// The picture an SVG viewer shows.
QImage viewedSvg(const QByteArray& svg)
{
    QProcess viewer;
    viewer.start(QStringLiteral("rsvg-convert"), {QStringLiteral("--format=png")});
    viewer.write(svg);
    viewer.closeWriteChannel();
    if (!viewer.waitForFinished(30000))
        return {};
    QImage image;
    image.loadFromData(viewer.readAllStandardOutput(), "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

// The outline of the box around an inner point: the first pixels of another
// colour than the point's, left, right, up and down.
QRect boxAround(const QImage& image, QPoint inner)
{
    const Colour fill = pixelColour(image, inner.x(), inner.y());
    const auto edge = [&](int dx, int dy) {
        QPoint at = inner;
        while (QRect(QPoint(), image.size()).contains(at) &&
               pixelColour(image, at.x(), at.y()) == fill)
            at += QPoint(dx, dy);
        return at;
    };
    return QRect(QPoint(edge(-1, 0).x(), edge(0, -1).y()), QPoint(edge(1, 0).x(), edge(0, 1).y()));
}

} // namespace

Q_DECLARE_METATYPE(Cell)

class ChartOutputTest : public QObject {
    Q_OBJECT

private slots:
    void fitToOnePagePrintsOnePdfPage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("chart.pdf");
        ChartDocument document;
        ChartView view(&document);
        for (int c = 0; c < 30; ++c) // far wider than a page
            document.addBox(
                std::make_unique<Person>("Someone|b. 1900", Cell{c, c % 3}, Links{20, 20}));
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QVERIFY(view.print(&printer, {.mode = PageOptions::FitPagesWide, .pagesWide = 1}));
        const QByteArray pdf = readAll(path);
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(pdfPages(pdf), 1);
    }

    void pngCoversTheScrollAreaWithoutSelection()
    {
        ChartDocument document;
        document.addBox(std::make_unique<Person>("A", Cell{0, 0}, Links{20, 0}));
        document.addBox(std::make_unique<Person>("B", Cell{2, 1}, Links{}));
        document.selectCell({0, 0});
        const Chart& chart = document.chart();
        QByteArray bytes;
        QVERIFY(renderChart(chart, ChartImageFormat::Png, bytes));
        QImage image;
        QVERIFY(image.loadFromData(bytes, "PNG"));
        QCOMPARE(image.size(), QSize(2 * 140 + 35 + 150, 70 + 10 + 150));
        QCOMPARE(pixelColour(image, 400, 200), colours::paleblue);
        QCOMPARE(pixelColour(image, 10, 20), colours::generationFill);
        QCOMPARE(pixelColour(image, 100, 50), colours::paleyellow); // the selected box drawn plain
        QCOMPARE(pixelColour(image, 160, 35), colours::darkblue);   // its connector
        QCOMPARE(document.selectedBox(), document.tree().findPerson({0, 0}));
    }

    // Seen in an SVG viewer (rsvg-convert): the long line is cut at the box.
    void svgCutsTextAtTheBox()
    {
        Chart chart;
        chart.mutableTree().append(
            std::make_unique<Person>("Ann|Averyveryveryveryverylongname", Cell{0, 0}, Links{}));
        QByteArray svg;
        QVERIFY(renderChart(chart, ChartImageFormat::Svg, svg));
        QVERIFY(svg.contains(">Ann</text>"));
        const QImage image = viewedSvg(svg);
        QCOMPARE(image.size(), QSize(35 + 150, 10 + 150));
        QCOMPARE(pixelColour(image, 140, 52), colours::paleyellow);
        int inkInside = 0;
        for (int y = 10; y < 60; ++y) {
            for (int x = 100; x < 150; ++x)
                inkInside += pixelColour(image, x, y) != colours::paleyellow;
            for (int x = 156; x < image.width(); ++x)
                QCOMPARE(pixelColour(image, x, y), colours::paleblue);
        }
        QVERIFY(inkInside > 20); // the long line runs up to the edge of the box
    }

    // A box covers the same pixels in the window, the PNG and the SVG as a
    // viewer shows it.
    void boxesMatchAcrossOutputs_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<Cell>("cell");
        QTest::newRow("usual size") << 120 << 50 << Cell{2, 1};
        QTest::newRow("odd sizes") << 97 << 41 << Cell{3, 2};
        QTest::newRow("taller than wide") << 36 << 83 << Cell{5, 1};
    }
    void boxesMatchAcrossOutputs()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(Cell, cell);
        QTemporaryDir dir;
        const QString path = dir.filePath("boxes.txt");
        const QByteArray place =
            QByteArray::number(cell.column) + 'j' + QByteArray::number(cell.level);
        // The box measured is not the last: the last is selected in the window.
        writeFile(path, "Stirpa " + QByteArray::number(width) + 'j' + QByteArray::number(height) +
                            " 50j200 d1 1\nP " + place + " 0: 0j0 0\nP 0j0 0: 0j0 0\n");
        ShownView v({900, 700});
        QVERIFY(v.document.open(path));
        const QRect expected(v.origin(cell).x, v.origin(cell).y, width, height);
        const QPoint inner = expected.center();

        QByteArray png, svg;
        QVERIFY(renderChart(v.document.chart(), ChartImageFormat::Png, png));
        QVERIFY(renderChart(v.document.chart(), ChartImageFormat::Svg, svg));
        QImage pngImage;
        QVERIFY(pngImage.loadFromData(png, "PNG"));
        pngImage = pngImage.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(boxAround(pngImage, inner), expected);
        QCOMPARE(boxAround(viewedSvg(svg), inner), expected);
        QCOMPARE(boxAround(v.freshPicture().convertToFormat(QImage::Format_RGB32), inner),
                 expected);
    }

    // The last box lies whole in the PNG, the SVG's view box, the one-page PDF
    // and the window's scroll range: box sizes just under, at and over where
    // 150 pixels past the last corner stopped reaching the box's edges; PDF
    // pages 10,000, 14,400 and 60,000 points wide, none of over 14,400 units.
    void lastBoxIsWholeInEveryOutput_data()
    {
        QTest::addColumn<QSize>("box");
        QTest::addColumn<int>("column");
        for (const QSize box :
             {QSize(30, 10), QSize(149, 149), QSize(150, 150), QSize(151, 151), QSize(400, 200)})
            QTest::addRow("%dx%d", box.width(), box.height()) << box << 3;
        QTest::newRow("10,000 points") << QSize(240, 50) << 50;
        QTest::newRow("14,400 points") << QSize(1257, 50) << 14;
        QTest::newRow("60,000 points") << QSize(345, 50) << 218;
    }
    void lastBoxIsWholeInEveryOutput()
    {
        QFETCH(QSize, box);
        QFETCH(int, column);
        ShownView v({300, 200});
        v.document.setSettings({.boxWidth = box.width(), .boxHeight = box.height()});
        v.add({column, 2});
        const Rect last = v.settings().boxRect({column, 2});
        QByteArray png, svg, pdf;
        QVERIFY(renderChart(v.document.chart(), ChartImageFormat::Png, png));
        QVERIFY(renderChart(v.document.chart(), ChartImageFormat::Svg, svg));
        QVERIFY(renderChart(v.document.chart(), ChartImageFormat::Pdf, pdf));
        const auto found = [](const QByteArray& bytes, const char* pattern) {
            const auto match = QRegularExpression(pattern).match(QString::fromLatin1(bytes));
            return QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
        };
        const QSizeF page = found(pdf, R"(/MediaBox\[0 0 ([\d.]+) ([\d.]+))");
        QVERIFY(page.width() <= 14400 && page.height() <= 14400);
        const QString unit =
            QRegularExpression(R"(/UserUnit (\d+))").match(QString::fromLatin1(pdf)).captured(1);
        const QSize scrolled(v.view.horizontalScrollBar()->maximum() + v.view.viewport()->width(),
                             v.view.verticalScrollBar()->maximum() + v.view.viewport()->height());
        const double points = unit.isEmpty() ? 1 : unit.toDouble();
        const QSizeF sizes[] = {QSizeF(QImage::fromData(png).size()),
                                found(svg, R"re(viewBox="0 0 (\d+) (\d+)")re"),
                                page * points / 0.75, QSizeF(scrolled)};
        for (const QSizeF size : sizes)
            QVERIFY(size.width() >= last.right && size.height() >= last.bottom);
    }

    void formatsByExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("format"); // -1: none
        QTest::newRow("png") << "a/b.png" << int(ChartImageFormat::Png);
        QTest::newRow("upper case") << "B.PDF" << int(ChartImageFormat::Pdf);
        QTest::newRow("svg") << "x.y.svg" << int(ChartImageFormat::Svg);
        QTest::newRow("gif") << "x.gif" << -1;
        QTest::newRow("no extension") << "png" << -1;
    }

    void formatsByExtension()
    {
        QFETCH(QString, path);
        QFETCH(int, format);
        const auto found = chartImageFormat(path.toStdString());
        QCOMPARE(found ? int(*found) : -1, format);
    }

    void renderFileWritesEachFormat()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath("s.png"), pdf = dir.filePath("s.pdf"),
                      svg = dir.filePath("s.svg");
        QVERIFY(renderChartFile(sampleChart.toStdString(), png.toStdString()));
        QVERIFY(renderChartFile(sampleChart.toStdString(), pdf.toStdString()));
        QVERIFY(renderChartFile(sampleChart.toStdString(), svg.toStdString()));
        QImage image(png);
        // The sample reaches column 7 and level 4.
        QCOMPARE(image.size(), QSize(7 * 140 + 35 + 150, 4 * 70 + 10 + 150));
        QVERIFY(readAll(pdf).startsWith("%PDF-"));
        QCOMPARE(pdfPages(readAll(pdf)), 1);
        QVERIFY(readAll(svg).contains("<svg"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3); // no temporary files left
    }

    // A few bytes of chart can ask for gigabytes of picture: refused, with its size.
    void oversizedPngIsRefused_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QString>("size");
        QTest::newRow("too high") << QByteArray("P 0j30000 1:x 0j0 0\n") << "185 × 2100160 pixels";
        QTest::newRow("too wide") << QByteArray("P 30000j0 1:x 0j0 0\n") << "4200185 × 160 pixels";
        QTest::newRow("too wide and high")
            << QByteArray("P 30000j30000 1:x 0j0 0\n") << "4200185 × 2100160 pixels";
    }
    void oversizedPngIsRefused()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QString, size);
        QTemporaryDir dir;
        const QString in = dir.filePath("tall.txt"), out = dir.filePath("out.png");
        writeFile(in, chart);
        const Result result = renderChartFile(in.toStdString(), out.toStdString());
        QCOMPARE(result.status, Result::TooLarge);
        QVERIFY2(QString::fromStdString(result.message()).contains(size), result.message().c_str());
        QVERIFY(!QFile::exists(out));
    }

    void renderFileFailuresLeaveTheOutputAlone()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("kept.png");
        writeFile(out, "old");

        const Result missing =
            renderChartFile(dir.filePath("none.txt").toStdString(), out.toStdString());
        QVERIFY(!missing);
        QVERIFY(!missing.message().empty());

        const QString bad = dir.filePath("bad.txt");
        writeFile(bad, "P 0j0 3:abc 0j0 0\nnot a record\n");
        QVERIFY(!renderChartFile(bad.toStdString(), out.toStdString()));

        const Result wrongType =
            renderChartFile(sampleChart.toStdString(), dir.filePath("x.gif").toStdString());
        QVERIFY(!wrongType);
        QVERIFY(QString::fromStdString(wrongType.message()).contains(".png"));

        QVERIFY(!renderChartFile(sampleChart.toStdString(),
                                 dir.filePath("no/such/dir/x.png").toStdString()));
        QCOMPARE(readAll(out), QByteArray("old"));
    }
};

QTEST_MAIN(ChartOutputTest)
#include "chart_output_test.moc"
