// SPDX-License-Identifier: GPL-3.0-or-later
// The find bar as a user drives it: Ctrl+F, typing, Enter and Shift+Enter, F3,
// Esc; the match selected and centred, every match framed on screen only.
#include "app/editor/find_bar.h"
#include "app/editor/main_window.h"
#include "files/debug_log.h"
#include "dialogs/person_dialog.h"
#include "document/chart_document.h"
#include "private_home.h"
#include "test_files.h"
#include "view/chart_view.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

Q_DECLARE_METATYPE(Cell)

namespace {

// Three Merrows far apart, so that each match needs the view to move.
const QByteArray chart = "P 0j0 13:Aldous Merrow 0j0 0\n"
                         "P 40j0 9:Ada Finch 0j0 0\n"
                         "P 30j20 12:Owen MERROW 0j0 0\n"
                         "P 2j30 11:Zo\xC3\xAB Merrow 0j0 0\n";

// The orange of the mark frame, as painted into the view's image.
bool markedAt(const ChartView& view, QPoint point)
{
    return view.backingImage().pixelColor(point * view.backingImage().devicePixelRatio()) ==
           QColor(0xFF, 0x8C, 0x00);
}

} // namespace

class FindBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        redirectDebugLog(&log);
        usePrivateHome(state.path());
    }
    void cleanupTestCase() { redirectDebugLog(nullptr); }

    void stepsThroughTheMatches_data()
    {
        QTest::addColumn<QString>("keys"); // after typing "merrow"
        QTest::addColumn<QString>("status");
        QTest::addColumn<Cell>("selected");
        QTest::newRow("typed") << ""
                               << "1 of 3" << Cell{0, 0};
        QTest::newRow("Enter") << "enter"
                               << "2 of 3" << Cell{30, 20};
        QTest::newRow("Enter twice") << "enter enter"
                                     << "3 of 3" << Cell{2, 30};
        QTest::newRow("Enter wraps") << "enter enter enter"
                                     << "1 of 3" << Cell{0, 0};
        QTest::newRow("Shift+Enter wraps back") << "shift+enter"
                                                << "3 of 3" << Cell{2, 30};
        QTest::newRow("F3 from the chart") << "f3"
                                           << "2 of 3" << Cell{30, 20};
        QTest::newRow("Shift+F3") << "f3 shift+f3"
                                  << "1 of 3" << Cell{0, 0};
    }
    void stepsThroughTheMatches()
    {
        QFETCH(QString, keys);
        QFETCH(QString, status);
        QFETCH(Cell, selected);
        QTemporaryDir dir;
        const QString path = dir.filePath("find.txt");
        writeFile(path, chart);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.openChart(path));
        window.action(Command::EditFind)->trigger();
        FindBar* bar = window.findBar();
        QVERIFY(bar->isVisible());
        QTRY_VERIFY(bar->field()->hasFocus());
        QTest::keyClicks(bar->field(), "merrow");
        for (const QString& key : keys.split(' ', Qt::SkipEmptyParts)) {
            if (key == "enter")
                QTest::keyClick(bar->field(), Qt::Key_Return);
            else if (key == "shift+enter")
                QTest::keyClick(bar->field(), Qt::Key_Return, Qt::ShiftModifier);
            else if (key == "f3")
                QTest::keyClick(window.view(), Qt::Key_F3);
            else if (key == "shift+f3")
                QTest::keyClick(window.view(), Qt::Key_F3, Qt::ShiftModifier);
        }
        QCOMPARE(bar->status(), status);
        QCOMPARE(window.view()->currentCell(), selected);

        // The match is in the middle of the view, and framed there.
        const TreeSettings& s = window.view()->tree().settings();
        const Point origin = s.cellOrigin(selected);
        const QPoint inView = QPoint(origin.x, origin.y) - window.view()->scrollPosition();
        QVERIFY(window.view()->viewport()->rect().contains(inView + QPoint(s.boxWidth / 2, 0)));
        QTRY_VERIFY(markedAt(*window.view(), inView - QPoint(2, 2)));

        // Esc closes the bar and takes the frames away.
        QTest::keyClick(bar->field(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QTRY_VERIFY(!markedAt(*window.view(), inView - QPoint(2, 2)));
    }

    // With Define person open, the dialog follows each match as it follows the
    // selection.
    void theDefinePersonDialogFollowsTheMatch()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("find.txt");
        writeFile(path, chart);
        MainWindow window;
        window.show();
        QVERIFY(window.openChart(path));
        window.view()->selectCell({0, 0});
        window.definePerson();
        QVERIFY(window.personDialog() && window.personDialog()->isVisible());
        window.action(Command::EditFind)->trigger();
        QTest::keyClicks(window.findBar()->field(), "finch");
        QCOMPARE(window.view()->currentCell(), (Cell{40, 0}));
        QTRY_COMPARE(QByteArray(window.personDialog()->descriptionBytes().c_str()),
                     QByteArray("Ada Finch"));
    }

    void notFoundSaysSo()
    {
        MainWindow window;
        window.show();
        window.document()->newChart();
        window.action(Command::EditFind)->trigger();
        QTest::keyClicks(window.findBar()->field(), "nobody");
        QCOMPARE(window.findBar()->status(), QString("Not found"));
    }

private:
    std::ostringstream log;
    QTemporaryDir state;
};

QTEST_MAIN(FindBarTest)
#include "find_bar_test.moc"
