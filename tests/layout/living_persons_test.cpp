// SPDX-License-Identifier: GPL-3.0-or-later
// Who counts as living on a given day, around the 100-year and 80-year edges,
// and what each living-person policy leaves of their box.
#include "layout/chart_import.h"
#include "gedcom/gedcom_reader.h"

#include <QtTest>

namespace {

// Ida Reuter, her husband Ulf Brandt (who died) and their son Tom.
QByteArray family(const QByteArray& ida, const QByteArray& tom)
{
    return "0 HEAD\n0 @I1@ INDI\n1 NAME Ida /Reuter/\n" + ida +
           "1 FAMS @F1@\n"
           "0 @I2@ INDI\n1 NAME Ulf /Brandt/\n1 BIRT\n2 DATE 1890\n1 DEAT\n2 DATE 1960\n"
           "1 FAMS @F1@\n"
           "0 @I3@ INDI\n1 NAME Tom /Brandt/\n" +
           tom +
           "1 FAMC @F1@\n"
           "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n1 MARR\n2 DATE 1939\n0 TRLR\n";
}

QByteArray born(const QByteArray& date) { return "1 BIRT\n2 DATE " + date + "\n2 PLAC Bonn\n"; }

constexpr CalendarDate midJune2025{2025, 6, 15};

// The texts of the family's chart with marriages, judged in mid-June 2025, and
// the living persons it named only or hid.
std::pair<QStringList, int> importFamily(const QByteArray& ida, LivingPolicy policy)
{
    ImportOptions options;
    options.description.marriages = true;
    options.description.living = policy;
    options.today = midJune2025;
    const ChartImport imported =
        importChart(readGedcom(family(ida, {}).toStdString()).data, options, "test");
    QStringList texts;
    imported.chart.tree().forEachPerson(
        [&](const Person* box) { texts << QString::fromStdString(box->text); });
    return {texts, imported.living};
}

} // namespace

Q_DECLARE_METATYPE(LivingPolicy)

class LivingPersonsTest : public QObject {
    Q_OBJECT
private slots:
    void judgesByDates_data();
    void judgesByDates();
    void describesByPolicy_data();
    void describesByPolicy();
    void privacyMarks_data();
    void privacyMarks();
};

void LivingPersonsTest::judgesByDates_data()
{
    QTest::addColumn<QByteArray>("ida");
    QTest::addColumn<QByteArray>("tom");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<bool>("living");

    const QByteArray none;
    QTest::newRow("born a day less than 100 years ago")
        << born("16 JUN 1925") << none << 2025 << 6 << 15 << true;
    QTest::newRow("born 100 years ago") << born("15 JUN 1925") << none << 2025 << 6 << 15 << false;
    QTest::newRow("born a day more than 100 years ago")
        << born("14 JUN 1925") << none << 2025 << 6 << 15 << false;
    QTest::newRow("the next day, at the edge")
        << born("16 JUN 1925") << none << 2025 << 6 << 16 << false;
    QTest::newRow("year alone, the year within") << born("1925") << none << 2025 << 6 << 15 << true;
    QTest::newRow("year alone, over") << born("1924") << none << 2025 << 6 << 15 << false;
    QTest::newRow("month alone, the month within")
        << born("JUN 1925") << none << 2025 << 6 << 15 << true;
    QTest::newRow("month alone, over") << born("MAY 1925") << none << 2025 << 6 << 15 << false;
    QTest::newRow("about a year") << born("ABT 1950") << none << 2025 << 6 << 15 << true;
    QTest::newRow("leap day, a day less") << born("1 MAR 1924") << none << 2024 << 2 << 29 << true;
    QTest::newRow("leap day, at the edge")
        << born("29 FEB 1924") << none << 2024 << 2 << 29 << false;
    QTest::newRow("christened, no birth")
        << QByteArray("1 CHR\n2 DATE 16 JUN 1925\n") << none << 2025 << 6 << 15 << true;
    QTest::newRow("died without a date") << born("1990") + "1 DEAT Y\n"
                                         << none << 2025 << 6 << 15 << false;
    QTest::newRow("buried without a date") << born("1990") + "1 BURI\n2 PLAC Bonn\n"
                                           << none << 2025 << 6 << 15 << false;
    QTest::newRow("no dates, child a day less than 80 years ago")
        << none << born("16 JUN 1945") << 2025 << 6 << 15 << true;
    QTest::newRow("no dates, child 80 years ago")
        << none << born("15 JUN 1945") << 2025 << 6 << 15 << false;
    QTest::newRow("no dates, child a day more than 80 years ago")
        << none << born("14 JUN 1945") << 2025 << 6 << 15 << false;
    QTest::newRow("no dates, child christened recently")
        << none << QByteArray("1 CHR\n2 DATE 2000\n") << 2025 << 6 << 15 << true;
    QTest::newRow("no dates, no dated child") << none << none << 2025 << 6 << 15 << false;
    QTest::newRow("born long ago, child recently")
        << born("1800") << born("2000") << 2025 << 6 << 15 << false;
}

