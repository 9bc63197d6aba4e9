// SPDX-License-Identifier: GPL-3.0-or-later
#include "shown_view.h"

#include "recording_draw_context.h"
#include "render/qt_draw_context.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

Q_DECLARE_METATYPE(Cell)

namespace {

// Connector lengths (right, down) in a form QCOMPARE prints.
QPoint linksOf(const Person* box) { return {box->links().right, box->links().down}; }

// A right-button drag through the given viewport points, released at the last.
void rightDrag(QWidget* viewport, const QList<QPoint>& path, Qt::KeyboardModifiers atRelease = {})
{
    QTest::mousePress(viewport, Qt::RightButton, Qt::NoModifier, path.first());
    for (qsizetype i = 1; i < path.size(); ++i)
        QTest::mouseMove(viewport, path[i]);
    QTest::mouseRelease(viewport, Qt::RightButton, atRelease, path.last());
}

// A right-button drag is under way: the viewport shows the cross cursor and
// holds the mouse.
bool dragging(const ShownView& v)
{
    const QWidget* port = v.view.viewport();
    return port->cursor().shape() == Qt::CrossCursor && QWidget::mouseGrabber() == port;
}

std::string textAt(const Tree& tree, Cell cell)
{
    const Person* box = tree.findPerson(cell);
    return box ? box->text.c_str() : "<none>";
}

} // namespace

