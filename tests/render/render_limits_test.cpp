// SPDX-License-Identifier: GPL-3.0-or-later
// Renders are made piece by piece: a banded PNG is the picture painted whole,
// a render fits in little memory, and running out of memory or disk, or
// cancelling, leaves no file and no crash.
#include "pixel_colour.h"
#include "render/chart_painter.h"
#include "render/chart_render.h"
#include "render/png_bands.h"
#include "render/qt_draw_context.h"

#include "chartfile/chart_reader.h"
#include "model/chart.h"
#include "test_files.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <tuple>

namespace {

const QString sampleChart = QStringLiteral(STIRPA_SOURCE_DIR "/resources/sample.txt");

Chart sample()
{
    ChartLoad load = readChartFile(sampleChart.toLocal8Bit().toStdString(), TreeSettings());
    return std::move(load.chart);
}

// 100 columns by 60 levels: a whole-picture PNG would take 245 MB.
Chart largeChart()
{
    Chart chart;
    for (int column = 0; column < 100; ++column) {
        for (int level = 0; level < 60; ++level)
            chart.mutableTree().append(std::make_unique<Person>(
                "Someone Long-Named|b. 1900 Colbeck|d. 1950|a farmer and a weaver",
                Cell{column, level}, Links{20, 20}));
    }
    return chart;
}

QImage paintedWhole(const Chart& chart)
{
    const Rect area = chart.tree().drawnArea();
    QImage image(area.right - area.left, area.bottom - area.top, QImage::Format_RGB32);
    QPainter painter(&image);
    QtDrawContext dc(painter, QPoint(area.left, area.top));
    paintChart(dc, &chart);
    return image;
}

// Runs `body` in a child process whose address space may grow by `room`
// bytes; true when it exits with status 0.
bool inChild(long long room, const std::function<bool()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        // The child never returns into the test library, whatever happens.
        try {
            long pages = 0;
            std::ifstream("/proc/self/statm") >> pages;
            const rlim_t limit = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + rlim_t(room);
            const rlimit address{limit, limit};
            ::setrlimit(RLIMIT_AS, &address);
            ::_exit(body() ? 0 : 1);
        } catch (...) {
            ::_exit(2);
        }
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

QStringList filesIn(const QTemporaryDir& dir) { return QDir(dir.path()).entryList(QDir::Files); }

// The file as a viewer shows it at one dot per chart pixel.
QImage viewed(const QString& path, ChartImageFormat format)
{
    if (format == ChartImageFormat::Png)
        return QImage(path, "PNG").convertToFormat(QImage::Format_RGB32);
    QProcess viewer;
    if (format == ChartImageFormat::Svg)
        viewer.start(QStringLiteral("rsvg-convert"), {QStringLiteral("--format=png"), path});
    else
        viewer.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("96"), path});
    viewer.waitForFinished(60000);
    QImage image;
    image.loadFromData(viewer.readAllStandardOutput(), "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class RenderLimitsTest : public QObject {
    Q_OBJECT
private slots:
    void formats_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("png") << int(ChartImageFormat::Png) << "out.png";
        QTest::newRow("svg") << int(ChartImageFormat::Svg) << "out.svg";
        QTest::newRow("pdf") << int(ChartImageFormat::Pdf) << "out.pdf";
    }

    void bandedPngIsThePicturePaintedWhole_data()
    {
        QTest::addColumn<int>("bandRows");
        QTest::newRow("one row") << 1;
        QTest::newRow("seven rows") << 7;
        QTest::newRow("a band through the boxes' text") << 64;
        QTest::newRow("the encoder's choice") << 0;
    }
    void bandedPngIsThePicturePaintedWhole()
    {
        QFETCH(int, bandRows);
        const Chart chart = sample();
        const QImage whole = paintedWhole(chart);
        QByteArray png;
        RenderOutput out([&png](std::string_view piece) {
            png.append(piece.data(), qsizetype(piece.size()));
            return true;
        });
        writePngInBands(
            whole.size(),
            [&chart](QImage& band, int top) {
                QPainter painter(&band);
                QtDrawContext dc(painter, QPoint(0, top));
                paintChart(dc, &chart);
            },
            out, bandRows);
        QImage banded;
        QVERIFY(banded.loadFromData(png, "PNG"));
        QCOMPARE(banded.convertToFormat(QImage::Format_RGB32), whole);
    }

