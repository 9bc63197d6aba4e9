// SPDX-License-Identifier: GPL-3.0-or-later
// The overview: every box shows, however small the picture; lineage boxes red;
// a click moves the view there.
#include "shown_view.h"
#include "view/chart_overview.h"

#include <QSignalSpy>
#include <QTest>

class ChartOverviewTest : public QObject {
    Q_OBJECT
private slots:
    void everyBoxShows_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("roomy") << QSize(400, 300);
        QTest::newRow("a pixel a box") << QSize(20, 15);
    }
    void everyBoxShows()
    {
        QFETCH(QSize, size);
        Chart chart;
        chart.mutableTree().append(std::make_unique<Person>("A", Cell{0, 0}, Links{}));
        auto red = std::make_unique<Person>("B", Cell{40, 30}, Links{});
        red->lineage = 1;
        chart.mutableTree().append(std::move(red));
        double scale = 0;
        const QImage image = chartOverviewImage(chart, size, &scale);
        QCOMPARE(image.size(), size);
        const auto at = [&](Cell cell) {
            const Point origin = chart.settings().cellOrigin(cell);
            return image.pixelColor(int(origin.x * scale), int(origin.y * scale));
        };
        QCOMPARE(at({0, 0}), QColor(0xFF, 0xFF, 0xAA)); // pale yellow
        QCOMPARE(at({40, 30}), QColor(Qt::red));
    }

    void aClickMovesTheView()
    {
        ShownView v({300, 200});
        v.add({0, 0});
        v.add({30, 30});
        ChartOverview overview(&v.view);
        overview.resize(200, 150);
        overview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&overview));
        QTest::mouseClick(&overview, Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
        QVERIFY(v.view.scrollPosition().x() > 0 && v.view.scrollPosition().y() > 0);
        // The frame follows the view: the clicked point is in its middle.
        const QRect frame = overview.shownFrame();
        QVERIFY(frame.contains(QPoint(100, 50)));
        QVERIFY(std::abs(frame.center().x() - 100) <= 2 && std::abs(frame.center().y() - 50) <= 2);
    }
};

QTEST_MAIN(ChartOverviewTest)
#include "chart_overview_test.moc"
