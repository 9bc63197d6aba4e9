// SPDX-License-Identifier: GPL-3.0-or-later
#include "pixel_colour.h"
#include "recording_draw_context.h"
#include "shown_view.h"
#include "view/chart_view.h"

#include "model/tree_settings.h"

#include <QDialog>
#include <QScrollBar>
#include <QTest>

using Rec = RecordingDrawContext;

Q_DECLARE_METATYPE(Cell)

namespace {

Person* addPerson(Tree& tree, Cell cell, Links links = {}, const char* text = "Name|born")
{
    auto* box = new Person(String(text), cell, links);
    tree.append(box);
    return box;
}

} // namespace

class StirpaViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { treeSettings() = TreeSettings(); }
    void cleanup() { treeSettings() = TreeSettings(); }

    void constructionSetsTheCurrentView()
    {
        {
            ChartView view;
            QCOMPARE(currentView, &view);
            QVERIFY(!view.tree);
            QCOMPARE(view.currentCell, noCell);
            QCOMPARE(view.pasteBuffer.kind(), 'Z');
        }
        QVERIFY(currentView == nullptr);
    }

    void newTreeReplacesTheTree()
    {
        ChartView view;
        view.newTree(String("first"));
        view.currentCell = {2, 3};
        addPerson(*view.tree, {0, 0});
        view.newTree(String("second"));
        QCOMPARE(std::string(view.tree->name().c_str()), std::string("second"));
        QCOMPARE(view.tree->size(), std::size_t(0));
        QCOMPARE(view.currentCell, noCell);
        QCOMPARE(view.generationColumn.tree, view.tree.get());

        auto loaded = std::make_unique<Tree>(String("loaded"));
        addPerson(*loaded, {1, 1});
        Tree* raw = loaded.get();
        view.currentCell = {1, 1};
        view.adoptTree(std::move(loaded));
        QCOMPARE(view.tree.get(), raw);
        QCOMPARE(view.generationColumn.tree, raw);
        QCOMPARE(view.currentCell, noCell);

        view.adoptTree(nullptr);
        QVERIFY(view.tree);
        QCOMPARE(view.tree->size(), std::size_t(0));
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
        ChartView view;
        view.resize(300, 200);
        view.newTree(String());
        for (const Cell& cell : persons)
            addPerson(*view.tree, cell);
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
        ChartView view;
        view.newTree(String());
        view.tree->append(new ContPerson(String("c"), {4, 3}, {}, 1));
        view.updateScrollSizes();
        QCOMPARE(view.totalSize(), QSize(4 * 140 + 35 + 150, 3 * 70 + 10 + 150));
    }

    void updateScrollSizesNeverScrolls()
    {
        ShownView shown({200, 150});
        ChartView& view = shown.view;
        addPerson(*view.tree, {10, 10});
        view.updateScrollSizes();
        view.horizontalScrollBar()->setValue(300);
        view.verticalScrollBar()->setValue(200);
        addPerson(*view.tree, {20, 20});
        view.updateScrollSizes();
        QCOMPARE(view.scrollPosition(), QPoint(300, 200));
        QCOMPARE(view.horizontalScrollBar()->maximum(), 20 * 140 + 35 + 150 - 200);
    }

    void boxSizeChangeLeavesScrollSizesUntilRecomputed()
    {
        ChartView view;
        view.newTree(String());
        addPerson(*view.tree, {3, 2});
        view.updateScrollSizes();
        treeSettings().boxWidth = 200;
        QCOMPARE(view.totalSize(), QSize(605, 300));
        view.updateScrollSizes();
        QCOMPARE(view.totalSize(), QSize(3 * 220 + 35 + 150, 300));
    }

    void placeDialogMeasuresFromTheParentWindow()
    {
        QWidget frame;
        frame.setGeometry(100, 50, 500, 400);
        ChartView view(&frame);
        QDialog dialog(&frame);
        dialog.resize(120, 80);
        view.placeDialog(&dialog, QPoint(30, 20));
        QCOMPARE(dialog.pos(), frame.frameGeometry().topLeft() + QPoint(30, 20));
        QCOMPARE(dialog.size(), QSize(120, 80));
        view.placeDialog(nullptr, QPoint(1, 1));
    }

    // Near the screen's edge the dialog is moved in just enough to be whole:
    // flush against each edge it went past ('<' the near one, '>' the far one),
    // where it was asked to be ('=') along an axis it stayed on screen.
    void placeDialogKeepsTheDialogOnTheScreen_data()
    {
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<char>("alongX");
        QTest::addColumn<char>("alongY");
        QTest::newRow("past the right edge") << QPoint(10000, 20) << '>' << '=';
        QTest::newRow("past the bottom") << QPoint(30, 10000) << '=' << '>';
        QTest::newRow("past both") << QPoint(10000, 10000) << '>' << '>';
        QTest::newRow("before the left and top") << QPoint(-10000, -10000) << '<' << '<';
    }
    void placeDialogKeepsTheDialogOnTheScreen()
    {
        QFETCH(QPoint, offset);
        QFETCH(char, alongX);
        QFETCH(char, alongY);
        QWidget frame;
        frame.setGeometry(100, 50, 500, 400);
        ChartView view(&frame);
        QDialog dialog(&frame);
        dialog.resize(120, 80);
        view.placeDialog(&dialog, offset);
        const QRect room = frame.screen()->availableGeometry();
        const QRect placed = dialog.frameGeometry();
        const QPoint asked = frame.frameGeometry().topLeft() + offset;
        const auto expected = [](char where, int nearEdge, int farEdge, int length, int wanted) {
            return where == '<' ? nearEdge : where == '>' ? farEdge + 1 - length : wanted;
        };
        QCOMPARE(placed.x(),
                 expected(alongX, room.left(), room.right(), placed.width(), asked.x()));
        QCOMPARE(placed.y(),
                 expected(alongY, room.top(), room.bottom(), placed.height(), asked.y()));
        QVERIFY(room.contains(placed));
    }

    void paintDrawsOnlyWhatReachesTheArea()
    {
        ChartView view;
        view.newTree(String());
        Tree& tree = *view.tree;
        Person* far = addPerson(tree, {9, 9});
        Person* inside = addPerson(tree, {1, 1});
        // Column 0 ends at x 155; its right connector reaches into column 1.
        Person* reaching = addPerson(tree, {0, 1}, {60, 0});
        addPerson(tree, {0, 5});
        tree.selected = inside;
        // Cell (1, 1) is at (175, 80) to (295, 130).
        Rec dc(Rect{200, 90, 260, 120});
        view.OnDraw(dc);

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
        Q_UNUSED(far);
        Q_UNUSED(reaching);
    }

    void paintWithEmptyClipFillsTheClientArea()
    {
        ChartView view;
        Rec dc(Rect{}, Size{320, 240});
        view.OnDraw(dc); // no tree yet: the background only
        QCOMPARE(dc.steps.size(), std::size_t(1));
        QCOMPARE(dc.steps[0].rect, (Rect{0, 0, 320, 240}));
    }

    void paintPutsAShownSelectionFrameBack()
    {
        ChartView view;
        view.newTree(String());
        addPerson(*view.tree, {0, 0});
        view.tree->selectionFrame.current = view.tree->selectionFrame.start = cellOrigin({2, 2});
        view.tree->selectionFrame.drawn = true;
        Rec dc;
        view.OnDraw(dc);
        QCOMPARE(dc.steps.back().kind, Rec::EndXor);
        const auto outlines = dc.of(Rec::Box);
        QCOMPARE(outlines.back().rect, (Rect{315, 150, 435, 200}));
        QVERIFY(outlines.back().xor_);
        QVERIFY(view.tree->selectionFrame.drawn);
    }

    void pixelsOfAPaintedChart()
    {
        ShownView shown;
        Tree& tree = *shown.view.tree;
        addPerson(tree, {0, 0}, {20, 20});
        Person* marked = addPerson(tree, {1, 0}, {0, 20});
        marked->lineage = 2;
        tree.selected = addPerson(tree, {0, 1});
        shown.view.invalidateChart();
        const QImage image = shown.picture();

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
        addPerson(*shown.view.tree, {0, 0}, {20, 20});
        shown.view.invalidateChart();
        const QImage before = shown.picture();
        BoxTracker tracker;
        tracker.current = {50, 20};
        shown.view.windowContext()->beginXorOutline({}); // a context alone changes nothing
        QCOMPARE(shown.picture(), before);
        {
            auto dc = shown.view.windowContext();
            tracker.show(*dc, 1);
        }
        QVERIFY(shown.picture() != before);
        {
            auto dc = shown.view.windowContext();
            tracker.show(*dc, 0);
        }
        QCOMPARE(shown.picture(), before);
    }

    void boxDrawnAtOnceMatchesThePaint()
    {
        // Lines overlap (12 apart, fonts 14 and 16 high): a descender of one line
        // must survive the next line drawn over it, as in the paint.
        ShownView shown;
        Person* box = addPerson(*shown.view.tree, {0, 0}, {}, "Jgqy pgjy|gypsy jig|quay");
        shown.view.invalidateChart();
        shown.picture();
        shown.view.tree->selected = box;
        box->draw(*shown.view.windowContext(), true);
        const QImage atOnce = shown.picture();
        QCOMPARE(shown.freshPicture(), atOnce);
    }

    void windowContextDrawsAtTheScrollPosition()
    {
        ShownView shown({200, 150});
        ChartView& view = shown.view;
        addPerson(*view.tree, {8, 8});
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
                addPerson(*view.tree, {c, l}, {20, 20});
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
};

QTEST_MAIN(StirpaViewTest)
#include "chart_view_test.moc"
