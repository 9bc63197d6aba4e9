// SPDX-License-Identifier: GPL-3.0-or-later
// A person's box text as a genealogist writes it, from the file's encoding.
#include "gedcom/date_text.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/person_description.h"

#include <QtTest>

namespace {
// A row named by its input, with the input's two expected texts.
void row(const char* input, const char* first, const char* second)
{
    QTest::newRow(input) << QString(input) << QString(first) << QString(second);
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
        row("3 MAR 1820", "3 Mar 1820", "3 March 1820");
        row("03 mar 1820", "3 Mar 1820", "3 March 1820");
        row("MAR 1820", "Mar 1820", "March 1820");
        row("ABT 1848", "abt. 1848", "about 1848");
        row("BEF 1850", "bef. 1850", "before 1850");
        row("AFT 3 MAR 1850", "aft. 3 Mar 1850", "after 3 March 1850");
        row("BET 1822 AND 1823", "1822\u20131823", "between 1822 and 1823");
        row("FROM 1822 TO 1823", "1822\u20131823", "from 1822 to 1823");
        row("BET 3 MAR 1820 AND 1821", "3 Mar 1820 \u2013 1821", "between 3 March 1820 and 1821");
        row("FROM 1900", "from 1900", "from 1900");
        row("JULIAN 12 APR 1890", "12 Apr 1890 (Julian)", "12 April 1890 (Julian)");
        row("@#DJULIAN@ 12 APR 1890", "12 Apr 1890 (Julian)", "12 April 1890 (Julian)");
        row("@#DHEBREW@ 5 TSH 5600", "5 Tishrei 5600 (Hebrew)", "5 Tishrei 5600 (Hebrew)");
        row("FRENCH_R 1 VEND 2", "1 Vend. 2 (French Republican)",
            "1 Vend\u00e9miaire 2 (French Republican)");
        row("GREGORIAN 1 JAN 1900", "1 Jan 1900", "1 January 1900");
        row("INT 1995 (from estimated age)", "1995 (from estimated age)",
            "1995 (from estimated age)");
        row("(stillborn)", "(stillborn)", "(stillborn)");
        row("1699/00", "1699/00", "1699/00");
        row("44 B.C.", "44 BC", "44 BC");
        for (const char* unread : {"BET 1800", "ABT", "1 JAN 1900 Sunday", "@#DUNKNOWN@ 1900",
                                   "12345", "(open", "BET 1800 AND"})
            row(unread, unread, unread);
    }
    void dates()
    {
        QFETCH(QString, date);
        QFETCH(QString, shortText);
        QFETCH(QString, longText);
        const std::string raw = date.toStdString();
        QCOMPARE(QString::fromStdString(dateText(raw, DateStyle::Short)), shortText);
        QCOMPARE(QString::fromStdString(dateText(raw, DateStyle::Long)), longText);
    }
};

QTEST_APPLESS_MAIN(PersonDescriptionTest)
#include "person_description_test.moc"