class MouseTest : public QObject {
    Q_OBJECT

private slots:
    // Steps: "b x y" begin, "m x y" move, "e" end, "s 0|1" show, "r" redraw.
    void trackerDrawsEachOutlineInXor_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<QPoint>>("outlines"); // top-left of each box drawn
        QTest::addColumn<bool>("drawn");
        QTest::newRow("begin") << "b 100 40" << QList<QPoint>{{35, 10}} << true;
        QTest::newRow("a gap snaps to the upper-left cell")
            << "b 170 75" << QList<QPoint>{{35, 10}} << true;
        QTest::newRow("move takes the old outline off first")
            << "b 100 40;m 330 100" << QList<QPoint>{{35, 10}, {35, 10}, {315, 80}} << true;
        QTest::newRow("move after hiding draws only the new one")
            << "b 100 40;s 0;m 330 100" << QList<QPoint>{{35, 10}, {35, 10}, {315, 80}} << true;
        QTest::newRow("move without a gesture") << "m 330 100" << QList<QPoint>{} << false;
        QTest::newRow("end takes it off")
            << "b 100 40;m 330 100;e" << QList<QPoint>{{35, 10}, {35, 10}, {315, 80}, {315, 80}}
            << false;
        QTest::newRow("end without a gesture") << "e" << QList<QPoint>{} << false;
        QTest::newRow("a move after the end draws nothing")
            << "b 100 40;e;m 330 100" << QList<QPoint>{{35, 10}, {35, 10}} << false;
        QTest::newRow("a new begin takes a shown outline off")
            << "b 100 40;b 330 100" << QList<QPoint>{{35, 10}, {35, 10}, {315, 80}} << true;
        QTest::newRow("show twice draws once")
            << "b 100 40;s 0;s 1;s 1" << QList<QPoint>{{35, 10}, {35, 10}, {35, 10}} << true;
        QTest::newRow("hide when hidden draws nothing") << "s 0" << QList<QPoint>{} << false;
        QTest::newRow("redraw always draws")
            << "b 100 40;r" << QList<QPoint>{{35, 10}, {35, 10}} << true;
    }
    void trackerDrawsEachOutlineInXor()
    {
        QFETCH(QString, steps);
        QFETCH(QList<QPoint>, outlines);
        QFETCH(bool, drawn);
        RecordingDrawContext dc;
        const TreeSettings settings;
        DragTracker tracker(settings);
        for (const QString& step : steps.split(';')) {
            const QStringList word = step.split(' ');
            const Point at = word.size() > 2 ? Point{word[1].toInt(), word[2].toInt()} : Point{};
            if (word[0] == "b")
                tracker.begin(dc, at);
            else if (word[0] == "m")
                tracker.moveTo(dc, at);
            else if (word[0] == "e")
                tracker.end(dc);
            else if (word[0] == "r")
                tracker.redraw(dc);
            else
                tracker.show(dc, word[1] == "1");
        }
        QList<QPoint> tops;
        for (const auto& box : dc.of(RecordingDrawContext::Box)) {
            QVERIFY(box.xor_);
            QCOMPARE(box.roundness, 0.15f);
            QCOMPARE(box.pen, colours::white);
            QCOMPARE(box.brush, noColour);
            QCOMPARE(box.rect.right - box.rect.left, 120);
            QCOMPARE(box.rect.bottom - box.rect.top, 50);
            tops.append(QPoint(box.rect.left, box.rect.top));
        }
        QCOMPARE(tops, outlines);
        QCOMPARE(tracker.drawn(), drawn);
    }

    void trackerKeepsWhereTheDragStartedAndWhereItIs()
    {
        RecordingDrawContext dc({}, {800, 600});
        const TreeSettings settings;
        DragTracker tracker(settings);
        tracker.begin(dc, {100, 40});
        tracker.moveTo(dc, {900, 70});
        tracker.end(dc);
        QCOMPARE(tracker.current(), (Point{900, 70}));
        QCOMPARE(tracker.start(), (Point{100, 40}));
    }

    void leftPressSelectsOnlyInsideABox_data()
    {
        QTest::addColumn<QPoint>("offset"); // from the top-left pixel of cell (1, 1)
        QTest::addColumn<Cell>("selected");
        QTest::newRow("middle") << QPoint(60, 25) << Cell{1, 1};
        QTest::newRow("one pixel inside") << QPoint(1, 1) << Cell{1, 1};
        QTest::newRow("left border") << QPoint(0, 25) << noCell;
        QTest::newRow("bottom border") << QPoint(60, 50) << noCell;
        QTest::newRow("gap to the right") << QPoint(130, 25) << noCell;
        QTest::newRow("gap below") << QPoint(60, 60) << noCell;
    }
    void leftPressSelectsOnlyInsideABox()
    {
        QFETCH(QPoint, offset);
        QFETCH(Cell, selected);
        ShownView v;
        v.add({0, 0});
        const Point origin = v.origin({1, 1});
        QTest::mousePress(v.view.viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(origin.x, origin.y) + offset);
        QTest::mouseRelease(v.view.viewport(), Qt::LeftButton, Qt::NoModifier,
                            QPoint(origin.x, origin.y) + offset);
        QCOMPARE(v.view.currentCell(), selected);
        // An empty cell is marked by the frame; a miss shows nothing.
        QCOMPARE(v.document.selection().frameShown, selected != noCell);
        QVERIFY(!v.document.selectedBox());
        QVERIFY(!dragging(v));
    }

    void leftPressCountsTheScrollPosition()
    {
        ShownView v({300, 200});
        v.add({4, 3});
        v.view.updateScrollSizes();
        v.view.horizontalScrollBar()->setValue(400);
        v.view.verticalScrollBar()->setValue(150);
        QCOMPARE(v.view.scrollPosition(), QPoint(400, 150));
        QTest::mouseClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, v.inside({4, 3}));
        QCOMPARE(v.view.currentCell(), (Cell{4, 3}));
        QCOMPARE(v.document.selectedBox(), v.view.tree().findPerson({4, 3}));
    }

    void rightClickWithoutMovingChangesNothing()
    {
        ShownView v;
        v.add({0, 0}, "A");
        v.add({1, 0}, "B");
        QVERIFY(v.document.moveBox({1, 0}, {2, 0}));
        v.document.setModified(false);
        QSignalSpy edits(&v.document, &ChartDocument::changed);
        rightDrag(v.view.viewport(), {v.inside({0, 0})});
        QCOMPARE(textAt(v.view.tree(), {0, 0}), std::string("A"));
        QCOMPARE(edits.count(), 0);
        QVERIFY(!v.document.isModified());
        QVERIFY(!dragging(v));
        // A copy of a box onto itself is no copy either.
        rightDrag(v.view.viewport(), {v.inside({0, 0})}, Qt::ControlModifier);
        QCOMPARE(v.view.tree().size(), std::size_t(2));
        QCOMPARE(edits.count(), 0);
        QVERIFY(!v.document.isModified());
        // The move made before is still the one Undo takes back.
        QCOMPARE(QString::fromUtf8(v.view.tree().undoRecord().labelText()),
                 QStringLiteral("Undo move person"));
        v.document.undo();
        QCOMPARE(textAt(v.view.tree(), {1, 0}), std::string("B"));
    }

    void droppingWhereNoBoxCanBeChangesNothing_data()
    {
        QTest::addColumn<QPoint>("drop");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("gap, move") << QPoint(295, 35) << Qt::KeyboardModifiers();
        QTest::newRow("gap, copy") << QPoint(295, 35) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("box border") << QPoint(315, 35) << Qt::KeyboardModifiers();
        QTest::newRow("left of the grid") << QPoint(20, 35) << Qt::KeyboardModifiers();
        QTest::newRow("outside the window") << QPoint(-300, -40) << Qt::KeyboardModifiers();
    }
    void droppingWhereNoBoxCanBeChangesNothing()
    {
        QFETCH(QPoint, drop);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        ShownView v;
        v.add({0, 0}, "A");
        QSignalSpy edits(&v.document, &ChartDocument::changed);
        rightDrag(v.view.viewport(), {v.inside({0, 0}), v.inside({2, 0}), drop}, modifiers);
        QCOMPARE(textAt(v.view.tree(), {0, 0}), std::string("A"));
        QCOMPARE(v.view.tree().size(), std::size_t(1));
        QCOMPARE(edits.count(), 0);
        QVERIFY(!v.document.isModified());
        QVERIFY(!dragging(v));
    }

    void pressOnAnEmptyCellMovesNothing()
    {
        ShownView v;
        v.add({1, 0}, "B");
        QSignalSpy edits(&v.document, &ChartDocument::changed);
        rightDrag(v.view.viewport(), {v.inside({0, 0}), v.inside({1, 0})});
        QCOMPARE(textAt(v.view.tree(), {1, 0}), std::string("B"));
        QCOMPARE(textAt(v.view.tree(), {0, 0}), std::string("<none>"));
        QCOMPARE(edits.count(), 0);
        QVERIFY(!v.document.isModified());
    }

    void releaseWithoutPressIsIgnored()
    {
        ShownView v;
        v.add({0, 0}, "A");
        QSignalSpy edits(&v.document, &ChartDocument::changed);
        QTest::mouseRelease(v.view.viewport(), Qt::RightButton, Qt::NoModifier, v.inside({1, 0}));
        QTest::mouseRelease(v.view.viewport(), Qt::RightButton, Qt::ControlModifier,
                            v.inside({0, 0}));
        QCOMPARE(textAt(v.view.tree(), {0, 0}), std::string("A"));
        QCOMPARE(edits.count(), 0);
        QVERIFY(!v.document.isModified());
    }

    void ctrlCountsOnlyAtTheRelease_data()
    {
        QTest::addColumn<bool>("ctrlDuringDrag");
        QTest::addColumn<bool>("ctrlAtRelease");
        QTest::addColumn<bool>("copies");
        QTest::newRow("no ctrl") << false << false << false;
        QTest::newRow("ctrl let go before the button") << true << false << false;
        QTest::newRow("ctrl held at the release") << false << true << true;
        QTest::newRow("ctrl all along") << true << true << true;
    }
    void ctrlCountsOnlyAtTheRelease()
    {
        QFETCH(bool, ctrlDuringDrag);
        QFETCH(bool, ctrlAtRelease);
        QFETCH(bool, copies);
        ShownView v;
        v.add({0, 0}, "A", {20, 20});
        QSignalSpy edits(&v.document, &ChartDocument::changed);
        QWidget* port = v.view.viewport();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, v.inside({0, 0}));
        if (ctrlDuringDrag)
            QTest::keyPress(&v.view, Qt::Key_Control, Qt::ControlModifier);
        QTest::mouseMove(port, v.inside({1, 1}));
        QTest::mouseMove(port, v.inside({2, 1}));
        if (ctrlDuringDrag && !ctrlAtRelease)
            QTest::keyRelease(&v.view, Qt::Key_Control);
        QTest::mouseRelease(port, Qt::RightButton,
                            ctrlAtRelease ? Qt::ControlModifier : Qt::NoModifier, v.inside({2, 1}));
        if (ctrlDuringDrag && ctrlAtRelease)
            QTest::keyRelease(&v.view, Qt::Key_Control);

        QCOMPARE(textAt(v.view.tree(), {2, 1}), std::string("A"));
        QCOMPARE(textAt(v.view.tree(), {0, 0}), std::string(copies ? "A" : "<none>"));
        QCOMPARE(v.view.tree().size(), std::size_t(copies ? 2 : 1));
        QCOMPARE(linksOf(v.view.tree().findPerson({2, 1})), QPoint(20, 20));
        QCOMPARE(edits.count(), 1);
        QVERIFY(v.document.isModified());
        // A copy onto an empty cell cannot be undone; a move can.
        QCOMPARE(QString::fromUtf8(v.view.tree().undoRecord().labelText()),
                 copies ? QStringLiteral("Can't undo") : QStringLiteral("Undo move person"));
    }

    void dropOnABoxSwitchesOrOverwrites_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::newRow("move switches") << false;
        QTest::newRow("copy overwrites") << true;
    }
    void dropOnABoxSwitchesOrOverwrites()
    {
        QFETCH(bool, copy);
        ShownView v;
        v.add({0, 0}, "A");
        v.add({3, 2}, "B");
        rightDrag(v.view.viewport(), {v.inside({0, 0}), v.inside({3, 2})},
                  copy ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(textAt(v.view.tree(), {3, 2}), std::string("A"));
        QCOMPARE(textAt(v.view.tree(), {0, 0}), std::string(copy ? "A" : "B"));
        QCOMPARE(v.view.tree().undoRecord().kind(),
                 copy ? UndoRecord::DragCopy : UndoRecord::SwitchPersons);
    }

    void theDropCellIsWhereTheLastMoveWas()
    {
        ShownView v;
        v.add({0, 0}, "A");
        QWidget* port = v.view.viewport();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, v.inside({0, 0}));
        QTest::mouseMove(port, v.inside({2, 0}));
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, v.inside({3, 1}));
        QCOMPARE(textAt(v.view.tree(), {2, 0}), std::string("A"));
        QCOMPARE(textAt(v.view.tree(), {3, 1}), std::string("<none>"));
    }

    void aMovedBoxStaysSelected()
    {
        ShownView v;
        const Person* box = v.add({0, 0}, "A");
        QTest::mouseClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, v.inside({0, 0}));
        QCOMPARE(v.document.selectedBox(), box);
        rightDrag(v.view.viewport(), {v.inside({0, 0}), v.inside({2, 1})});
        QCOMPARE(box->cell(), (Cell{2, 1}));
        QCOMPARE(v.document.selectedBox(), box);
        QCOMPARE(v.view.currentCell(), (Cell{0, 0}));
        // Drawn highlighted at its new cell.
        const QImage shown = v.picture();
        const Point origin = v.origin({2, 1});
        QCOMPARE(shown.pixel(origin.x + 5, origin.y + 40),
                 QtDrawContext::toQColor(colours::darkblue).rgb());
    }

    void dragBeyondTheFarthestColumnGrowsTheScrollSizeAtOnce()
    {
        ShownView v({400, 300});
        v.add({0, 0}, "A");
        v.add({1, 0}, "B");
        v.view.updateScrollSizes();
        const int before = v.view.totalSize().width();
        QCOMPARE(before, 1 * 140 + 35 + 150);
        QCOMPARE(v.view.horizontalScrollBar()->maximum(), 0);
        rightDrag(v.view.viewport(), {v.inside({1, 0}), v.inside({2, 1})});
        QCOMPARE(v.view.totalSize(), QSize(2 * 140 + 35 + 150, 1 * 70 + 10 + 150));
        QCOMPARE(v.view.horizontalScrollBar()->maximum(), 2 * 140 + 35 + 150 - 400);
    }

    // Cells lie at column × 140 + 35 and level × 70 + 10, 120 × 50 each; a
    // viewport point at zoom z is the chart point times z.
    void clicksHitTheCellAtEveryZoom_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<Cell>("cell");
        QTest::newRow("50 %, second column") << 0.5 << QPoint(90, 17) << Cell{1, 0};
        QTest::newRow("50 %, in the gap") << 0.5 << QPoint(80, 17) << noCell;
        QTest::newRow("25 %, third level") << 0.25 << QPoint(20, 40) << Cell{0, 2};
        QTest::newRow("200 %, first box") << 2.0 << QPoint(90, 40) << Cell{0, 0};
        QTest::newRow("200 %, second row") << 2.0 << QPoint(360, 170) << Cell{1, 1};
        QTest::newRow("5 %, far cell") << 0.05 << QPoint(40, 12) << Cell{5, 3};
    }
    void clicksHitTheCellAtEveryZoom()
    {
        QFETCH(double, zoom);
        QFETCH(QPoint, point);
        QFETCH(Cell, cell);
        ShownView v({400, 300});
        v.add({5, 3});
        v.view.setZoom(zoom, {0, 0});
        QTest::mouseClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(v.view.currentCell(), cell);
    }

    // Ctrl+wheel zooms about the pointer: the chart point under it stays there.
    void ctrlWheelZoomsAboutThePointer_data()
    {
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<int>("notches"); // up zooms in
        QTest::addColumn<double>("zoom");
        QTest::newRow("in, near the bottom right corner")
            << QPoint(437, 361) << QPoint(371, 268) << 1 << 1.25;
        QTest::newRow("out, near the bottom right corner")
            << QPoint(437, 361) << QPoint(371, 268) << -1 << 0.8;
        QTest::newRow("in, near the top left corner")
            << QPoint(137, 61) << QPoint(23, 17) << 1 << 1.25;
        QTest::newRow("two notches out, near the top right corner")
            << QPoint(811, 233) << QPoint(383, 29) << -2 << 0.64;
    }
    void ctrlWheelZoomsAboutThePointer()
    {
        QFETCH(QPoint, scroll);
        QFETCH(QPoint, pointer);
        QFETCH(int, notches);
        QFETCH(double, zoom);
        ShownView v({400, 300});
        v.add({0, 0});
        v.add({20, 15}); // 3125 × 1280 chart pixels
        v.view.horizontalScrollBar()->setValue(scroll.x());
        v.view.verticalScrollBar()->setValue(scroll.y());
        QCOMPARE(v.view.scrollPosition(), scroll);
        const QPointF underPointer = QPointF(pointer + scroll) / v.view.zoom();
        QWidget* port = v.view.viewport();
        QWheelEvent wheel(pointer, port->mapToGlobal(QPointF(pointer)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(port, &wheel);
        QCOMPARE(v.view.zoom(), zoom);
        const QPointF shownAt = underPointer * v.view.zoom() - QPointF(v.view.scrollPosition());
        QVERIFY2(std::abs(shownAt.x() - pointer.x()) <= 1 &&
                     std::abs(shownAt.y() - pointer.y()) <= 1,
                 qPrintable(QStringLiteral("%1, %2").arg(shownAt.x()).arg(shownAt.y())));
    }

    // At another zoom a drag still drops where the outline was, and the XOR
    // outline leaves no trace.
    void aDragAtHalfSizeMovesTheBoxAndLeavesNoTrace()
    {
        ShownView v({400, 300});
        v.add({0, 0}, "A");
        v.view.setZoom(0.5, {0, 0});
        QWidget* port = v.view.viewport();
        const QImage before = v.picture();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, QPoint(47, 17));
        QTest::mouseMove(port, QPoint(117, 52)); // cell (1, 1)
        QVERIFY(v.picture() != before);          // the outline is showing
        QTest::mouseMove(port, QPoint(187, 87)); // cell (2, 2)
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, QPoint(187, 87));
        QVERIFY(v.tree().findPerson({2, 2}));
        QCOMPARE(v.picture(), v.freshPicture());
    }

    // Dropped past the window's edge, the box is scrolled into view, just so.
    void aBoxDroppedOutsideTheViewIsBroughtIntoView()
    {
        ShownView v({400, 300});
        v.add({0, 0}, "A");
        v.add({5, 3}, "far");
        v.view.updateScrollSizes();
        // Cell (3, 0) starts at 455: outside the 400 pixels shown.
        rightDrag(v.view.viewport(), {v.inside({0, 0}), v.inside({2, 0}), v.inside({3, 0})});
        QVERIFY(v.tree().findPerson({3, 0}));
        QCOMPARE(v.view.scrollPosition(), QPoint(3 * 140 + 35 + 120 + 10 - 400, 0));
        QCOMPARE(v.picture(), v.freshPicture());
    }

    void aLeftDoubleClickDefinesThePersonOfTheClickedCell()
    {
        ShownView v;
        const Person* box = v.add({1, 1}, "A");
        QSignalSpy asked(&v.view, &ChartView::definePersonRequested);
        QTest::mouseClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, v.inside({1, 1}));
        QCOMPARE(asked.count(), 0);
        QTest::mouseDClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, v.inside({1, 1}));
        QCOMPARE(v.document.selectedBox(), box);
        QCOMPARE(v.view.currentCell(), (Cell{1, 1}));
        QCOMPARE(asked.count(), 1);
        // A right double click is a press like any other: it starts a drag.
        QTest::mouseDClick(v.view.viewport(), Qt::RightButton, Qt::NoModifier, v.inside({1, 1}));
        QVERIFY(dragging(v));
        QTest::mouseRelease(v.view.viewport(), Qt::RightButton, Qt::NoModifier, v.inside({1, 1}));
        QVERIFY(!dragging(v));
        QCOMPARE(asked.count(), 1);
    }

    void theDragShowsACrossCursor()
    {
        ShownView v;
        v.add({0, 0});
        QWidget* port = v.view.viewport();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, v.inside({0, 0}));
        QVERIFY(dragging(v));
        QCOMPARE(port->cursor().shape(), Qt::CrossCursor);
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, v.inside({0, 0}));
        QCOMPARE(port->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!dragging(v));
    }

    void theRubberBoxLeavesNoTrace()
    {
        ShownView v;
        v.add({0, 0}, "A", {20, 20});
        v.add({1, 1}, "B");
        v.add({2, 0}, "C");
        const QImage before = v.picture();
        QWidget* port = v.view.viewport();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, v.inside({0, 0}));
        QVERIFY(v.picture() != before);
        // Through boxes, gaps (where it snaps to the upper-left cell) and back.
        for (QPoint p : {v.inside({1, 1}), v.gapRightOf({1, 1}), QPoint(12, 5), QPoint(700, 500),
                         v.inside({2, 0}), v.inside({3, 2})})
            QTest::mouseMove(port, p);
        const QImage during = v.picture();
        const Point last = v.origin({3, 2});
        const QRect outline(last.x, last.y, 120, 50);
        QVERIFY(during.copy(outline) != before.copy(outline));
        if (qEnvironmentVariableIsSet("STIRPA_TEST_PICTURES"))
            during.save("rubber_box.png");
        QTest::mouseMove(port, v.gapRightOf({0, 0}));
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, v.gapRightOf({0, 0}));
        QCOMPARE(v.picture(), before);
        QCOMPARE(v.view.tree().size(), std::size_t(3));
    }

    void theSelectionFrameLeavesNoTrace()
    {
        ShownView v;
        v.add({0, 0}, "A");
        const QImage plain = v.picture();
        const Point origin = v.origin({1, 1});
        const QRect frameArea(origin.x - 2, origin.y - 2, 124, 54);
        QTest::mouseClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, v.inside({1, 1}));
        QVERIFY(v.document.selection().frameShown);
        QVERIFY(v.picture().copy(frameArea) != plain.copy(frameArea));
        QTest::mouseClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, v.inside({0, 0}));
        QVERIFY(!v.document.selection().frameShown);
        QCOMPARE(v.picture().copy(frameArea), plain.copy(frameArea));
    }

    // Drawing that happens while the outline is up must not mix with it.
    void selectingDuringADragKeepsTheOutlineWhole()
    {
        ShownView v;
        v.add({0, 0}, "A");
        v.add({1, 0}, "B");
        QWidget* port = v.view.viewport();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, v.inside({0, 0}));
        QTest::mouseMove(port, v.inside({1, 0}));
        // A left press under the outline selects and draws the box there.
        QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, v.inside({1, 0}));
        QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, v.inside({1, 0}));
        QCOMPARE(v.view.currentCell(), (Cell{1, 0}));
        QVERIFY(dragging(v));
        // Dropped in a gap: nothing changes, so nothing is painted anew.
        QTest::mouseMove(port, v.gapRightOf({1, 1}));
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, v.gapRightOf({1, 1}));
        QCOMPARE(textAt(v.view.tree(), {0, 0}), std::string("A"));
        const QImage shown = v.picture();
        QCOMPARE(shown, v.freshPicture());
    }

    void scrollingDuringADragKeepsTheOutlineWhole()
    {
        // The outline of level 2 (150..200) reaches past the window's bottom.
        ShownView v({300, 180});
        v.add({0, 0}, "A");
        for (int c = 0; c < 6; ++c)
            v.add({c, 4}, "row");
        QWidget* port = v.view.viewport();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, v.inside({0, 0}));
        QTest::mouseMove(port, QPoint(150, 170));
        QWheelEvent wheel(QPointF(150, 170), port->mapToGlobal(QPointF(150, 170)), QPoint(),
                          QPoint(0, -120), Qt::RightButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(port, &wheel);
        QCOMPARE(v.view.scrollPosition(), QPoint(0, 60));
        // The window paints what scrolled in before the pointer moves on.
        v.picture();
        // Dropped in a gap: nothing changes, so nothing is painted anew.
        QTest::mouseMove(port, QPoint(90, 10));
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, QPoint(10, 5));
        QCOMPARE(textAt(v.view.tree(), {0, 0}), std::string("A"));
        const QImage shown = v.picture();
        QCOMPARE(shown, v.freshPicture());
    }
};

QTEST_MAIN(MouseTest)
#include "mouse_test.moc"
