// SPDX-License-Identifier: GPL-3.0-or-later
// A person's box text as a genealogist writes it, from the file's encoding.
#include "gedcom/gedcom_reader.h"
#include "layout/date_text.h"
#include "layout/person_description.h"
#include "layout/person_identity.h"

#include <QtTest>

namespace {
// A row named by its input, with the input's two expected texts.
void row(const char* input, const char* first, const char* second)
{
    QTest::newRow(input) << QString(input) << QString(first) << QString(second);
}
// A date's row: short and long in English, then in German (the same unless given).
void row(const char* input, const char* first, const char* second, const char* germanFirst,
         const char* germanSecond = nullptr)
{
    QTest::newRow(input) << QString(input) << QString(first) << QString(second)
                         << QString(germanFirst)
                         << QString(germanSecond ? germanSecond : germanFirst);
}
} // namespace

class PersonDescriptionTest : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QString>("name"); // the NAME line's value and parts
        QTest::addColumn<QString>("spaced");
        QTest::addColumn<QString>("kept");
        row("Edward_VII /Wettin/", "Edward VII Wettin", "Edward_VII Wettin");
        row("Louis /of_Hesse/", "Louis of Hesse", "Louis of_Hesse");
        row("_Ann__May_ /Lee/", "Ann May Lee", "_Ann__May_ Lee");
        row("\n2 GIVN Ann_May\n2 SURN von_Berg", "Ann May von Berg", "Ann_May von_Berg");
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, spaced);
        QFETCH(QString, kept);
        const GedcomLoad load = readGedcom(("0 HEAD\n0 @I1@ INDI\n1 NAME " + name).toStdString());
        QVERIFY(load);
        std::string text;
        for (const bool keep : {false, true}) {
            describePerson(load.data, 0, {.keepUnderscores = keep}, text);
            QCOMPARE(QString::fromStdString(text), keep ? kept : spaced);
        }
    }
    void dates_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("shortText");
        QTest::addColumn<QString>("longText");
        QTest::addColumn<QString>("germanShort");
        QTest::addColumn<QString>("germanLong");
        row("3 MAR 1820", "3 Mar 1820", "3 March 1820", "3. M\u00e4rz 1820");
        row("03 mar 1820", "3 Mar 1820", "3 March 1820", "3. M\u00e4rz 1820");
        row("MAR 1820", "Mar 1820", "March 1820", "M\u00e4rz 1820");
        row("12 OCT 1820", "12 Oct 1820", "12 October 1820", "12. Okt. 1820", "12. Oktober 1820");
        row("ABT 1848", "abt. 1848", "about 1848", "um 1848", "etwa 1848");
        row("CAL 1848", "cal. 1848", "calculated 1848", "err. 1848", "errechnet 1848");
        row("EST 1848", "est. 1848", "estimated 1848", "gesch. 1848", "gesch\u00e4tzt 1848");
        row("BEF 1850", "bef. 1850", "before 1850", "vor 1850");
        row("AFT 3 MAR 1850", "aft. 3 Mar 1850", "after 3 March 1850", "nach 3. M\u00e4rz 1850");
        row("BET 1822 AND 1823", "1822\u20131823", "between 1822 and 1823", "1822\u20131823",
            "zwischen 1822 und 1823");
        row("FROM 1822 TO 1823", "1822\u20131823", "from 1822 to 1823", "1822\u20131823",
            "von 1822 bis 1823");
        row("BET 3 MAR 1820 AND 1821", "3 Mar 1820 \u2013 1821", "between 3 March 1820 and 1821",
            "3. M\u00e4rz 1820 \u2013 1821", "zwischen 3. M\u00e4rz 1820 und 1821");
        row("FROM 1900", "from 1900", "from 1900", "ab 1900");
        row("TO 1900", "to 1900", "to 1900", "bis 1900");
        row("JULIAN 12 APR 1890", "12 Apr 1890 (Julian)", "12 April 1890 (Julian)",
            "12. Apr. 1890 (julianisch)", "12. April 1890 (julianisch)");
        row("@#DJULIAN@ 12 APR 1890", "12 Apr 1890 (Julian)", "12 April 1890 (Julian)",
            "12. Apr. 1890 (julianisch)", "12. April 1890 (julianisch)");
        row("@#DHEBREW@ 5 TSH 5600", "5 Tishrei 5600 (Hebrew)", "5 Tishrei 5600 (Hebrew)",
            "5. Tishrei 5600 (j\u00fcdisch)");
        row("FRENCH_R 1 VEND 2", "1 Vend. 2 (French Republican)",
            "1 Vend\u00e9miaire 2 (French Republican)", "1. Vend. 2 (Revolutionskalender)",
            "1. Vend\u00e9miaire 2 (Revolutionskalender)");
        row("GREGORIAN 1 JAN 1900", "1 Jan 1900", "1 January 1900", "1. Jan. 1900",
            "1. Januar 1900");
        row("INT 1995 (from estimated age)", "1995 (from estimated age)",
            "1995 (from estimated age)", "1995 (from estimated age)");
        row("(stillborn)", "(stillborn)", "(stillborn)", "(stillborn)");
        row("1699/00", "1699/00", "1699/00", "1699/00");
        row("44 B.C.", "44 BC", "44 BC", "44 v. Chr.");
        row("31 JAN 1", "31 Jan 1", "31 January 1", "31. Jan. 1", "31. Januar 1");
        row("@#DROMAN@ 5 MAR 753", "5 MAR 753 (Roman)", "5 MAR 753 (Roman)",
            "5 MAR 753 (r\u00f6misch)");
        row("@#DUNKNOWN@ 1900", "1900 (calendar unknown)", "1900 (calendar unknown)",
            "1900 (Kalender unbekannt)");
        row("BET @#DJULIAN@ 1700 AND @#DGREGORIAN@ 1800", "1700 (Julian) \u2013 1800",
            "between 1700 (Julian) and 1800", "1700 (julianisch) \u2013 1800",
            "zwischen 1700 (julianisch) und 1800");
        for (const char* unread : {"BET 1800", "ABT", "1 JAN 1900 Sunday", "@#D@ 1900", "@#DROMAN@",
                                   "0 JAN 0", "0 JAN 1900", "1 JAN 0", "30 FEB 1900", "31 APR 1900",
                                   "FRENCH_R 31 VEND 2", "12345", "(open", "BET 1800 AND"})
            row(unread, unread, unread, unread);
    }
    void dates()
    {
        QFETCH(QString, date);
        QFETCH(QString, shortText);
        QFETCH(QString, longText);
        QFETCH(QString, germanShort);
        QFETCH(QString, germanLong);
        const QString expected[] = {shortText, longText, germanShort, germanLong};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(QString::fromStdString(dateText(date.toStdString(),
                                                     c % 2 ? DateStyle::Long : DateStyle::Short,
                                                     DateLanguage(c / 2))),
                     expected[c]);
    }
    // Titles before the name when asked, once.
    void titles()
    {
        const GedcomLoad load = readGedcom("0 HEAD\n0 @I1@ INDI\n1 NAME Victoria /Hanover/\n"
                                           "1 TITL Queen\n0 @I2@ INDI\n1 NAME Dr. Ann /Lee/\n"
                                           "1 TITL Dr.\n0 TRLR\n");
        QCOMPARE(displayName(load.data.persons[0], {.titles = true}), "Queen Victoria Hanover");
        QCOMPARE(displayName(load.data.persons[0]), "Victoria Hanover");
        QCOMPARE(displayName(load.data.persons[1], {.titles = true}), "Dr. Ann Lee");
    }
    // A box shows a person by the name, plain or titled, on its first line or
    // its first lines joined, and by the birth (else christening) year if any.
    void boxNamesThePerson_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("names");
        QTest::newRow("titled, blanks after") << "Dr. Ann Mary Lee   |b. 3 MAR 1850" << true;
        QTest::newRow("another birth year") << "Ann Mary Lee |b. 1851" << false;
        QTest::newRow("birth before christening") << "Ann Mary Lee |chr. 1851 |b. 1850" << true;
        QTest::newRow("English before German") << "Ann Mary Lee |geb. 1851 |b. 1850" << true;
        QTest::newRow("geb. before get.") << "Ann Mary Lee |get. 1850 |geb. 1851" << false;
        QTest::newRow("no year on the birth line") << "Ann Mary Lee |b. Bath |chr. 1850" << true;
        QTest::newRow("titled over four lines") << "Dr. |Ann |Mary |Lee" << true;
        QTest::newRow("wrapped where a blank was") << "Ann Mary|Lee" << true;
        QTest::newRow("an empty line inside") << "Ann ||Mary Lee" << false;
        QTest::newRow("a letter where the blank goes") << "Ann M|ry Lee" << false;
        QTest::newRow("a longer name") << "Ann Mary Lee Jr." << false;
        QTest::newRow("nothing") << "" << false;
    }
    void boxNamesThePerson()
    {
        QFETCH(QString, text);
        QFETCH(bool, names);
        const GedcomLoad load = readGedcom("0 HEAD\n0 @I1@ INDI\n1 NAME Ann Mary /Lee/\n1 TITL Dr."
                                           "\n1 BIRT\n2 DATE 1850\n0 TRLR\n");
        QCOMPARE(namesPerson(load.data, text.toStdString(), 0), names);
    }
};

QTEST_APPLESS_MAIN(PersonDescriptionTest)
#include "person_description_test.moc"
