// SPDX-License-Identifier: GPL-3.0-or-later
// The matches the browser test expects of the page's find, held against the
// editor's own find on the same chart.
#include "chartfile/chart_reader.h"
#include "model/chart_search.h"

#include <QFile>
#include <QTest>

class FindCasesTest : public QObject {
    Q_OBJECT
private slots:
    void editorFindsWhatThePageMust_data();
    void editorFindsWhatThePageMust();
};

void FindCasesTest::editorFindsWhatThePageMust_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("cells");
    QFile file(STIRPA_TEST_DATA "/web/find_cases.tsv");
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.startsWith('#') || line.isEmpty())
            continue;
        QTest::newRow(qPrintable(line.section('\t', 0, 0)))
            << line.section('\t', 0, 0) << line.section('\t', 1);
    }
}

void FindCasesTest::editorFindsWhatThePageMust()
{
    QFETCH(QString, query);
    QFETCH(QString, cells);
    const ChartLoad load = readChartFile(STIRPA_TEST_DATA "/web/accents.txt", TreeSettings());
    QVERIFY(load);
    QStringList found;
    for (const Cell cell : ChartSearch(load.chart.tree()).find(query.toStdString()))
        found << QString("%1,%2").arg(cell.column).arg(cell.level);
    QCOMPARE(found.join(' '), cells);
}

QTEST_APPLESS_MAIN(FindCasesTest)
#include "find_cases_test.moc"
