// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixel_colour.h"
#include "render/chart_render.h"
#include "shown_view.h"

#include <QScrollBar>
#include <QTest>

namespace {

constexpr int levels = 10;
// Level 9's number ends the column: 10 x 70 - 35 + 10 + 20.
constexpr int columnBottom = 695;
// A downward number's text lies 14 to 30 pixels below its level's top; the
// rest of the level is the column's plain fill.
constexpr int textTop = 14, textBottom = 30, fillFrom = 40;

// Boxes in every cell of `columns` columns by ten levels.
void fillChart(ShownView& shown, int columns)
{
    for (int column = 0; column < columns; ++column)
        for (int level = 0; level < levels; ++level)
            shown.document.addBox(std::make_unique<Person>("A", Cell{column, level}, Links{}));
    shown.view.updateScrollSizes();
    shown.view.invalidateChart();
}

// A scroll value as a row gives it: -1 is the far end, -2 one pixel short of it.
int scrollValue(const QScrollBar* bar, int row)
{
    return row >= 0 ? row : bar->maximum() + 1 + row;
}

// Scrolls in two steps, so the second moves pixels that were already shown.
void scrollInSteps(ShownView& shown, int x, int y)
{
    shown.screen();
    shown.view.horizontalScrollBar()->setValue(x / 2);
    shown.view.verticalScrollBar()->setValue(y / 3);
    shown.screen();
    shown.view.horizontalScrollBar()->setValue(x);
    shown.view.verticalScrollBar()->setValue(y);
}

bool inkBetween(const QImage& shot, int fromY, int toY, int fromX, int toX, Colour ground)
{
    for (int y = std::max(0, fromY); y < std::min(toY, shot.height()); ++y)
        for (int x = fromX; x < toX; ++x)
            if (pixelColour(shot, x, y) != ground)
                return true;
    return false;
}

} // namespace

