// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixel_colour.h"
#include "render/qt_draw_context.h"

#include "model/tree_settings.h"
#include "render/chart_painter.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QTest>

namespace {

constexpr Colour paper = colours::white;
constexpr Colour ink = colours::darkblue;
constexpr Colour fill = colours::paleyellow;
constexpr Colour black = namedColour("black");

QImage blank(int width = 60, int height = 40)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QtDrawContext::toQColor(paper));
    return image;
}

// The pixels of a colour, as a set of points.
QList<QPoint> pixelsOf(const QImage& image, Colour colour)
{
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pixelColour(image, x, y) == colour)
                found.append(QPoint(x, y));
    return found;
}

template <typename Draw> QImage drawn(Draw draw, QImage image = blank())
{
    QPainter painter(&image);
    QtDrawContext dc(painter);
    draw(dc);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(Point)

class QtDrawContextTest : public QObject {
    Q_OBJECT

private slots:
    void plainBoxCoversLeftToRightMinusOne()
    {
        const QImage image = drawn([](DrawContext& dc) {
            dc.setPen(ink);
            dc.setBrush(fill);
            dc.drawBox({10, 5, 20, 12}, 0);
        });
        QCOMPARE(pixelColour(image, 10, 5), ink);
        QCOMPARE(pixelColour(image, 19, 11), ink);
        QCOMPARE(pixelColour(image, 19, 5), ink);
        QCOMPARE(pixelColour(image, 15, 8), fill);
        QCOMPARE(pixelColour(image, 20, 8), paper);
        QCOMPARE(pixelColour(image, 15, 12), paper);
        QCOMPARE(pixelColour(image, 9, 8), paper);
        QCOMPARE(pixelsOf(image, ink).size() + pixelsOf(image, fill).size(), qsizetype(10 * 7));
    }

    void roundedBoxStaysInsideItsRectangle()
    {
        const QImage image = drawn([](DrawContext& dc) {
            dc.setPen(ink);
            dc.setBrush(fill);
            dc.drawBox({5, 5, 55, 35}, 0.15f);
        });
        // Corners are cut; the edge middles are outline pixels.
        QCOMPARE(pixelColour(image, 5, 5), paper);
        QCOMPARE(pixelColour(image, 54, 34), paper);
        QCOMPARE(pixelColour(image, 30, 5), ink);
        QCOMPARE(pixelColour(image, 30, 34), ink);
        QCOMPARE(pixelColour(image, 5, 20), ink);
        QCOMPARE(pixelColour(image, 54, 20), ink);
        QCOMPARE(pixelColour(image, 30, 20), fill);
        for (const QPoint& p : pixelsOf(image, ink))
            QVERIFY(p.x() >= 5 && p.x() < 55 && p.y() >= 5 && p.y() < 35);
    }

    void lineLeavesOutItsEndPoint_data()
    {
        QTest::addColumn<Point>("from");
        QTest::addColumn<Point>("to");
        QTest::newRow("right") << Point{10, 10} << Point{20, 10};
        QTest::newRow("left") << Point{20, 10} << Point{10, 10};
        QTest::newRow("down") << Point{10, 5} << Point{10, 25};
        QTest::newRow("up") << Point{10, 25} << Point{10, 5};
    }

    void lineLeavesOutItsEndPoint()
    {
        QFETCH(Point, from);
        QFETCH(Point, to);
        const QImage image = drawn([&](DrawContext& dc) {
            dc.setPen(colours::red);
            dc.drawLine(from, to);
        });
        const int length = std::abs(to.x - from.x) + std::abs(to.y - from.y);
        QCOMPARE(pixelsOf(image, colours::red).size(), qsizetype(length));
        QCOMPARE(pixelColour(image, from.x, from.y), colours::red);
        QCOMPARE(pixelColour(image, to.x, to.y), paper);
    }

    void zeroLengthLineDrawsNothing()
    {
        const QImage image = drawn([](DrawContext& dc) { dc.drawLine({5, 5}, {5, 5}); });
        QCOMPARE(image, blank());
    }

    void noColourPenKeepsThePenAndNoColourBrushIsHollow()
    {
        const QImage image = drawn([](DrawContext& dc) {
            dc.setPen(ink);
            dc.setPen(noColour);
            dc.setBrush(fill);
            dc.setBrush(noColour);
            dc.drawBox({10, 10, 30, 30}, 0);
        });
        QCOMPARE(pixelColour(image, 10, 10), ink);
        QCOMPARE(pixelColour(image, 20, 20), paper);
    }

    void clipLimitsDrawingAndAnEmptyRectRemovesIt()
    {
        const QImage image = drawn([](DrawContext& dc) {
            dc.setClip({10, 10, 20, 20});
            dc.fillBackground(fill, {0, 0, 60, 40});
            dc.setClip({});
            dc.setPen(ink);
            dc.drawLine({0, 30}, {60, 30});
        });
        QCOMPARE(pixelsOf(image, fill).size(), qsizetype(100));
        QCOMPARE(pixelColour(image, 10, 10), fill);
        QCOMPARE(pixelColour(image, 20, 20), paper);
        QCOMPARE(pixelColour(image, 0, 30), ink);
    }

    void clipBoxIsTheClipInChartPixels()
    {
        QImage image = blank(100, 80);
        QPainter painter(&image);
        QtDrawContext dc(painter, QPoint(300, 200), {100, 80}, QRegion(10, 20, 30, 40));
        QCOMPARE(dc.clipBox(), (Rect{310, 220, 340, 260}));
        dc.setClip({0, 0, 320, 1000});
        QCOMPARE(dc.clipBox(), (Rect{310, 220, 320, 260}));
        QCOMPARE(dc.clientSize(), (Size{100, 80}));
    }

    void emptyBackgroundRectMeansTheClientArea()
    {
        QImage image = blank();
        {
            QPainter painter(&image);
            QtDrawContext dc(painter, {}, {30, 20});
            dc.fillBackground(fill, {5, 5, 5, 9});
        }
        QCOMPARE(pixelsOf(image, fill).size(), qsizetype(30 * 20));
        QCOMPARE(pixelColour(image, 29, 19), fill);
        QCOMPARE(pixelColour(image, 30, 19), paper);
    }

    void scrollOffsetMovesChartPixels()
    {
        QImage image = blank();
        {
            QPainter painter(&image);
            QtDrawContext dc(painter, QPoint(100, 50));
            dc.setPen(ink);
            dc.drawLine({105, 52}, {106, 52});
            dc.drawLine({110, 60}, {110, 57});
        }
        QCOMPARE(pixelsOf(image, ink),
                 (QList<QPoint>{QPoint(5, 2), QPoint(10, 8), QPoint(10, 9), QPoint(10, 10)}));
    }

    void textHangsAboveItsBottomLeftPoint()
    {
        const QImage image = drawn(
            [](DrawContext& dc) {
                dc.fillBackground(paper, {});
                dc.setFont("Arial", 16, true);
                dc.setTextColours(black, noColour);
                dc.drawText({4, 30}, "EH");
            },
            blank());
        int top = 1000, bottom = -1, left = 1000;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (pixelColour(image, x, y) != paper) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    left = std::min(left, x);
                }
        QVERIFY(bottom >= 0);
        QVERIFY(bottom < 30);
        QVERIFY(top >= 30 - 16);
        QVERIFY(left >= 4);
        // Capitals fill most of the cell above the descent.
        QVERIFY(bottom - top >= 8);
    }

    void undecodableBytesAreShownAsWindows1252()
    {
        // "Zo\xEB" is not UTF-8; drawn as Windows-1252 it equals the UTF-8 text.
        auto text = [](std::string_view bytes) {
            return drawn([&](DrawContext& dc) {
                dc.fillBackground(paper, {});
                dc.setTextColours(black, noColour);
                dc.drawText({2, 30}, bytes);
            });
        };
        QCOMPARE(text("Zo\xEB"), text("Zo\xC3\xAB"));
        QVERIFY(text("Zo\xEB") != text("Zoe"));
    }

    void xorOutlineTwiceRestoresThePixels()
    {
        QImage image = drawn(
            [](DrawContext& dc) {
                dc.fillBackground(colours::paleblue, {});
                dc.setPen(ink);
                dc.setBrush(fill);
                dc.drawBox({35, 10, 155, 60}, 0.15f);
                dc.setTextColours(ink, fill);
                dc.drawText({37, 26}, "Name");
            },
            blank(200, 100));
        const QImage before = image.copy();
        const TreeSettings settings;
        // The outline of cell (0, 0) runs over the box drawn there.
        {
            QPainter painter(&image);
            QtDrawContext dc(painter);
            drawCellOutline(dc, settings, {0, 0});
        }
        QVERIFY(image != before);
        {
            QPainter painter(&image);
            QtDrawContext dc(painter);
            drawCellOutline(dc, settings, {0, 0});
        }
        QCOMPARE(image, before);
    }

    void xorOutlineIsNotDrawnWithoutRasterOperations()
    {
        // Vector output cannot take an XOR outline back, so it gets none; a
        // recorded picture is such an output.
        auto recorded = [](bool outline) {
            QPicture picture;
            QPainter painter(&picture);
            {
                QtDrawContext dc(painter);
                dc.setPen(ink);
                dc.drawLine({0, 0}, {10, 0});
                if (outline) {
                    dc.beginXorOutline({});
                    dc.drawBox({100, 100, 200, 200}, 0);
                    dc.endXorOutline();
                }
            }
            painter.end();
            return QByteArray(picture.data(), qsizetype(picture.size()));
        };
        QCOMPARE(recorded(true), recorded(false));
    }
};

QTEST_MAIN(QtDrawContextTest)
#include "qt_draw_context_test.moc"
