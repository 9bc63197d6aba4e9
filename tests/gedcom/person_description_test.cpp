// SPDX-License-Identifier: GPL-3.0-or-later
// A person's box text as a genealogist writes it, from the file's encoding.
#include "gedcom/gedcom_reader.h"
#include "gedcom/person_description.h"

#include <QtTest>

class PersonDescriptionTest : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QByteArray>("name"); // the NAME line's value and parts
        QTest::addColumn<QString>("spaced");
        QTest::addColumn<QString>("kept");
        QTest::newRow("given") << QByteArray("Edward_VII /Wettin/") << "Edward VII Wettin"
                               << "Edward_VII Wettin";
        QTest::newRow("surname") << QByteArray("Louis /of_Hesse/") << "Louis of Hesse"
                                 << "Louis of_Hesse";
        QTest::newRow("beside a blank") << QByteArray("/of_ Holstein/") << "of Holstein"
                                        << "of_ Holstein";
        QTest::newRow("edges, doubled") << QByteArray("_Ann__May_ /Lee/") << "Ann May Lee"
                                        << "_Ann__May_ Lee";
        QTest::newRow("slashes, no blanks") << QByteArray("Ann/Lee/Jr.") << "Ann Lee Jr."
                                            << "Ann Lee Jr.";
        QTest::newRow("parts") << QByteArray("\n2 GIVN Ann_May\n2 SURN von_Berg")
                               << "Ann May von Berg"
                               << "Ann_May von_Berg";
    }
    void names()
    {
        QFETCH(QByteArray, name);
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
};

QTEST_APPLESS_MAIN(PersonDescriptionTest)
#include "person_description_test.moc"