class FrozenColumnTest : public QObject {
    Q_OBJECT

private slots:
    // Scrolled sideways, the window shows the generation column at its left edge
    // over the chart, level by level in line with the boxes, and the chart beside it.
    void columnStaysAtTheLeftEdge_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("not scrolled") << 0 << 0;
        QTest::newRow("one pixel right") << 1 << 0;
        QTest::newRow("one column less a pixel") << 139 << 0;
        QTest::newRow("one column, down 37") << 140 << 37;
        QTest::newRow("middle, down 1") << 2003 << 1;
        QTest::newRow("one pixel short of the right end") << -2 << 0;
        QTest::newRow("right end, down to the bottom") << -1 << -1;
    }
    void columnStaysAtTheLeftEdge()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        ShownView shown;
        fillChart(shown, 30);
        ChartView& view = shown.view;
        x = scrollValue(view.horizontalScrollBar(), x);
        y = scrollValue(view.verticalScrollBar(), y);
        QVERIFY(view.horizontalScrollBar()->maximum() > 3500);
        scrollInSteps(shown, x, y);
        const QImage shot = shown.screen();
        QCOMPARE(view.scrollPosition(), QPoint(x, y));

        int filledRows = 0;
        for (int row = 0; row < shot.height() && row + y < columnBottom - 1; ++row) {
            QCOMPARE(pixelColour(shot, 0, row), colours::darkblue);
            QCOMPARE(pixelColour(shot, 24, row), colours::darkblue);
            if ((row + y) % 70 >= fillFrom) {
                QCOMPARE(pixelColour(shot, 12, row), colours::generationFill);
                ++filledRows;
            }
        }
        QVERIFY(filledRows > 100);
        // A number in every level whose text is in sight.
        int numbers = 0;
        for (int level = 0; level < levels; ++level) {
            const int top = level * 70 + textTop - y, bottom = level * 70 + textBottom - y;
            if (top < 0 || bottom > shot.height())
                continue;
            QVERIFY2(inkBetween(shot, top, bottom, 1, 24, colours::generationFill),
                     qPrintable(QString("level %1").arg(level)));
            ++numbers;
        }
        QVERIFY(numbers >= 3);

        // Beside the column the chart scrolls as ever: a box's plain fill where
        // the scroll puts it, and every pixel as a fresh paint has it.
        const TreeSettings& s = shown.settings();
        const int boxX = 35 + ((x + 60) / 140 + 1) * 140 + 100 - x;
        const int boxY = 10 + (y / 70 + 1) * 70 + 40 - y;
        QCOMPARE(pixelColour(shot, boxX, boxY), colours::paleyellow);
        QVERIFY(boxX > 40 + s.boxWidth / 2);
        view.invalidateChart();
        QCOMPARE(shot, shown.screen());
        const QRect beside(25, 0, shot.width() - 25, shot.height());
        QCOMPARE(shot.copy(beside),
                 view.backingImage().copy(beside).convertToFormat(shot.format()));
    }

    // Not scrolled, the window shows what an image file of the chart shows:
    // the column is drawn once, at the chart's left edge, in both.
    void unscrolledWindowMatchesTheImageFile_data()
    {
        QTest::addColumn<char>("mode");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("boxHeight");
        QTest::newRow("down from 1") << 'd' << 1 << 50;
        QTest::newRow("up from 1") << 'u' << 1 << 50;
        QTest::newRow("down from -5, odd pitch") << 'd' << -5 << 51;
        QTest::newRow("up from 95, three digits, low boxes") << 'u' << 95 << 30;
    }
    void unscrolledWindowMatchesTheImageFile()
    {
        QFETCH(char, mode);
        QFETCH(int, start);
        QFETCH(int, boxHeight);
        ShownView shown;
        TreeSettings settings = shown.settings();
        settings.generationMode = mode;
        settings.generationStart = start;
        settings.boxHeight = boxHeight;
        shown.document.setSettings(settings);
        fillChart(shown, 30);
        const QImage shot = shown.screen();
        QByteArray png;
        QVERIFY(renderChart(shown.document.chart(), ChartImageFormat::Png, png));
        QImage file;
        QVERIFY(file.loadFromData(png, "PNG"));
        QVERIFY(file.width() > 4000);
        const QRect window(QPoint(), shot.size());
        QCOMPARE(file.copy(window).convertToFormat(QImage::Format_RGB32),
                 shot.convertToFormat(QImage::Format_RGB32));
    }

    // Zoomed out and scrolled to the far right, past every box but a far one,
    // the numbers still stand at the left edge, on an empty background.
    void zoomedOutNumbersStayAtTheLeftEdge_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::newRow("2 %") << 0.02;
        QTest::newRow("5 %") << 0.05;
        QTest::newRow("10 %") << 0.10;
        QTest::newRow("50 %") << 0.5;
        QTest::newRow("100 %") << 1.0;
    }
    void zoomedOutNumbersStayAtTheLeftEdge()
    {
        QFETCH(double, zoom);
        ShownView shown;
        fillChart(shown, 1);
        shown.add({399, 0});
        ChartView& view = shown.view;
        view.setZoom(zoom);
        const int end = view.horizontalScrollBar()->maximum();
        QVERIFY(end > 0);
        scrollInSteps(shown, end, 0);
        const QImage shot = shown.screen();
        const int columnEnd = int(std::ceil(columnBottom * zoom));
        // Grown numbers reach about 40 pixels into the chart and a number's
        // height below the column; past that, the empty background up to the
        // far box.
        QVERIFY(inkBetween(shot, 0, columnEnd, 0, 40, colours::paleblue));
        QVERIFY(!inkBetween(shot, 0, shot.height(), 60, 300, colours::paleblue));
        QVERIFY(!inkBetween(shot, columnEnd + 12, shot.height(), 0, 300, colours::paleblue));
        view.invalidateChart();
        QCOMPARE(shot, shown.screen());
    }
};

QTEST_MAIN(FrozenColumnTest)
#include "frozen_column_test.moc"
