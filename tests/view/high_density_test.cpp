// SPDX-License-Identifier: GPL-3.0-or-later
// On a high-density screen the view draws in device pixels; scrolling, dragging
// and selecting must still show exactly what a fresh paint shows. Runs at the
// scale QT_SCALE_FACTOR gives, 2 when unset.
#include "shown_view.h"

#include <QApplication>
#include <QScrollBar>

Q_DECLARE_METATYPE(Cell)

namespace {

ShownView* chartOfRows(QSize viewport)
{
    auto* v = new ShownView(viewport);
    for (int level = 0; level < 6; ++level)
        for (int column = 0; column < 6; ++column)
            v->add({column, level}, "Name|b. 1900|d. 1970", {20, level < 5 ? 20 : 0});
    return v;
}

} // namespace

class HighDensityTest : public QObject {
    Q_OBJECT
private slots:
    void theImageHasTheScreensPixels()
    {
        ShownView v;
        const qreal ratio = v.view.viewport()->devicePixelRatioF();
        QVERIFY(ratio > 1);
        v.picture();
        QCOMPARE(v.view.backingImage().devicePixelRatio(), ratio);
        QCOMPARE(v.view.backingImage().size(), v.view.viewport()->size() * ratio);
    }

    void scrollingShowsWhatAFreshPaintShows_data()
    {
        QTest::addColumn<Cell>("selected");
        QTest::newRow("a box") << Cell{1, 1};
        QTest::newRow("an empty cell, framed") << Cell{6, 1};
    }
    void scrollingShowsWhatAFreshPaintShows()
    {
        QFETCH(Cell, selected);
        std::unique_ptr<ShownView> v(chartOfRows({300, 180}));
        v->view.selectCell(selected);
        v->picture();
        const QList<QPoint> positions = {{37, 0}, {37, 53}, {0, 21}, {140, 71}, {3, 3}};
        for (QPoint at : positions) {
            v->view.horizontalScrollBar()->setValue(at.x());
            v->view.verticalScrollBar()->setValue(at.y());
            const QImage scrolled = v->picture();
            QCOMPARE(scrolled, v->freshPicture());
        }
    }

    void theRubberBoxAndTheFrameLeaveNoTrace()
    {
        std::unique_ptr<ShownView> v(chartOfRows({400, 300}));
        const QImage before = v->picture();
        QWidget* port = v->view.viewport();
        QTest::mousePress(port, Qt::RightButton, Qt::NoModifier, v->inside({0, 0}));
        for (QPoint p : {v->inside({1, 1}), v->gapRightOf({1, 1}), v->inside({2, 0})})
            QTest::mouseMove(port, p);
        QVERIFY(v->picture() != before);
        QTest::mouseMove(port, v->gapRightOf({0, 0}));
        QTest::mouseRelease(port, Qt::RightButton, Qt::NoModifier, v->gapRightOf({0, 0}));
        QCOMPARE(v->picture(), before);

        v->view.selectCell({1, 1});
        v->document.cut();
        v->view.selectCell({5, 5});
        const QImage plain = v->freshPicture();
        v->view.selectCell({1, 1});
        QVERIFY(v->picture() != plain);
        v->view.selectCell({0, 0});
        v->view.selectCell({7, 7});
        v->view.selectCell({2, 2});
        v->view.selectCell({6, 0});
        QCOMPARE(v->picture(), plain);
    }
};

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HighDensityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "high_density_test.moc"
