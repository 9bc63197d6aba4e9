// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/dialog_placement.h"

#include <QDialog>
#include <QScreen>
#include <QTest>

class DialogPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void placeDialogMeasuresFromTheParentWindow()
    {
        QWidget frame;
        frame.setGeometry(100, 50, 500, 400);
        // The dialog belongs to a widget inside the window, as to the chart view.
        QWidget inner(&frame);
        QDialog dialog(&inner);
        dialog.resize(120, 80);
        placeDialog(&dialog, QPoint(30, 20));
        QCOMPARE(dialog.pos(), frame.frameGeometry().topLeft() + QPoint(30, 20));
        QCOMPARE(dialog.size(), QSize(120, 80));
        placeDialog(nullptr, QPoint(1, 1));
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
        // The dialog belongs to a widget inside the window, as to the chart view.
        QWidget inner(&frame);
        QDialog dialog(&inner);
        dialog.resize(120, 80);
        placeDialog(&dialog, offset);
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
};

QTEST_MAIN(DialogPlacementTest)
#include "dialog_placement_test.moc"
