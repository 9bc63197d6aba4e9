// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixel_colour.h"
#include "recording_draw_context.h"
#include "render/chart_painter.h"
#include "shown_view.h"
#include "view/chart_view.h"

#include "document/chart_document.h"
#include "model/tree_settings.h"
#include "test_files.h"

#include <QAccessible>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using Rec = RecordingDrawContext;
// An edit made through the document, not the view.
using Edit = std::function<void(ChartDocument&, ChartView&)>;

Q_DECLARE_METATYPE(Cell)
Q_DECLARE_METATYPE(Edit)

namespace {

const Person* addPerson(ChartDocument& document, Cell cell, Links links = {},
                        const char* text = "Name|born", int lineage = 0)
{
    auto box = std::make_unique<Person>(text, cell, links);
    box->lineage = lineage;
    return document.addBox(std::move(box));
}

// The generation numbers a paint of the view writes, top down.
QStringList generationNumbers(ChartView& view)
{
    Rec dc;
    view.draw(dc);
    QStringList numbers;
    for (const auto& step : dc.of(Rec::Text))
        if (step.from.x == 2)
            numbers.prepend(QString::fromStdString(step.text));
    return numbers;
}

} // namespace

class ChartViewTest : public QObject {
    Q_OBJECT

private slots:
    void aNewDocumentsViewShowsAnEmptyChart()
    {
        ChartDocument document;
        {
            ChartView view(&document);
            QCOMPARE(view.document(), &document);
            QCOMPARE(&view.tree(), &document.tree());
            QCOMPARE(view.tree().size(), std::size_t(0));
            QVERIFY(!document.selectedBox());
            QCOMPARE(view.currentCell(), noCell);
            QCOMPARE(view.pasteBuffer().kind(), BoxKind::HeldAside);
            QVERIFY(!view.canPaste());
            QCOMPARE(view.totalSize(), QSize(185, 160));
        }
        // Nothing is left watching the document once the view is gone.
        document.newChart();
        addPerson(document, {0, 0});
        QVERIFY(document.moveBox({0, 0}, {1, 0}));
    }

    void newChartAndOpenReplaceTheChart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("loaded.txt");
        writeFile(path, "P 1j1 1:A 0j0 0\n");
        ChartDocument document;
        ChartView view(&document);
        QSignalSpy cells(&document, &ChartDocument::currentCellChanged);
        view.selectCell({2, 3});
        addPerson(document, {0, 2});
        QCOMPARE(generationNumbers(view), (QStringList{"1", "2", "3"}));
        document.newChart();
        QCOMPARE(&view.tree(), &document.tree());
        QCOMPARE(view.tree().size(), std::size_t(0));
        QCOMPARE(view.currentCell(), noCell);
        QCOMPARE(document.title(), QStringLiteral("Untitled"));
        QCOMPARE(cells.count(), 2);
        // The generation column follows the new chart.
        QCOMPARE(generationNumbers(view), QStringList());
        addPerson(document, {0, 0});
        QCOMPARE(generationNumbers(view), QStringList{"1"});

        view.selectCell({1, 1});
        QVERIFY(document.open(path));
        QCOMPARE(&view.tree(), &document.tree());
        QCOMPARE(std::string(view.tree().name().c_str()), std::string("loaded"));
        QCOMPARE(view.tree().size(), std::size_t(1));
        QVERIFY(view.tree().findPerson({1, 1}));
        QCOMPARE(view.currentCell(), noCell);
        QCOMPARE(generationNumbers(view), (QStringList{"1", "2"}));
        QCOMPARE(view.totalSize(), QSize(175 + 150, 80 + 150));

