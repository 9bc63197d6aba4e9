// SPDX-License-Identifier: GPL-3.0-or-later
#include "shown_view.h"

#include <QScrollBar>
#include <QSignalSpy>

Q_DECLARE_METATYPE(Cell)

namespace {

// Boxes whose farthest column is 4 and deepest level 3.
void addChart(ShownView& v)
{
    for (Cell cell : {Cell{0, 0}, Cell{0, 3}, Cell{2, 2}, Cell{4, 0}, Cell{1, 1}})
        v.add(cell);
}

} // namespace

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    void keysMoveTheSelection_data()
    {
        QTest::addColumn<Cell>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<Cell>("expected"); // noCell: nothing happens
        const int none = Qt::NoModifier;
        QTest::newRow("left at column 0") << Cell{0, 3} << int(Qt::Key_Left) << none << noCell;
        QTest::newRow("up from (0,3)") << Cell{0, 3} << int(Qt::Key_Up) << none << Cell{0, 2};
        QTest::newRow("up at level 0") << Cell{3, 0} << int(Qt::Key_Up) << none << noCell;
        QTest::newRow("left") << Cell{3, 2} << int(Qt::Key_Left) << none << Cell{2, 2};
        QTest::newRow("right") << Cell{3, 2} << int(Qt::Key_Right) << none << Cell{4, 2};
        QTest::newRow("right at the farthest column")
            << Cell{4, 2} << int(Qt::Key_Right) << none << noCell;
        QTest::newRow("down") << Cell{2, 2} << int(Qt::Key_Down) << none << Cell{2, 3};
        QTest::newRow("down at the deepest level")
            << Cell{2, 3} << int(Qt::Key_Down) << none << noCell;
        QTest::newRow("end onto an empty cell")
            << Cell{1, 1} << int(Qt::Key_End) << none << Cell{4, 3};
        QTest::newRow("home") << Cell{3, 2} << int(Qt::Key_Home) << none << Cell{0, 0};
        QTest::newRow("ctrl does not matter")
            << Cell{1, 1} << int(Qt::Key_Right) << int(Qt::ControlModifier) << Cell{2, 1};
        QTest::newRow("shift does not matter")
            << Cell{1, 1} << int(Qt::Key_Down) << int(Qt::ShiftModifier) << Cell{1, 2};
        QTest::newRow("alt makes it a system key")
            << Cell{1, 1} << int(Qt::Key_Right) << int(Qt::AltModifier) << noCell;
        QTest::newRow("page down") << Cell{1, 1} << int(Qt::Key_PageDown) << none << noCell;
        QTest::newRow("ctrl+r") << Cell{1, 1} << int(Qt::Key_R) << int(Qt::ControlModifier)
                                << noCell;
        QTest::newRow("ctrl+plus")
            << Cell{1, 1} << int(Qt::Key_Plus) << int(Qt::ControlModifier) << noCell;
        QTest::newRow("return") << Cell{1, 1} << int(Qt::Key_Return) << none << noCell;
    }
    void keysMoveTheSelection()
    {
        QFETCH(Cell, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(Cell, expected);
        ShownView v;
        addChart(v);
        v.view.selectCell(start);
        const QImage before = v.picture();
        QSignalSpy changes(&v.document, &ChartDocument::currentCellChanged);
        QTest::keyClick(&v.view, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        const Cell now = expected == noCell ? start : expected;
        QCOMPARE(v.view.currentCell(), now);
        QCOMPARE(v.document.selectedBox(), v.view.tree().findPerson(now));
        QCOMPARE(v.document.selection().frameShown, v.document.selectedBox() == nullptr);
        // A key that does nothing draws nothing either.
        QCOMPARE(changes.count(), expected == noCell ? 0 : 1);
        if (expected == noCell)
            QCOMPARE(v.picture(), before);
    }

    void endShowsTheFrameOnAnEmptyLastCell()
    {
        ShownView v({800, 400});
        addChart(v);
        const QImage plain = v.picture();
        QTest::keyClick(&v.view, Qt::Key_End);
        QCOMPARE(v.view.currentCell(), (Cell{4, 3}));
        QVERIFY(v.document.selection().frameShown);
        QCOMPARE(v.document.selection().current, (Cell{4, 3}));
        const Point origin = v.origin({4, 3});
        const QRect frameArea(origin.x - 1, origin.y - 1, 122, 52);
        QVERIFY(v.picture().copy(frameArea) != plain.copy(frameArea));
        QCOMPARE(v.view.scrollPosition(), QPoint(0, 0));
        // Home takes it away again.
        QTest::keyClick(&v.view, Qt::Key_Home);
        QCOMPARE(v.picture().copy(frameArea), plain.copy(frameArea));
    }

    void homeSelectsTheFirstCellEvenWhenEmpty()
    {
        ShownView v;
        v.add({1, 1});
        QTest::keyClick(&v.view, Qt::Key_Home);
        QCOMPARE(v.view.currentCell(), (Cell{0, 0}));
        QVERIFY(!v.document.selectedBox());
        QVERIFY(v.document.selection().frameShown);
    }

    void theFirstArrowStartsAtTheTopLeftCell_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("left") << int(Qt::Key_Left);
        QTest::newRow("up") << int(Qt::Key_Up);
        QTest::newRow("right") << int(Qt::Key_Right);
        QTest::newRow("down") << int(Qt::Key_Down);
    }
    void theFirstArrowStartsAtTheTopLeftCell()
    {
        QFETCH(int, key);
        ShownView v;
        addChart(v);
        QCOMPARE(v.view.currentCell(), noCell);
        QTest::keyClick(&v.view, Qt::Key(key));
        QCOMPARE(v.view.currentCell(), (Cell{0, 0}));
        QCOMPARE(v.document.selectedBox(), v.view.tree().findPerson({0, 0}));
        // From there on the keys step; no sequence reaches a negative cell.
        const Qt::Key walk[] = {Qt::Key_Left, Qt::Key_Up,   Qt::Key_Right, Qt::Key_Left,
                                Qt::Key_Left, Qt::Key_Down, Qt::Key_Up,    Qt::Key_Up};
        for (Qt::Key k : walk) {
            QTest::keyClick(&v.view, k);
            QVERIFY(v.view.currentCell().column >= 0 && v.view.currentCell().level >= 0);
        }
        QCOMPARE(v.view.currentCell(), (Cell{0, 0}));
    }

    void anEmptyChartKeepsTheKeysOnTheFirstCell()
    {
        ShownView v;
        for (Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_End, Qt::Key_Left}) {
            QTest::keyClick(&v.view, k);
            QCOMPARE(v.view.currentCell(), (Cell{0, 0}));
        }
    }

    void theDialogsArrowsMoveLikeKeys()
    {
        ShownView v;
        addChart(v);
        v.view.selectCell({1, 1});
        v.view.stepSelection(Qt::RightArrow);
        QCOMPARE(v.view.currentCell(), (Cell{2, 1}));
        v.view.stepSelection(Qt::DownArrow);
        QCOMPARE(v.view.currentCell(), (Cell{2, 2}));
        v.view.stepSelection(Qt::LeftArrow);
        v.view.stepSelection(Qt::UpArrow);
        QCOMPARE(v.view.currentCell(), (Cell{1, 1}));
        v.view.stepSelection(Qt::NoArrow);
        QCOMPARE(v.view.currentCell(), (Cell{1, 1}));
        v.view.selectLastCell();
        QCOMPARE(v.view.currentCell(), (Cell{4, 3}));
        v.view.selectFirstCell();
        QCOMPARE(v.view.currentCell(), (Cell{0, 0}));
    }

    void aKeyMoveScrollsJustEnoughToShowTheCell()
    {
        ShownView v({300, 200});
        for (int c = 0; c <= 6; ++c)
            v.add({c, c});
        v.view.updateScrollSizes();
        QScrollBar* across = v.view.horizontalScrollBar();
        QScrollBar* down = v.view.verticalScrollBar();
        v.view.selectCell({0, 0});
        // Cell (1, 0) with its half gaps spans 165..305: five pixels too far.
        QTest::keyClick(&v.view, Qt::Key_Right);
        QCOMPARE(v.view.scrollPosition(), QPoint(305 - 300, 0));
        QTest::keyClick(&v.view, Qt::Key_Right);
        QCOMPARE(v.view.scrollPosition(), QPoint(2 * 140 + 35 + 120 + 10 - 300, 0));
        // Down: level 2 ends at 150 + 50 + 10 = 210.
        QTest::keyClick(&v.view, Qt::Key_Down);
        QTest::keyClick(&v.view, Qt::Key_Down);
        QCOMPARE(down->value(), 210 - 200);
        // A visible cell does not scroll.
        QTest::keyClick(&v.view, Qt::Key_Left);
        QCOMPARE(v.view.scrollPosition(), QPoint(145, 10));
        // The first column scrolls back to the chart's edge.
        QTest::keyClick(&v.view, Qt::Key_Home);
        QCOMPARE(v.view.scrollPosition(), QPoint(0, 0));
        // End: the last cell ends at 875 + 130 across and 430 + 60 down.
        QTest::keyClick(&v.view, Qt::Key_End);
        QCOMPARE(v.view.currentCell(), (Cell{6, 6}));
        QCOMPARE(across->value(), 1005 - 300);
        QCOMPARE(down->value(), 490 - 200);
        // What was moved and what was painted anew make the same picture.
        const QImage shown = v.picture();
        QCOMPARE(shown, v.freshPicture());
        QTest::keyClick(&v.view, Qt::Key_Left);
        QTest::keyClick(&v.view, Qt::Key_Left);
        QTest::keyClick(&v.view, Qt::Key_Up);
        QTest::keyClick(&v.view, Qt::Key_Up);
        QTest::keyClick(&v.view, Qt::Key_Up);
        const QImage shownAfter = v.picture();
        QCOMPARE(shownAfter, v.freshPicture());
    }

    // The scrolling keys move the view and leave the selection where it is.
    void scrollingKeysKeepTheSelection_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QPoint>("position");
        // The scroll area is 6 × 140 + 35 + 150 = 1025 wide and 6 × 70 + 10 + 150
        // = 580 high; the view 300 × 200, so it scrolls to (725, 380) at most.
        QTest::newRow("Page Down") << "pgdown" << QPoint(0, 200);
        QTest::newRow("Page Down past the end") << "pgdown pgdown pgdown" << QPoint(0, 380);
        QTest::newRow("Page Up at the top") << "pgup" << QPoint(0, 0);
        QTest::newRow("Page Down twice, Page Up") << "pgdown pgdown pgup" << QPoint(0, 180);
        QTest::newRow("Ctrl+End") << "ctrl+end" << QPoint(725, 380);
        QTest::newRow("Ctrl+End, Ctrl+Home") << "ctrl+end ctrl+home" << QPoint(0, 0);
    }
    void scrollingKeysKeepTheSelection()
    {
        QFETCH(QString, keys);
        QFETCH(QPoint, position);
        ShownView v({300, 200});
        for (int c = 0; c <= 6; ++c)
            v.add({c, c});
        v.view.updateScrollSizes();
        v.view.selectCell({1, 1});
        for (const QString& key : keys.split(' ')) {
            if (key == "pgdown")
                QTest::keyClick(&v.view, Qt::Key_PageDown);
            else if (key == "pgup")
                QTest::keyClick(&v.view, Qt::Key_PageUp);
            else
                QTest::keyClick(&v.view, key == "ctrl+end" ? Qt::Key_End : Qt::Key_Home,
                                Qt::ControlModifier);
        }
        QCOMPARE(v.view.scrollPosition(), position);
        QCOMPARE(v.view.currentCell(), (Cell{1, 1}));
        QCOMPARE(v.picture(), v.freshPicture());
    }

    void aClickDoesNotScroll()
    {
        ShownView v({300, 200});
        v.add({3, 3});
        v.view.updateScrollSizes();
        QTest::mouseClick(v.view.viewport(), Qt::LeftButton, Qt::NoModifier, v.inside({1, 1}));
        QCOMPARE(v.view.currentCell(), (Cell{1, 1}));
        QCOMPARE(v.view.scrollPosition(), QPoint(0, 0));
    }
};

QTEST_MAIN(KeysTest)
#include "keys_test.moc"