    // Where the painted picture is flat (background, fills, the column; not
    // text, whose glyphs each viewer draws its own way) the viewer shows the
    // same colour.
    // Boxes at negative cells are in the picture too.
    void filesShowThePicturePaintedWhole_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("negativeCell");
        for (const bool negative : {false, true})
            for (const char* name : {"svg", "pdf", "png"})
                QTest::addRow("%s%s", name, negative ? ", a box at a negative cell" : "")
                    << int(*chartImageFormat(std::string(".") + name)) << negative;
    }
    void filesShowThePicturePaintedWhole()
    {
        QFETCH(int, format);
        QFETCH(bool, negativeCell);
        Chart chart = sample();
        if (negativeCell) // above and left of the first cell, as in a chart typed by hand
            chart.mutableTree().append(std::make_unique<Person>("Far", Cell{-2, -1}, Links{}));
        const QImage whole = paintedWhole(chart);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chart"));
        QVERIFY(writeChartImage(chart, ChartImageFormat(format), path.toStdString()));
        const QImage image = viewed(path, ChartImageFormat(format));
        QCOMPARE(image.size(), whole.size());
        int flat = 0, differ = 0;
        for (int y = 2; y < whole.height() - 2; ++y) {
            for (int x = 2; x < whole.width() - 2; ++x) {
                const QRgb colour = whole.pixel(x, y);
                bool uniform = true;
                for (int dy = -2; dy <= 2 && uniform; ++dy) {
                    for (int dx = -2; dx <= 2 && uniform; ++dx)
                        uniform = whole.pixel(x + dx, y + dy) == colour;
                }
                flat += uniform;
                differ += uniform && image.pixel(x, y) != colour;
            }
        }
        QVERIFY(flat > whole.width() * whole.height() * 3 / 4);
        QCOMPARE(differ, 0);
    }

    // With 160 MB more address space every render succeeds; with none at all it
    // may succeed or say there is too little memory, but never dies, and leaves
    // the output whole or absent.
    void rendersWithinAMemoryLimit_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::addColumn<long>("limit");
        for (const auto& [tag, format, name] :
             {std::tuple{"png", ChartImageFormat::Png, "out.png"},
              std::tuple{"svg", ChartImageFormat::Svg, "out.svg"},
              std::tuple{"pdf", ChartImageFormat::Pdf, "out.pdf"}}) {
            QTest::addRow("%s in 160 MB", tag) << int(format) << QString(name) << (160L << 20);
            QTest::addRow("%s in no memory", tag) << int(format) << QString(name) << 0L;
        }
    }
    void rendersWithinAMemoryLimit()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer needs more address space than the limit leaves");
#endif
        QFETCH(int, format);
        QFETCH(QString, name);
        QFETCH(long, limit);
        const Chart chart = largeChart();
        QTemporaryDir dir;
        const std::string path = dir.filePath(name).toStdString();
        QVERIFY(inChild(limit, [&] {
            const Result result = writeChartImage(chart, ChartImageFormat(format), path);
            if (limit > 0)
                return bool(result);
            return result || (result.status == Result::TooLarge &&
                              result.message() == "there is not enough memory to render the chart");
        }));
        const QStringList files = filesIn(dir);
        if (limit > 0)
            QCOMPARE(files, QStringList{name});
        else
            QVERIFY(files.isEmpty() || files == QStringList{name});
    }

    void aFullDiskLeavesNoFile_data() { formats_data(); }
    void aFullDiskLeavesNoFile()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        const Chart chart = largeChart();
        QTemporaryDir dir;
        const std::string path = dir.filePath(name).toStdString();
        const pid_t child = ::fork();
        if (child == 0) {
            // Files may not grow past 64 KB: writes fail as on a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit size{64 << 10, 64 << 10};
            ::setrlimit(RLIMIT_FSIZE, &size);
            const Result result = writeChartImage(chart, ChartImageFormat(format), path);
            ::_exit(result.status == Result::CannotWrite ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(filesIn(dir).isEmpty());
    }

    void cancellingKeepsTheOldFile_data() { formats_data(); }
    void cancellingKeepsTheOldFile()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        const Chart chart = largeChart();
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        writeFile(path, "old");
        double seen = 0;
        const Result result = writeChartImage(chart, ChartImageFormat(format), path.toStdString(),
                                              {}, [&seen](double done) {
                                                  seen = done;
                                                  return done < 0.3;
                                              });
        QCOMPARE(result.status, Result::Failed);
        QCOMPARE(result.message(), std::string("the render was cancelled"));
        QVERIFY(seen >= 0.3 && seen < 1);
        QCOMPARE(readAll(path), QByteArray("old"));
        QCOMPARE(filesIn(dir), QStringList{name});
    }
};

QTEST_MAIN(RenderLimitsTest)
#include "render_limits_test.moc"
