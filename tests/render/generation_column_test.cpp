// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_draw_context.h"
#include "render/generation_column.h"

#include "model/chart.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <QTest>

using Rec = RecordingDrawContext;

namespace {

void addPerson(Tree& tree, Cell cell) { tree.append(std::make_unique<Person>("x", cell, Links{})); }

struct Number {
    std::string text;
    int bottom;
};

std::vector<Number> numbers(const Rec& dc)
{
    std::vector<Number> found;
    for (const auto& step : dc.of(Rec::Text)) {
        if (step.from.x != 2)
            continue;
        found.push_back({step.text, step.from.y});
    }
    // Drawn from the deepest level up; report them top down.
    std::sort(found.begin(), found.end(),
              [](const Number& a, const Number& b) { return a.bottom < b.bottom; });
    return found;
}

} // namespace

class GenerationColumnTest : public QObject {
    Q_OBJECT

private slots:
    void numbersAndPositions_data()
    {
        QTest::addColumn<char>("mode");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("boxHeight");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("bottoms");
        QTest::addColumn<int>("columnBottom");
        // Persons on levels 0 to 2.
        QTest::newRow("down") << 'd' << 1 << 50 << QStringList{"1", "2", "3"}
                              << QList<int>{30, 100, 170} << 3 * 70 - 35 + 10 + 20;
        QTest::newRow("up") << 'u' << 1 << 50 << QStringList{"3", "2", "1"}
                            << QList<int>{50, 120, 190} << 205;
        QTest::newRow("other letter counts as up")
            << 'x' << 1 << 50 << QStringList{"3", "2", "1"} << QList<int>{50, 120, 190} << 205;
        QTest::newRow("down from -5")
            << 'd' << -5 << 50 << QStringList{"-5", "-4", "-3"} << QList<int>{30, 100, 170} << 205;
        // Pitch 71: the downward numbers sit one pixel lower within their level.
        QTest::newRow("down, odd pitch") << 'd' << 1 << 51 << QStringList{"1", "2", "3"}
                                         << QList<int>{31, 102, 173} << 3 * 71 - 35 + 30;
        QTest::newRow("up, odd pitch")
            << 'u' << 1 << 51 << QStringList{"3", "2", "1"} << QList<int>{50, 121, 192} << 208;
    }

    void numbersAndPositions()
    {
        QFETCH(char, mode);
        QFETCH(int, start);
        QFETCH(int, boxHeight);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, bottoms);
        QFETCH(int, columnBottom);
        Chart chart;
        chart.settings().generationMode = mode;
        chart.settings().generationStart = start;
        chart.settings().boxHeight = boxHeight;
        Tree& tree = chart.mutableTree();
        addPerson(tree, {0, 0});
        addPerson(tree, {3, 2});
        addPerson(tree, {1, 1});
        Rec dc;
        paintGenerationColumn(dc, chart);

