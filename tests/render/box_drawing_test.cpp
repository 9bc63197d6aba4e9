// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_draw_context.h"
#include "render/qt_draw_context.h"

#include "model/person.h"
#include "model/tree_settings.h"

#include <QTest>

#include <memory>

using Rec = RecordingDrawContext;

Q_DECLARE_METATYPE(Rect)
Q_DECLARE_METATYPE(Point)

namespace {

const TreeSettings defaults;
constexpr Colour red = colours::red;
constexpr Colour darkblue = colours::darkblue;

std::unique_ptr<Person> person(const char* text, Links links = {}, int lineage = 0,
                               Cell cell = {1, 1})
{
    auto p = std::make_unique<Person>(text, cell, links);
    p->lineage = lineage;
    return p;
}

} // namespace

class BoxDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void connectorColoursFollowLineage_data()
    {
        QTest::addColumn<int>("lineage");
        QTest::addColumn<Colour>("right");
        QTest::addColumn<Colour>("down");
        QTest::newRow("none") << 0 << darkblue << darkblue;
        QTest::newRow("right") << 1 << red << darkblue;
        QTest::newRow("down") << 2 << darkblue << red;
        QTest::newRow("both") << 3 << red << red;
    }

    void connectorColoursFollowLineage()
    {
        QFETCH(int, lineage);
        QFETCH(Colour, right);
        QFETCH(Colour, down);
        Rec dc;
        person("A", {20, 30}, lineage)->draw(dc, defaults, false);
        const auto lines = dc.of(Rec::Line);
        QCOMPARE(lines.size(), std::size_t(2));
        // Cell (1, 1) starts at (175, 80).
        QCOMPARE(lines[0].from, (Point{295, 105}));
        QCOMPARE(lines[0].to, (Point{315, 105}));
        QCOMPARE(lines[0].pen, right);
        QCOMPARE(lines[1].from, (Point{235, 130}));
        QCOMPARE(lines[1].to, (Point{235, 160}));
        QCOMPARE(lines[1].pen, down);
    }

    void connectorsComeBeforeTheBoxAndOnlyWhenLinked()
    {
        Rec dc;
        person("A", {0, 20})->draw(dc, defaults, false);
        QCOMPARE(dc.of(Rec::Line).size(), std::size_t(1));
        QCOMPARE(dc.steps.front().kind == Rec::SetPen, true);
        int lineAt = -1, boxAt = -1;
        for (int i = 0; i < int(dc.steps.size()); ++i) {
            if (dc.steps[i].kind == Rec::Line)
                lineAt = i;
            if (dc.steps[i].kind == Rec::Box)
                boxAt = i;
        }
        QVERIFY(lineAt < boxAt);

        Rec bare;
        person("A")->draw(bare, defaults, false);
        QVERIFY(bare.of(Rec::Line).empty());
    }

    void personBoxColoursClipAndRestore_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<Colour>("outline");
        QTest::addColumn<Colour>("fill");
        QTest::newRow("normal") << false << darkblue << colours::paleyellow;
        QTest::newRow("selected") << true << colours::paleyellow << darkblue;
    }

    void personBoxColoursClipAndRestore()
    {
        QFETCH(bool, selected);
        QFETCH(Colour, outline);
        QFETCH(Colour, fill);
        Rec dc;
        person("Name|born", {20, 20}, 3)->draw(dc, defaults, selected);
        const auto boxes = dc.of(Rec::Box);
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].rect, (Rect{175, 80, 295, 130}));
        QCOMPARE(boxes[0].roundness, 0.15f);
        QCOMPARE(boxes[0].pen, outline);
        QCOMPARE(boxes[0].brush, fill);
        const auto texts = dc.of(Rec::Text);
        QCOMPARE(texts.size(), std::size_t(2));
        for (const auto& text : texts) {
            QCOMPARE(text.clip, (Rect{177, 82, 291, 126}));
            QCOMPARE(text.textColour, outline);
        }
        const auto colourSteps = dc.of(Rec::SetTextColours);
        QCOMPARE(colourSteps.back().background, fill);
        // The clipping is removed at the end.
        QCOMPARE(dc.steps.back().kind, Rec::SetClip);
        QVERIFY(dc.steps.back().rect.isEmpty());
    }

    void fontsAndBaselinesBySmallFontLine_data()
    {
        QTest::addColumn<int>("smallFontLine");
        QTest::addColumn<QList<bool>>("bold"); // per line A..E; bold lines are 16 high, others 14
        QTest::newRow("0: all small") << 0 << QList<bool>{false, false, false, false, false};
        QTest::newRow("1: name bold") << 1 << QList<bool>{true, false, false, false, false};
        QTest::newRow("3") << 3 << QList<bool>{true, true, true, false, false};
        QTest::newRow("4: never small") << 4 << QList<bool>{true, true, true, true, true};
        QTest::newRow("-1: never matches") << -1 << QList<bool>{true, true, true, true, true};
    }

    void fontsAndBaselinesBySmallFontLine()
    {
        QFETCH(int, smallFontLine);
        QFETCH(QList<bool>, bold);
        TreeSettings settings;
        settings.smallFontLine = smallFontLine;
        Rec dc;
        person("A|B|C|D|E", {}, 0, {0, 0})->draw(dc, settings, false);
        const auto texts = dc.of(Rec::Text);
        QCOMPARE(texts.size(), std::size_t(5));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(texts[i].text, std::string(1, char('A' + i)));
            QCOMPARE(texts[i].from, (Point{37, 10 + 16 + 12 * i}));
            QCOMPARE(texts[i].bold, bold[i]);
            QCOMPARE(texts[i].fontHeight, bold[i] ? 16 : 14);
        }
        QCOMPARE(dc.of(Rec::SetFont).front().text, std::string("Arial"));
    }

    void leadingBarGivesAnEmptyFirstLine()
    {
        Rec dc;
        person("|B", {}, 0, {0, 0})->draw(dc, defaults, false);
        const auto texts = dc.of(Rec::Text);
        QCOMPARE(texts.size(), std::size_t(2));
        QCOMPARE(texts[1].text, std::string("B"));
        QCOMPARE(texts[1].from, (Point{37, 10 + 28}));
        QCOMPARE(texts[1].fontHeight, 14);
        QVERIFY(!texts[1].bold);
    }

    void emptyDescriptionDrawsOnlyTheBox()
    {
        Rec dc;
        person("")->draw(dc, defaults, false);
        QVERIFY(dc.of(Rec::Text).empty());
        QCOMPARE(dc.of(Rec::Box).size(), std::size_t(1));
    }

    // Zoomed out, text goes first, then the frames: a box becomes a filled cell.
    // Connectors (and so the lineage's red) stay at every scale.
    void detailFollowsTheScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("texts");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("filledCells");
        QTest::newRow("100 %") << 1.0 << 2 << 1 << 0;
        QTest::newRow("35 %, readable") << 0.35 << 2 << 1 << 0;
        QTest::newRow("34 %, frames only") << 0.34 << 0 << 1 << 0;
        QTest::newRow("8 %") << 0.08 << 0 << 1 << 0;
        QTest::newRow("7 %, cells") << 0.07 << 0 << 0 << 1;
        QTest::newRow("2 %") << 0.02 << 0 << 0 << 1;
    }
    void detailFollowsTheScale()
    {
        QFETCH(double, scale);
        QFETCH(int, texts);
        QFETCH(int, frames);
        QFETCH(int, filledCells);
        for (const bool continuation : {false, true}) {
            Rec dc;
            dc.drawScale = scale;
            std::unique_ptr<Person> box;
            if (continuation) {
                auto cont = std::make_unique<ContPerson>();
                cont->text = "More|here";
                cont->setDirection(1);
                cont->setLinkLengths({20, 0});
                box = std::move(cont);
            } else {
                box = std::make_unique<Person>("Name|born", Cell{0, 0}, Links{20, 20});
                box->lineage = 3;
            }
            box->draw(dc, defaults, false);
            QCOMPARE(int(dc.of(Rec::Text).size()), texts);
            QCOMPARE(int(dc.of(Rec::Box).size()), frames);
            QCOMPARE(int(dc.of(Rec::FillBackground).size()), filledCells);
            // A lineage box stays red as a cell.
            if (filledCells)
                QCOMPARE(dc.of(Rec::FillBackground).front().colour,
                         continuation ? colours::palecyan : colours::red);
            QCOMPARE(int(dc.of(Rec::Line).size()), continuation ? 1 : 2);
        }
    }

    void continuationBoxes_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<Rect>("box"); // relative to the cell's corner
        QTest::addColumn<bool>("hasLine");
        QTest::addColumn<Point>("from"); // relative
        QTest::addColumn<Point>("to");
        // Links (20 right, 30 down) show which length each direction uses.
        QTest::newRow("up") << 0 << 120 << 50 << Rect{18, 0, 102, 35} << true << Point{60, 0}
                            << Point{60, -30};
        QTest::newRow("right") << 1 << 120 << 50 << Rect{36, 7, 120, 42} << true << Point{120, 25}
                               << Point{140, 25};
        QTest::newRow("down") << 2 << 120 << 50 << Rect{18, 14, 102, 49} << true << Point{60, 50}
                              << Point{60, 80};
        QTest::newRow("left") << 3 << 120 << 50 << Rect{0, 7, 84, 42} << true << Point{0, 25}
                              << Point{-20, 25};
        QTest::newRow("none") << 4 << 120 << 50 << Rect{18, 7, 102, 42} << false << Point{}
                              << Point{};
        QTest::newRow("out of range")
            << 7 << 120 << 50 << Rect{18, 7, 102, 42} << false << Point{} << Point{};
        // 121 x 51 truncates to the same steps and sizes; the anchors move with W/2.
        QTest::newRow("up odd") << 0 << 121 << 51 << Rect{18, 0, 102, 35} << true << Point{60, 0}
                                << Point{60, -30};
        QTest::newRow("right odd")
            << 1 << 121 << 51 << Rect{36, 7, 120, 42} << true << Point{120, 25} << Point{140, 25};
        QTest::newRow("down odd") << 2 << 121 << 51 << Rect{18, 14, 102, 49} << true
                                  << Point{60, 50} << Point{60, 80};
        QTest::newRow("left odd") << 3 << 121 << 51 << Rect{0, 7, 84, 42} << true << Point{0, 25}
                                  << Point{-20, 25};
        QTest::newRow("none odd") << 4 << 121 << 51 << Rect{18, 7, 102, 42} << false << Point{}
                                  << Point{};
    }

    void continuationBoxes()
    {
        QFETCH(int, direction);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(Rect, box);
        QFETCH(bool, hasLine);
        QFETCH(Point, from);
        QFETCH(Point, to);
        TreeSettings settings;
        settings.boxWidth = width;
        settings.boxHeight = height;
        const Point corner = settings.cellOrigin({2, 3});
        ContPerson cont("Family|chart 2|x", {2, 3}, {20, 30}, direction);
        cont.lineage = 3; // never turns its connector red
        Rec dc;
        cont.draw(dc, settings, false);

        const auto boxes = dc.of(Rec::Box);
        QCOMPARE(boxes.size(), std::size_t(1));
        const Rect expected{corner.x + box.left, corner.y + box.top, corner.x + box.right,
                            corner.y + box.bottom};
        QCOMPARE(boxes[0].rect, expected);
        QCOMPARE(boxes[0].brush, colours::palecyan);
        QCOMPARE(boxes[0].pen, darkblue);

        const auto lines = dc.of(Rec::Line);
        QCOMPARE(lines.size(), std::size_t(hasLine ? 1 : 0));
        if (hasLine) {
            QCOMPARE(lines[0].from, (Point{corner.x + from.x, corner.y + from.y}));
            QCOMPARE(lines[0].to, (Point{corner.x + to.x, corner.y + to.y}));
            QCOMPARE(lines[0].pen, darkblue);
        }

        const auto texts = dc.of(Rec::Text);
        QCOMPARE(texts.size(), std::size_t(3));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(texts[i].from, (Point{expected.left + 2, expected.top + 14 + 12 * i}));
            QCOMPARE(texts[i].fontHeight, 14);
            QVERIFY(!texts[i].bold);
            QCOMPARE(texts[i].clip, (Rect{expected.left + 2, expected.top + 2, expected.right - 4,
                                          expected.bottom - 4}));
        }
    }

    void selectedContinuationBoxColours()
    {
        ContPerson cont("x", {0, 0}, {20, 20}, 1);
        Rec dc;
        cont.draw(dc, defaults, true);
        const auto box = dc.of(Rec::Box).front();
        QCOMPARE(box.brush, darkblue);
        QCOMPARE(box.pen, colours::palecyan);
        QCOMPARE(dc.of(Rec::Text).front().textColour, colours::palecyan);
    }

    void cornerEllipseTruncates_data()
    {
        QTest::addColumn<Rect>("rect");
        QTest::addColumn<QSize>("ellipse");
        QTest::newRow("person 120x50") << Rect{0, 0, 120, 50} << QSize(18, 7);
        QTest::newRow("person 121x51") << Rect{0, 0, 121, 51} << QSize(18, 7);
        QTest::newRow("continuation 84x35") << Rect{0, 0, 84, 35} << QSize(12, 5);
        QTest::newRow("corners reversed") << Rect{120, 50, 0, 0} << QSize(18, 7);
        QTest::newRow("exact product 20x40") << Rect{0, 0, 20, 40} << QSize(3, 6);
    }

    void cornerEllipseTruncates()
    {
        QFETCH(Rect, rect);
        QFETCH(QSize, ellipse);
        QCOMPARE(QtDrawContext::cornerEllipse(rect, 0.15f), ellipse);
    }
};

QTEST_MAIN(BoxDrawingTest)
#include "box_drawing_test.moc"
