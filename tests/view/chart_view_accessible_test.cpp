// SPDX-License-Identifier: GPL-3.0-or-later
// A screen reader hears the current cell of the chart: its description and place.
#include "shown_view.h"

#include <QAccessible>
#include <QTest>

Q_DECLARE_METATYPE(Cell)

class ChartViewAccessibleTest : public QObject {
    Q_OBJECT
private slots:
    void theCurrentCellIsSpoken_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Cell>("cell");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        const QByteArray ann = "Ann  Lee|1900 \xE2\x80\x93 1980|";
        QTest::newRow("box") << ann << Cell{3, 2} << "Ann Lee 1900 \u2013 1980"
                             << "column 3, level 2";
        QTest::newRow("old file's bytes") << QByteArray("Jos\xE9|") << Cell{3, 2} << "Jos\u00E9"
                                          << "column 3, level 2";
        QTest::newRow("empty cell") << ann << Cell{1, 4} << "empty cell"
                                    << "column 1, level 4";
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

QTEST_MAIN(ChartViewAccessibleTest)
#include "chart_view_accessible_test.moc"
