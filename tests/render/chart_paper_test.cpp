// SPDX-License-Identifier: GPL-3.0-or-later
// Paper for a chart laid out on pages: each size as named, the way up that
// takes fewer pages, and a chart fitted to pages across filling their width.
#include "render/chart_pages.h"
#include "render/chart_render.h"

#include "model/chart.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double marginMm = 10;

// Boxes on every cell of a grid of columns by levels.
Chart gridChart(int columns, int levels)
{
    Chart chart;
    for (int column = 0; column < columns; ++column)
        for (int level = 0; level < levels; ++level)
            chart.mutableTree().append(
                std::make_unique<Person>("Anna Berg|b. 1900", Cell{column, level}, Links{0, 0}));
    return chart;
}

QPageLayout layoutOf(Paper paper)
{
    const QPageSize::PageSizeId id = paper == Paper::A3 ? QPageSize::A3 : QPageSize::A4;
    return QPageLayout(QPageSize(id), QPageLayout::Portrait,
                       QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
}

// The non-white share of the page's width between its margins.
double inkedWidthShare(const QImage& page, double dpi)
{
    int left = page.width(), right = -1;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const double printable = page.width() - 2 * marginMm / 25.4 * dpi;
    return right < left ? 0 : (right - left + 1) / printable;
}

} // namespace

class ChartPaperTest : public QObject {
    Q_OBJECT
private slots:
    void orientationTakesFewerPages_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("portraitPages");
        QTest::addColumn<int>("landscapePages");
        QTest::addColumn<int>("pagesWide"); // 0: actual size; -1: a poster
        const int automatic = int(Orientation::Automatic), portrait = QPageLayout::Portrait,
                  landscape = QPageLayout::Landscape;
        const int a4 = int(Paper::A4), a3 = int(Paper::A3);
        QTest::newRow("wide chart") << 60 << 2 << a4 << automatic << landscape << 14 << 9 << 0;
        QTest::newRow("tall chart") << 2 << 40 << a4 << automatic << portrait << 3 << 5 << 0;
        QTest::newRow("wide chart, A3") << 60 << 2 << a3 << automatic << landscape << 9 << 6 << 0;
        QTest::newRow("one page either way")
            << 3 << 3 << a4 << automatic << portrait << 1 << 1 << 0;
        QTest::newRow("wide chart, portrait asked")
            << 60 << 2 << a4 << int(Orientation::Portrait) << portrait << 14 << 9 << 0;
        QTest::newRow("tall chart, landscape asked")
            << 2 << 40 << a4 << int(Orientation::Landscape) << landscape << 3 << 5 << 0;
        QTest::newRow("as many pages either way: the larger")
            << 440 << 4 << a3 << automatic << landscape << 4 << 4 << 4;
        QTest::newRow("as many pages, as large: portrait")
            << 3 << 3 << a4 << automatic << portrait << 1 << 1 << 4;
        QTest::newRow("poster of a wide chart")
            << 440 << 4 << a3 << automatic << landscape << 1 << 1 << -1;
        QTest::newRow("poster of a tall chart")
            << 2 << 300 << a3 << automatic << portrait << 1 << 1 << -1;
    }
    void orientationTakesFewerPages()
    {
        QFETCH(int, columns);
        QFETCH(int, levels);
        QFETCH(int, paper);
        QFETCH(int, asked);
        QFETCH(int, chosen);
        QFETCH(int, portraitPages);
        QFETCH(int, landscapePages);
        QFETCH(int, pagesWide);
        const Chart chart = gridChart(columns, levels);
        PageOptions options;
        options.mode = pagesWide < 0   ? PageOptions::Poster
                       : pagesWide > 0 ? PageOptions::FitPagesWide
                                       : PageOptions::ActualSize;
        options.pagesWide = std::max(1, pagesWide);
        options.paper = Paper(paper);
        options.orientation = Orientation(asked);
        QPageLayout layout = layoutOf(options.paper);
        QCOMPARE(int(chartOrientation(chart, layout, options)), chosen);
        layout.setOrientation(QPageLayout::Portrait);
        QCOMPARE(chartPageCount(chart, layout, options), (long long)portraitPages);
        layout.setOrientation(QPageLayout::Landscape);
        QCOMPARE(chartPageCount(chart, layout, options), (long long)landscapePages);
    }

    void paperOfEachSize_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("points"); // width and height as the page stands
        // Portrait, in the order of the paper enum.
        const QSize portrait[] = {{595, 842},   {842, 1191}, {1191, 1684}, {1684, 2384},
                                  {2384, 3370}, {612, 792},  {612, 1008},  {792, 1224}};
        for (const auto& [paper, name] : paperSizes()) {
            const QSize size = portrait[int(paper)];
            QTest::addRow("%s portrait", name.c_str())
                << int(paper) << int(Orientation::Portrait) << size;
            QTest::addRow("%s landscape", name.c_str())
                << int(paper) << int(Orientation::Landscape) << size.transposed();
        }
    }
    void paperOfEachSize()
    {
        QFETCH(int, paper);
        QFETCH(int, orientation);
        QFETCH(QSize, points);
        QBuffer pdf;
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        QPdfWriter writer(&pdf);
        PageOptions options;
        options.paper = Paper(paper);
        options.orientation = Orientation(orientation);
        QVERIFY(setChartPaper(writer, gridChart(1, 1), options));
        QCOMPARE(writer.pageLayout().fullRectPoints().size(), points);
    }

    // A strip of a chart fitted to pages across fills them from margin to margin.
    void stripFillsThePageWidth_data()
    {
        QTest::addColumn<int>("pagesWide");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("pages");
        QTest::newRow("2 wide, either way") << 2 << int(Orientation::Automatic) << 2;
        QTest::newRow("2 wide, portrait") << 2 << int(Orientation::Portrait) << 2;
        QTest::newRow("3 wide, landscape") << 3 << int(Orientation::Landscape) << 3;
    }
    void stripFillsThePageWidth()
    {
        QFETCH(int, pagesWide);
        QFETCH(int, orientation);
        QFETCH(int, pages);
        PageOptions options;
        options.mode = PageOptions::FitPagesWide;
        options.pagesWide = pagesWide;
        options.orientation = Orientation(orientation);
        QByteArray pdf;
        QVERIFY(renderChart(gridChart(150, 2), ChartImageFormat::Pdf, pdf, options));
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("strip.pdf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(pdf);
        file.close();
        constexpr double dpi = 48;
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {"-png", "-r", QString::number(dpi), file.fileName(),
                           dir.filePath(QStringLiteral("page"))});
        const QStringList images =
            QDir(dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
        QCOMPARE(images.size(), pages);
        for (const QString& image : images) {
            const double share = inkedWidthShare(QImage(dir.filePath(image)), dpi);
            QVERIFY2(share >= 0.9, qPrintable(image + ": " + QString::number(share)));
        }
    }
};

QTEST_MAIN(ChartPaperTest)
#include "chart_paper_test.moc"