        const auto boxes = dc.of(Rec::Box);
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].rect, (Rect{0, 0, 25, columnBottom}));
        QCOMPARE(boxes[0].roundness, 0.0f);
        QCOMPARE(boxes[0].pen, colours::darkblue);
        QCOMPARE(boxes[0].brush, colours::generationFill);

        const auto found = numbers(dc);
        QCOMPARE(int(found.size()), texts.size());
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(QString::fromStdString(found[i].text), texts[i]);
            QCOMPARE(found[i].bottom, bottoms[i]);
        }
        QCOMPARE(dc.of(Rec::Text).front().textColour, colours::darkblue);
        // The column picks no font of its own.
        QVERIFY(dc.of(Rec::SetFont).empty());
    }

    // Zoomed out, the numbers grow in chart pixels to stay about 11 pixels on
    // screen; once a level is lower than that, one number stands for several.
    void zoomedOutNumbersStayLegible_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("fontHeight"); // 0: the surface's own font
        QTest::addColumn<QStringList>("numbers");
        const QStringList all = {"9", "8", "7", "6", "5", "4", "3", "2", "1"};
        QTest::newRow("100 %") << 1.0 << 0 << all;
        QTest::newRow("69 %") << 0.69 << 0 << all;
        QTest::newRow("50 %") << 0.5 << 22 << all;
        QTest::newRow("15 %, every second level")
            << 0.15 << 73 << QStringList{"9", "7", "5", "3", "1"};
        QTest::newRow("5 %, every fourth level") << 0.05 << 220 << QStringList{"9", "5", "1"};
    }
    void zoomedOutNumbersStayLegible()
    {
        QFETCH(double, scale);
        QFETCH(int, fontHeight);
        QFETCH(QStringList, numbers);
        Chart chart;
        chart.settings().generationMode = 'd';
        addPerson(chart.mutableTree(), {0, 8});
        Rec dc;
        dc.drawScale = scale;
        paintGenerationColumn(dc, chart);
        const auto fonts = dc.of(Rec::SetFont);
        QCOMPARE(int(fonts.size()), fontHeight ? 1 : 0);
        if (fontHeight)
            QCOMPARE(fonts.front().fontHeight, fontHeight);
        QStringList drawn;
        for (const auto& text : dc.of(Rec::Text))
            drawn << QString::fromStdString(text.text);
        QCOMPARE(drawn, numbers);
    }

    void nothingWhenHiddenEmptyOrOnlyContinuationBoxes()
    {
        // An empty chart with the default settings, as a new document starts on.
        const Chart untitled;
        Rec newDocument;
        paintGenerationColumn(newDocument, untitled);
        QVERIFY(newDocument.steps.empty());

        // A chart whose last box has gone.
        Chart chart;
        Tree& tree = chart.mutableTree();
        const Person* gone = tree.append(std::make_unique<Person>("x", Cell{0, 3}, Links{}));
        Rec one;
        paintGenerationColumn(one, chart);
        QVERIFY(!one.steps.empty());
        tree.erase(gone, UndoRecord::Cut);
        Rec empty;
        paintGenerationColumn(empty, chart);
        QVERIFY(empty.steps.empty());

        tree.append(std::make_unique<ContPerson>("c", Cell{0, 4}, Links{}, 2));
        Rec onlyContinuations;
        paintGenerationColumn(onlyContinuations, chart);
        QVERIFY(onlyContinuations.steps.empty());

        addPerson(tree, {0, 1});
        chart.settings().generationMode = 'h';
        Rec hidden;
        paintGenerationColumn(hidden, chart);
        QVERIFY(hidden.steps.empty());
    }

    void deepestPersonFollowsEdits()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        addPerson(tree, {0, 0});
        Person* moving = tree.append(std::make_unique<Person>("m", Cell{0, 1}, Links{}));
        auto count = [&] {
            Rec dc;
            paintGenerationColumn(dc, chart);
            return numbers(dc).size();
        };
        QCOMPARE(count(), std::size_t(2));
        moving->setCell({0, 5});
        QCOMPARE(count(), std::size_t(6));
        tree.insertLine('y', 0);
        QCOMPARE(count(), std::size_t(7));
        tree.erase(moving, UndoRecord::Cut);
        QCOMPARE(count(), std::size_t(2));
    }

    void onlyNumbersNearTheClipAreDrawn()
    {
        Chart chart;
        addPerson(chart.mutableTree(), {0, 999});
        // Levels 10 to 12 lie between y 710 and y 920.
        Rec dc(Rect{0, 720, 800, 900});
        paintGenerationColumn(dc, chart);
        const auto found = numbers(dc);
        QVERIFY(found.size() < 20);
        bool sawTwelve = false;
        for (const Number& n : found)
            sawTwelve = sawTwelve || n.text == "12";
        QVERIFY(sawTwelve);
        // The column rectangle still spans every level.
        QCOMPARE(dc.of(Rec::Box).front().rect.bottom, 1000 * 70 - 35 + 30);
    }
};

QTEST_MAIN(GenerationColumnTest)
#include "generation_column_test.moc"
