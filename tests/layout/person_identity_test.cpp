// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a box's text shows a person: the name on the first line or on the
// first lines joined, plain or titled, and the birth year when one shows.
#include "gedcom/gedcom_reader.h"
#include "layout/person_identity.h"

#include <QtTest>

class PersonIdentityTest : public QObject {
    Q_OBJECT
private slots:
    void namesThePerson_data();
    void namesThePerson();
};

void PersonIdentityTest::namesThePerson_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("names");
    QTest::newRow("the name") << "Ann Mary Lee" << true;
    QTest::newRow("titled") << "Dr. Ann Mary Lee |b. 1850" << true;
    QTest::newRow("blanks at the line's end") << "Ann Mary Lee   |b. 1850" << true;
    QTest::newRow("the birth year") << "Ann Mary Lee |b. 3 MAR 1850, Bath" << true;
    QTest::newRow("another birth year") << "Ann Mary Lee |b. 1851" << false;
    QTest::newRow("the christening year") << "Ann Mary Lee |chr. 1850" << true;
    QTest::newRow("birth before christening") << "Ann Mary Lee |chr. 1851 |b. 1850" << true;
    QTest::newRow("German birth before christening")
        << "Ann Mary Lee |get. 1850 |geb. 1851" << false;
    QTest::newRow("English before German") << "Ann Mary Lee |geb. 1851 |b. 1850" << true;
    QTest::newRow("no year on the birth line") << "Ann Mary Lee |b. Bath |chr. 1850" << true;
    QTest::newRow("wrapped over three lines") << "Ann |Mary |Lee |b. 1850" << true;
    QTest::newRow("titled over four lines") << "Dr. |Ann |Mary |Lee" << true;
    QTest::newRow("an empty line inside") << "Ann ||Mary Lee" << false;
    QTest::newRow("a shorter name") << "Ann Mary" << false;
    QTest::newRow("a longer name") << "Ann Mary Lee Jr." << false;
    QTest::newRow("wrapped where a blank was") << "Ann Mary|Lee" << true;
    QTest::newRow("a letter where the blank goes") << "Ann M|ry Lee" << false;
    QTest::newRow("nothing") << "" << false;
}

void PersonIdentityTest::namesThePerson()
{
    QFETCH(QString, text);
    QFETCH(bool, names);
    const GedcomLoad load = readGedcom("0 HEAD\n0 @I1@ INDI\n1 NAME Ann Mary /Lee/\n1 TITL Dr.\n"
                                       "1 BIRT\n2 DATE 1850\n0 TRLR\n");
    QVERIFY2(load, load.message().c_str());
    QCOMPARE(namesPerson(load.data, text.toStdString(), 0), names);
}

QTEST_APPLESS_MAIN(PersonIdentityTest)
#include "person_identity_test.moc"