        // A file that cannot be read leaves the chart; a new chart is empty again.
        QVERIFY(!document.open(dir.filePath("missing.txt")));
        QCOMPARE(view.tree().size(), std::size_t(1));
        document.newChart();
        QCOMPARE(view.tree().size(), std::size_t(0));
        QCOMPARE(view.currentCell(), noCell);
        QCOMPARE(view.totalSize(), QSize(185, 160));
    }

    void scrollSizes_data()
    {
        QTest::addColumn<QList<Cell>>("persons");
        QTest::addColumn<QSize>("total");
        QTest::newRow("empty") << QList<Cell>{} << QSize(185, 160);
        QTest::newRow("farthest at column 3, level 2")
            << QList<Cell>{{1, 1}, {3, 0}, {0, 2}, {-4, -1}} << QSize(605, 300);
        QTest::newRow("negative cells never lower it") << QList<Cell>{{-3, -2}} << QSize(185, 160);
    }

    void scrollSizes()
    {
        QFETCH(QList<Cell>, persons);
        QFETCH(QSize, total);
        ChartDocument document;
        ChartView view(&document);
        view.resize(300, 200);
        for (const Cell& cell : persons)
            addPerson(document, cell);
        view.updateScrollSizes();
        QCOMPARE(view.totalSize(), total);
        QCOMPARE(view.horizontalScrollBar()->singleStep(), 20);
        QCOMPARE(view.verticalScrollBar()->singleStep(), 20);
        QCOMPARE(view.horizontalScrollBar()->pageStep(), view.windowSize().width());
        QCOMPARE(view.verticalScrollBar()->pageStep(), view.windowSize().height());
        QCOMPARE(view.windowSize(), QSize(300, 200));
    }

    void continuationBoxesWidenTheExtentToo()
    {
        ChartDocument document;
        ChartView view(&document);
        document.addBox(std::make_unique<ContPerson>("c", Cell{4, 3}, Links{}, 1));
        view.updateScrollSizes();
        QCOMPARE(view.totalSize(), QSize(4 * 140 + 35 + 150, 3 * 70 + 10 + 150));
    }

    void updateScrollSizesNeverScrolls()
    {
        ShownView shown({200, 150});
        ChartView& view = shown.view;
        addPerson(shown.document, {10, 10});
        view.updateScrollSizes();
        view.horizontalScrollBar()->setValue(300);
        view.verticalScrollBar()->setValue(200);
        addPerson(shown.document, {20, 20});
        view.updateScrollSizes();
        QCOMPARE(view.scrollPosition(), QPoint(300, 200));
        QCOMPARE(view.horizontalScrollBar()->maximum(), 20 * 140 + 35 + 150 - 200);
    }

    void boxSizeChangeLeavesScrollSizesUntilRecomputed()
    {
        ChartDocument document;
        ChartView view(&document);
        addPerson(document, {3, 2});
        view.updateScrollSizes();
        TreeSettings wider = document.chart().settings();
        wider.boxWidth = 200;
        QVERIFY(document.setSettings(wider));
        QCOMPARE(view.tree().settings().boxWidth, 200);
        QCOMPARE(view.totalSize(), QSize(605, 300));
        view.updateScrollSizes();
        // Past the last box's right edge: 150 past its corner no longer reaches it.
        QCOMPARE(view.totalSize(), QSize(3 * 220 + 35 + 200 + 30, 300));
    }

    void paintDrawsOnlyWhatReachesTheArea()
    {
        ChartDocument document;
        ChartView view(&document);
        addPerson(document, {9, 9});
        addPerson(document, {1, 1});
        // Column 0 ends at x 155; its right connector reaches into column 1.
        addPerson(document, {0, 1}, {60, 0});
        addPerson(document, {0, 5});
        document.selectCell({1, 1});
        // Cell (1, 1) is at (175, 80) to (295, 130).
        Rec dc(Rect{200, 90, 260, 120});
        view.draw(dc);

        const auto fills = dc.of(Rec::FillBackground);
        QCOMPARE(fills.size(), std::size_t(1));
        QCOMPARE(fills[0].rect, (Rect{200, 90, 260, 120}));
        QCOMPARE(fills[0].colour, colours::paleblue);
        std::vector<Rect> boxes;
        for (const auto& box : dc.of(Rec::Box))
            boxes.push_back(box.rect);
        // The generation column (deepest person at level 9), then list order.
        QCOMPARE(boxes.size(), std::size_t(3));
        QCOMPARE(boxes[1], (Rect{175, 80, 295, 130}));
        QCOMPARE(boxes[2], (Rect{35, 80, 155, 130}));
        QCOMPARE(dc.of(Rec::Box)[1].brush, colours::darkblue);
        QCOMPARE(dc.of(Rec::Box)[2].brush, colours::paleyellow);
    }

    void paintWithEmptyClipFillsTheClientArea()
    {
        // A new document's empty chart, and no chart at all: the background only.
        ChartDocument document;
        ChartView view(&document);
        Rec dc(Rect{}, Size{320, 240});
        view.draw(dc);
        QCOMPARE(dc.steps.size(), std::size_t(1));
        QCOMPARE(dc.steps[0].rect, (Rect{0, 0, 320, 240}));
        Rec noChart(Rect{}, Size{320, 240});
        paintChart(noChart, nullptr);
        QCOMPARE(noChart.steps.size(), std::size_t(1));
        QCOMPARE(noChart.steps[0].kind, Rec::FillBackground);
        QCOMPARE(noChart.steps[0].rect, (Rect{0, 0, 320, 240}));
    }

    void paintPutsAShownSelectionFrameBack()
    {
        ChartDocument document;
        ChartView view(&document);
        addPerson(document, {0, 0});
        document.selectCell({2, 2});
        Rec dc;
        view.draw(dc);
        QCOMPARE(dc.steps.back().kind, Rec::EndXor);
        const auto outlines = dc.of(Rec::Box);
        QCOMPARE(outlines.back().rect, (Rect{315, 150, 435, 200}));
        QVERIFY(outlines.back().xor_);
        QVERIFY(document.selection().frameShown);
    }

    void pixelsOfAPaintedChart()
    {
        ShownView shown;
        addPerson(shown.document, {0, 0}, {20, 20});
        addPerson(shown.document, {1, 0}, {0, 20}, "Name|born", 2);
        addPerson(shown.document, {0, 1});
        shown.document.selectCell({0, 1});
        shown.view.invalidateChart();
        const QImage image = shown.screen();

        QCOMPARE(pixelColour(image, 300, 250), colours::paleblue);
        QCOMPARE(pixelColour(image, 10, 50), colours::generationFill);
        QCOMPARE(pixelColour(image, 0, 50), colours::darkblue);
        QCOMPARE(pixelColour(image, 100, 55), colours::paleyellow);
        QCOMPARE(pixelColour(image, 35, 35), colours::darkblue);   // outline
        QCOMPARE(pixelColour(image, 150, 125), colours::darkblue); // selected fill
        QCOMPARE(pixelColour(image, 235, 65), colours::red);       // lineage connector
        QCOMPARE(pixelColour(image, 95, 65), colours::darkblue);   // plain down connector
        QCOMPARE(pixelColour(image, 160, 35), colours::darkblue);  // right connector
    }

    void xorOutlineLeavesTheImageUnchanged()
    {
        ShownView shown;
        addPerson(shown.document, {0, 0}, {20, 20});
        shown.view.invalidateChart();
        const QImage before = shown.picture();
        DragTracker tracker(shown.view.tree().settings());
        shown.view.windowContext()->beginXorOutline({}); // a context alone changes nothing
        QCOMPARE(shown.picture(), before);
        {
            auto dc = shown.view.windowContext();
            tracker.begin(*dc, {50, 20});
        }
        QVERIFY(shown.picture() != before);
        {
            auto dc = shown.view.windowContext();
            tracker.show(*dc, false);
        }
        QCOMPARE(shown.picture(), before);
    }

    // A change of selection is painted at once, and the same as a whole paint:
    // lines overlap (12 apart, fonts 14 and 16 high), so a descender of one line
    // must survive the next line drawn over it.
    void selectionPaintedAtOnceMatchesTheWholePaint_data()
    {
        QTest::addColumn<Cell>("first");
        QTest::addColumn<Cell>("second");
        QTest::newRow("empty cell to box") << Cell{3, 1} << Cell{1, 0};
        QTest::newRow("box to box") << Cell{1, 0} << Cell{2, 2};
        QTest::newRow("box to empty cell") << Cell{2, 2} << Cell{0, 1};
        QTest::newRow("empty cell to empty cell") << Cell{3, 1} << Cell{0, 2};
    }
    void selectionPaintedAtOnceMatchesTheWholePaint()
    {
        QFETCH(Cell, first);
        QFETCH(Cell, second);
        ShownView shown;
        addPerson(shown.document, {1, 0}, {20, 20}, "Jgqy pgjy|gypsy jig|quay");
        addPerson(shown.document, {2, 2}, {}, "Ann|1900");
        shown.view.invalidateChart();
        shown.picture();
        shown.view.selectCell(first);
        const QImage firstAtOnce = shown.view.backingImage().copy();
        QCOMPARE(shown.freshPicture(), firstAtOnce);
        shown.view.selectCell(second);
        // No paint event in between: the selection shows at once.
        const QImage secondAtOnce = shown.view.backingImage().copy();
        QVERIFY(secondAtOnce != firstAtOnce);
        QCOMPARE(shown.freshPicture(), secondAtOnce);
    }

    void windowContextDrawsAtTheScrollPosition()
    {
        ShownView shown({200, 150});
        ChartView& view = shown.view;
        addPerson(shown.document, {8, 8});
        view.updateScrollSizes();
        view.horizontalScrollBar()->setValue(100);
        view.verticalScrollBar()->setValue(40);
        shown.picture();
        {
            auto dc = view.windowContext();
            QCOMPARE(dc->clientSize(), (Size{200, 150}));
            dc->setPen(colours::red);
            dc->drawLine({150, 90}, {152, 90});
        }
        QCOMPARE(pixelColour(view.backingImage(), 50, 50), colours::red);
        QCOMPARE(pixelColour(view.backingImage(), 51, 50), colours::red);
        QCOMPARE(pixelColour(view.backingImage(), 52, 50), colours::paleblue);
    }

    void scrolledPictureEqualsAFreshPaint()
    {
        ShownView shown({300, 200});
        ChartView& view = shown.view;
        for (int c = 0; c < 6; ++c)
            for (int l = 0; l < 6; ++l)
                addPerson(shown.document, {c, l}, {20, 20});
        view.updateScrollSizes();
        view.invalidateChart();
        shown.picture();
        view.horizontalScrollBar()->setValue(130);
        view.verticalScrollBar()->setValue(45);
        shown.picture();
        view.horizontalScrollBar()->setValue(70);
        view.verticalScrollBar()->setValue(90);
        const QImage scrolled = shown.picture();
        QCOMPARE(shown.freshPicture(), scrolled);
    }

    // The view watches the document: an edit made there alone shows at the next
    // paint, and one that reaches past the extent widens the scroll area.
    void documentEditsShowInTheView_data()
    {
        QTest::addColumn<Edit>("prepare");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QSize>("total");
        using D = ChartDocument;
        using V = ChartView;
        const Edit nothing = [](D&, V&) {};
        const Edit move = [](D& d, V&) { d.moveBox({0, 0}, {4, 3}); };
        const Edit copy = [](D& d, V&) { d.copyBox({1, 1}, {2, 0}); };
        const Edit selectA = [](D&, V& v) { v.selectCell({0, 0}); };
        const Edit cut = [](D& d, V&) { d.cut(); };
        const Edit selectEmpty = [](D&, V& v) { v.selectCell({1, 0}); };
        const Edit paste = [](D& d, V&) { d.paste(*d.tree().findPerson({0, 0})); };
        const Edit insertColumn = [](D& d, V&) { d.insertLine('x', 0); };
        const Edit insertRow = [](D& d, V&) { d.insertLine('y', 1); };
        const Edit moveB = [](D& d, V&) { d.moveBox({1, 1}, {3, 1}); };
        const Edit undo = [](D& d, V&) { d.undo(); };
        const Edit define = [](D& d, V&) { d.definePerson({"New|one", {2, 0}, {gapX, 0}}); };
        const Edit narrow = [](D& d, V&) {
            TreeSettings narrower = d.chart().settings();
            narrower.boxWidth = 80;
            narrower.generationMode = 'u';
            d.setSettings(narrower);
        };
        // A at (0, 0) and B at (1, 1): 175 + 150 by 80 + 150.
        QTest::newRow("move past the extent") << nothing << move << QSize(595 + 150, 220 + 150);
        QTest::newRow("copy past the extent") << nothing << copy << QSize(315 + 150, 80 + 150);
        QTest::newRow("cut") << selectA << cut << QSize(175 + 150, 80 + 150);
        QTest::newRow("paste into the shown empty cell")
            << selectEmpty << paste << QSize(175 + 150, 80 + 150);
        QTest::newRow("insert a column") << nothing << insertColumn << QSize(315 + 150, 80 + 150);
        QTest::newRow("insert a row") << nothing << insertRow << QSize(175 + 150, 150 + 150);
        // Undo leaves the scroll area as the move made it.
        QTest::newRow("undo a move") << moveB << undo << QSize(455 + 150, 80 + 150);
        QTest::newRow("define a person past the extent")
            << nothing << define << QSize(315 + 150, 80 + 150);
        // New settings repaint; the scroll area waits for a refresh.
        QTest::newRow("narrower boxes") << nothing << narrow << QSize(175 + 150, 80 + 150);
    }
    void documentEditsShowInTheView()
    {
        QFETCH(Edit, prepare);
        QFETCH(Edit, edit);
        QFETCH(QSize, total);
        ShownView shown({400, 300});
        shown.add({0, 0}, "A", {20, 20});
        shown.add({1, 1}, "B");
        prepare(shown.document, shown.view);
        const QImage before = shown.picture();
        QSignalSpy changes(&shown.document, &ChartDocument::changed);
        edit(shown.document, shown.view);
        QCOMPARE(changes.count(), 1);
        QVERIFY(shown.document.isModified());
        const QImage after = shown.picture();
        QVERIFY(after != before);
        QCOMPARE(after, shown.freshPicture());
        QCOMPARE(shown.view.totalSize(), total);
    }

    // Zooming keeps the chart point under the pointer where it is, within the
    // zoom's range; Fit Chart shows all of it.
    void zoomKeepsThePointUnderTheAnchor_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("shown");
        QTest::newRow("twice as large") << 2.0 << 2.0;
        QTest::newRow("half size") << 0.5 << 0.5;
        QTest::newRow("past the largest") << 10.0 << 4.0;
        QTest::newRow("past the smallest") << 0.001 << 0.02;
    }
    void zoomKeepsThePointUnderTheAnchor()
    {
        QFETCH(double, zoom);
        QFETCH(double, shown);
        ShownView v({400, 300});
        v.add({20, 20});
        v.view.horizontalScrollBar()->setValue(700);
        v.view.verticalScrollBar()->setValue(500);
        const QPointF anchor(150, 100);
        const Point before = v.view.chartPointAt(anchor);
        QSignalSpy told(&v.view, &ChartView::zoomChanged);
        v.view.setZoom(zoom, anchor);
        QCOMPARE(v.view.zoom(), shown);
        QCOMPARE(told.count(), 1);
        // The scroll bars stop the view at the chart's edges when zoomed out.
        if (shown >= 1) {
            const Point after = v.view.chartPointAt(anchor);
            QVERIFY(std::abs(after.x - before.x) <= 1 && std::abs(after.y - before.y) <= 1);
        }
        QCOMPARE(v.picture(), v.freshPicture());

        v.view.fitChart();
        const QSize total = v.view.totalSize();
        QVERIFY(total.width() * v.view.zoom() <= 400 && total.height() * v.view.zoom() <= 300);
        QCOMPARE(v.view.scrollPosition(), QPoint(0, 0));
    }

    // A screen reader hears the current cell: its description and place.
    void theCurrentCellIsSpoken_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Cell>("cell");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        const QByteArray ann = "Ann  Lee|1900 \xE2\x80\x93 1980|";
        QTest::newRow("box") << ann << Cell{3, 2} << "Ann Lee 1900 \u2013 1980"
                             << "column 4, generation 3";
        QTest::newRow("old file's bytes") << QByteArray("Jos\xE9|") << Cell{3, 2} << "Jos\u00E9"
                                          << "column 4, generation 3";
        QTest::newRow("empty cell") << ann << Cell{1, 4} << "empty cell"
                                    << "column 2, generation 5";
    }
    void theCurrentCellIsSpoken()
    {
        QFETCH(QByteArray, text);
        QFETCH(Cell, cell);
        QFETCH(QString, name);
        QFETCH(QString, value);
        ShownView shown;
        shown.add({3, 2}, text.constData());
        shown.view.selectCell(cell);
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&shown.view);
        QVERIFY(chart);
        QCOMPARE(chart->role(), QAccessible::Canvas);
        QCOMPARE(chart->text(QAccessible::Name), name);
        QCOMPARE(chart->text(QAccessible::Value), value);
    }
};

QTEST_MAIN(ChartViewTest)
#include "chart_view_test.moc"