void LivingPersonsTest::judgesByDates()
{
    QFETCH(QByteArray, ida);
    QFETCH(QByteArray, tom);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(bool, living);
    const GedcomLoad load = readGedcom(family(ida, tom).toStdString());
    QVERIFY(load);
    const std::vector<bool> found = livingPersons(load.data, {year, month, day});
    QCOMPARE(bool(found[0]), living);
    QCOMPARE(bool(found[1]), false); // Ulf died
}

void LivingPersonsTest::describesByPolicy_data()
{
    QTest::addColumn<QByteArray>("ida");
    QTest::addColumn<LivingPolicy>("policy");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("hidden"); // the living persons named only or hidden

    // Ida, Ulf beside her, Tom under them; Tom has no dates and no children.
    const QString ulfShown = "Ulf Brandt |b. 1890 |d. 1960 |m. 1939";
    const QString ulfPrivate = "Ulf Brandt |b. 1890 |d. 1960";
    for (const auto& [name, policy] :
         {std::pair{"show", LivingPolicy::Show}, std::pair{"name", LivingPolicy::NameOnly},
          std::pair{"hide", LivingPolicy::Hide}}) {
        const bool shows = policy == LivingPolicy::Show;
        const QString idaPrivate = policy == LivingPolicy::Hide ? "Living" : "Ida Reuter";
        QTest::addRow("%s, just inside", name)
            << born("16 JUN 1925") << policy
            << QStringList{shows ? "Ida Reuter |b. 16 Jun 1925, Bonn |m. 1939" : idaPrivate,
                           shows ? ulfShown : ulfPrivate, "Tom Brandt"}
            << (shows ? 0 : 1);
        QTest::addRow("%s, at the edge", name)
            << born("15 JUN 1925") << policy
            << QStringList{"Ida Reuter |b. 15 Jun 1925, Bonn |m. 1939", ulfShown, "Tom Brandt"}
            << 0;
        QTest::addRow("%s, just outside", name)
            << born("14 JUN 1925") << policy
            << QStringList{"Ida Reuter |b. 14 Jun 1925, Bonn |m. 1939", ulfShown, "Tom Brandt"}
            << 0;
    }
}

void LivingPersonsTest::describesByPolicy()
{
    QFETCH(QByteArray, ida);
    QFETCH(LivingPolicy, policy);
    QFETCH(QStringList, boxes);
    QFETCH(int, hidden);
    const auto [texts, living] = importFamily(ida, policy);
    QCOMPARE(texts, boxes);
    QCOMPARE(living, hidden);
}

void LivingPersonsTest::privacyMarks_data()
{
    QTest::addColumn<QByteArray>("mark"); // on Ida, who died long ago
    QTest::addColumn<LivingPolicy>("policy");
    QTest::addColumn<QString>("box");
    for (const auto& [name, policy] :
         {std::pair{"show", LivingPolicy::Show}, std::pair{"name", LivingPolicy::NameOnly},
          std::pair{"hide", LivingPolicy::Hide}, std::pair{"show-all", LivingPolicy::ShowAll}})
        for (const auto& [mark, marked] :
             {std::pair{"1 RESN privacy", true}, std::pair{"1 RESN CONFIDENTIAL, LOCKED", true},
              std::pair{"1 RESN locked", false}, std::pair{"1 RESN privat", false},
              std::pair{"1 EVEN\n2 RESN privacy", false}})
            QTest::addRow("%s, %s", mark, name)
                << QByteArray(mark) << policy
                << (!marked || policy == LivingPolicy::ShowAll
                        ? "Ida Reuter |b. 1800, Bonn |d. 1870 |m. 1939"
                        : (policy == LivingPolicy::NameOnly ? "Ida Reuter" : "Living"));
}

void LivingPersonsTest::privacyMarks()
{
    QFETCH(QByteArray, mark);
    QFETCH(LivingPolicy, policy);
    QFETCH(QString, box);
    QCOMPARE(
        importFamily(born("1800") + "1 DEAT\n2 DATE 1870\n" + mark + "\n", policy).first.front(),
        box);
    // Without the death record: the mark alone still decides.
    QCOMPARE(importFamily(born("1800") + mark + "\n", policy).first.front(),
             QString(box).remove(" |d. 1870"));
}

QTEST_APPLESS_MAIN(LivingPersonsTest)
#include "living_persons_test.moc"
