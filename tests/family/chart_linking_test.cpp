// SPDX-License-Identifier: GPL-3.0-or-later
// Linking a chart typed by hand to a family file: which boxes are linked, the
// choices read from the chart, and an update afterwards.
#include "family/chart_linking.h"
#include "family/chart_update.h"
#include "gedcom/gedcom_reader.h"

#include <QtTest>

namespace {

// Adam and Eva, their sons Cain (1010) and Abel; two Seths, born 1100 and 1105,
// sons of Abel; Cain's son Enoch.
const char family[] =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Adam /Root/\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Eva /Wife/\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Cain /Root/\n1 BIRT\n2 DATE 1010\n1 FAMC @F1@\n1 FAMS @F2@\n"
    "0 @I4@ INDI\n1 NAME Abel /Root/\n1 FAMC @F1@\n1 FAMS @F3@\n"
    "0 @I5@ INDI\n1 NAME Enoch /Root/\n1 FAMC @F2@\n"
    "0 @I6@ INDI\n1 NAME Seth /Root/\n1 BIRT\n2 DATE 1100\n1 FAMC @F3@\n"
    "0 @I7@ INDI\n1 NAME Seth /Root/\n1 BIRT\n2 DATE 1105\n1 FAMC @F3@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 CHIL @I5@\n"
    "0 @F3@ FAM\n1 HUSB @I4@\n1 CHIL @I6@\n1 CHIL @I7@\n0 TRLR\n";

GedcomData familyData()
{
    GedcomLoad load = readGedcom(family);
    if (!load)
        qFatal("%s", load.message().c_str());
    return std::move(load.data);
}

} // namespace

