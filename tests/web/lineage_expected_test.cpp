// SPDX-License-Identifier: GPL-3.0-or-later
// The lineages the browser test expects the page to draw, held against the
// editor's own Tree > Find parent (ancestor, highlighted) on the same chart.
#include "document/chart_document.h"
#include "model/tree.h"

#include <QFile>
#include <QTest>

#include <map>

namespace {
const QString chartPath = STIRPA_TEST_DATA "/web/lineage.txt";
const QString expectedPath = STIRPA_TEST_DATA "/web/lineage_expected.tsv";

Cell cellOf(const QString& text)
{
    const QStringList parts = text.split(',');
    return {parts.value(0).toInt(), parts.value(1).toInt()};
}
} // namespace

class LineageExpectedTest : public QObject {
    Q_OBJECT
private slots:
    void editorDrawsWhatThePageMust_data();
    void editorDrawsWhatThePageMust();
};

void LineageExpectedTest::editorDrawsWhatThePageMust_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QString>("names");
    QFile file(expectedPath);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.startsWith('#') || line.isEmpty())
            continue;
        const QStringList fields = line.split('\t');
        QTest::newRow(qPrintable(fields.value(0)))
            << fields.value(0) << fields.value(1) << fields.value(2);
    }
}

void LineageExpectedTest::editorDrawsWhatThePageMust()
{
    QFETCH(QString, clicked);
    QFETCH(QString, marks);
    QFETCH(QString, names);
    ChartDocument document;
    QVERIFY(document.open(chartPath));
    QVERIFY(document.selectCell(cellOf(clicked)));
    // A click hits the box painted last at the cell; the search starts from its cell.
    const Person* top = nullptr;
    document.tree().forEachPerson([&](const Person* box) {
        if (box->cell() == cellOf(clicked))
            top = box;
    });
    const Person* start = document.selectedBox();
    const Person* found = document.findParent(true, true, {});
    std::map<std::pair<int, int>, int> drawn;
    document.tree().forEachPerson([&](const Person* box) {
        if (box->lineage)
            drawn[{box->column(), box->level()}] |= box->lineage;
    });
    std::map<std::pair<int, int>, int> expected;
    for (const QString& mark : marks.split(' ', Qt::SkipEmptyParts)) {
        const Cell cell = cellOf(mark.section(':', 0, 0));
        expected[{cell.column, cell.level}] = mark.section(':', 1).toInt();
    }
    QVERIFY(drawn == expected);
    // The names along the line: the box clicked, then each parent found.
    QStringList ancestors{QString::fromStdString(top->text).section(" |", 0, 0)};
    for (const Person* box = document.tree().findParent(start); found && box;
         box = document.tree().findParent(box))
        ancestors << QString::fromStdString(box->text).section(" |", 0, 0);
    QCOMPARE(ancestors.join('|'), names);
}

QTEST_GUILESS_MAIN(LineageExpectedTest)
#include "lineage_expected_test.moc"