class ChartLinkingTest : public QObject {
    Q_OBJECT
private slots:
    void linksByNameAndYear_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("xref");
        QTest::newRow("a name alone") << QByteArray("Abel Root") << QByteArray("I4");
        QTest::newRow("name and year") << QByteArray("Cain Root |b. 1010") << QByteArray("I3");
        QTest::newRow("name and another year")
            << QByteArray("Cain Root |b. 1011") << QByteArray("-");
        QTest::newRow("a name two persons have") << QByteArray("Seth Root") << QByteArray("-");
        QTest::newRow("the first of the two by year")
            << QByteArray("Seth Root |b. 1100, Eden") << QByteArray("I6");
        QTest::newRow("the second of the two by year")
            << QByteArray("Seth Root |b. ABT 1105") << QByteArray("I7");
        QTest::newRow("another case") << QByteArray("abel root") << QByteArray("-");
        QTest::newRow("a note") << QByteArray("Notes |b. 1010") << QByteArray("-");
    }
    void linksByNameAndYear()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, xref);
        Chart chart;
        chart.mutableTree().append(std::make_unique<Person>("Adam Root", Cell{2, 1}, Links{0, 20}));
        const Person* box = chart.mutableTree().append(
            std::make_unique<Person>(text.toStdString(), Cell{2, 2}, Links{}));
        const ChartLinking linking = linkChart(chart, familyData(), "/f/family.ged", {});
        QVERIFY(linking);
        const RecordLink* record = chart.tree().records().find(box);
        QCOMPARE(record ? QByteArray::fromStdString(record->xref) : QByteArray("-"), xref);
        QCOMPARE(linking.linked, xref == "-" ? 1 : 2);
        QCOMPARE(int(linking.unmatched.size()), xref == "-" ? 1 : 0);
    }

    // Root, layout and generations as the chart shows them, unless given.
    void choicesFromTheChart_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("givenGenerations");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("descendants") << 0 << 0 << QByteArray("2:I1 d2");
        QTest::newRow("descendants, generations given") << 0 << 5 << QByteArray("2:I1 d5");
        QTest::newRow("ancestors") << 1 << 0 << QByteArray("2:I3 a2");
        QTest::newRow("hourglass") << 2 << 0 << QByteArray("2:I4 h2/2");
    }
    void choicesFromTheChart()
    {
        QFETCH(int, shape);
        QFETCH(int, givenGenerations);
        QFETCH(QByteArray, header);
        Chart chart;
        Tree& tree = chart.mutableTree();
        // Descendants: Adam above his sons Cain and Abel; ancestors: Cain alone
        // below his parents Adam and Eva; hourglass: Abel below his parents,
        // his sons below him, his brother Cain missing.
        const bool upward = shape > 0;
        tree.append(std::make_unique<Person>("Adam Root", Cell{3, 3}, Links{upward ? 20 : 0, 20}));
        tree.append(std::make_unique<Person>(upward ? "Eva Wife" : "Abel Root",
                                             Cell{4, upward ? 3 : 4}, Links{}));
        tree.append(std::make_unique<Person>(shape == 2 ? "Abel Root" : "Cain Root", Cell{3, 4},
                                             Links{shape == 0 ? 20 : 0, shape == 2 ? 20 : 0}));
        if (shape == 2) {
            tree.append(std::make_unique<Person>("Seth Root |b. 1100", Cell{3, 5}, Links{20, 0}));
            tree.append(std::make_unique<Person>("Seth Root |b. 1105", Cell{4, 5}, Links{}));
        }
        LinkChoices choices;
        if (givenGenerations > 0)
            choices.generations = givenGenerations;
        QVERIFY(linkChart(chart, familyData(), "/f/family.ged", choices));
        const FamilyLink& link = chart.familyLink();
        QByteArray layout(1, "dah"[int(link.layout)]);
        if (link.layout == LayoutKind::Hourglass)
            layout += QByteArray::number(link.ancestorGenerations) + '/';
        const QByteArray written = QByteArray::number(int(link.root.size())) + ":" +
                                   QByteArray::fromStdString(link.root) + " " + layout +
                                   QByteArray::number(link.generations);
        QCOMPARE(written, header);
    }

    // Once linked, an update brings in the persons the chart lacks.
    void updateAfterLinking()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        tree.append(std::make_unique<Person>("Adam Root", Cell{0, 0}, Links{0, 20}));
        tree.append(std::make_unique<Person>("Cain Root |b. 1010", Cell{0, 1}, Links{}));
        QVERIFY(
            linkChart(chart, familyData(), "/f/family.ged", {-1, LayoutKind::Descendants, 3, {}}));
        const ChartUpdate update = updateChart(chart, familyData(), {2026, 1, 1});
        QVERIFY(update);
        QStringList added;
        for (const UpdatedBox& entry : update.report.added)
            added << QString::fromStdString(entry.name);
        added.sort();
        QCOMPARE(added,
                 QStringList({"Abel Root", "Enoch Root", "Eva Wife", "Seth Root", "Seth Root"}));
        // The hand-typed texts are the user's and stay.
        QCOMPARE(tree.findPerson(Cell{0, 1})->text, std::string("Cain Root |b. 1010"));
    }

    // A chart of one line of descent upward: the lowest box is the root.
    void ancestorsLinkedThenUpdated()
    {
        Chart chart;
        Tree& tree = chart.mutableTree();
        tree.append(std::make_unique<Person>("Adam Root", Cell{0, 0}, Links{0, 20}));
        tree.append(std::make_unique<Person>("Cain Root", Cell{0, 1}, Links{}));
        const ChartLinking linking = linkChart(chart, familyData(), "/f/family.ged", {});
        QVERIFY(linking);
        QCOMPARE(chart.familyLink().root, std::string("I3"));
        QCOMPARE(chart.familyLink().layout, LayoutKind::Ancestors);
        const ChartUpdate update = updateChart(chart, familyData(), {2026, 1, 1});
        QVERIFY(update);
        QCOMPARE(QString::fromStdString(updateReportText(update.report)).section('\n', 0, 1),
                 QString("New persons: 1\n  Eva Wife (I2) at column 2, generation 1"));
    }

    // Where no box's dates tell the language, the continuation and see boxes'
    // words do; a see box, naming its person first, is linked to no one.
    void wordsTellTheLanguage_data()
    {
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("see");
        QTest::addColumn<int>("language");
        QTest::newRow("German") << "2 Kinder" << "Eva Wife |siehe Karte 03" << 1;
        QTest::newRow("English") << "2 children" << "Eva Wife |see main chart" << 0;
        QTest::newRow("older") << "2 children" << "see |Eva Wife, |column 3, generation 1" << 0;
    }
    void wordsTellTheLanguage()
    {
        QFETCH(QString, cut);
        QFETCH(QString, see);
        QFETCH(int, language);
        Chart chart;
        Tree& tree = chart.mutableTree();
        tree.append(std::make_unique<Person>("Adam Root", Cell{0, 0}, Links{0, 20}));
        tree.append(std::make_unique<Person>("Abel Root", Cell{0, 1}, Links{}));
        const Person* cutBox =
            tree.append(std::make_unique<ContPerson>(cut.toStdString(), Cell{0, 2}, Links{}, 2));
        tree.append(std::make_unique<Person>(see.toStdString(), Cell{2, 0}, Links{}));
        const ChartLinking linking =
            linkChart(chart, familyData(), "/f/family.ged", {-1, LayoutKind::Descendants, 2, {}});
        QVERIFY(linking && linking.linked == 2 && linking.unmatched.empty());
        QCOMPARE(int(chart.familyLink().dateLanguage), language);
        QVERIFY(updateChart(chart, familyData(), {2026, 1, 1}));
        QCOMPARE(QString::fromStdString(cutBox->text), cut);
    }

    void nothingMatches()
    {
        Chart chart;
        chart.mutableTree().append(std::make_unique<Person>("Nobody", Cell{0, 0}, Links{}));
        const ChartLinking linking = linkChart(chart, familyData(), "/f/family.ged", {});
        QVERIFY(!linking);
        QVERIFY(!chart.familyLink().linked());
    }
};

QTEST_APPLESS_MAIN(ChartLinkingTest)
#include "chart_linking_test.moc"
