// SPDX-License-Identifier: GPL-3.0-or-later
// Reading back the program's own words: a see box in either language and the
// older form reads as one key, anything near it as none.
#include "model/box_words.h"

#include <QtTest>

class BoxWordsTest : public QObject {
    Q_OBJECT
private slots:
    void readsSeeBoxes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key"); // "" for none
        const QString anna = "Anna Maria Berg\n";
        QTest::newRow("German") << "Anna Maria Berg |siehe Spalte 5, Generation 3" << anna + "5,3";
        QTest::newRow("older, wrapped") << "see |Anna |Maria Berg, |column 5, generation 3"
                                        << anna + "5,3";
        QTest::newRow("wrapped") << "Anna Maria |Berg |see column 5, |generation -1"
                                 << anna + "5,-1";
        QTest::newRow("Karte") << "Anna Maria Berg |siehe Karte 0301" << anna + "#0301";
        QTest::newRow("older, chart") << "see |Anna Maria Berg, |chart 0301" << anna + "#0301";
        QTest::newRow("Hauptkarte") << "Anna Maria Berg |siehe Hauptkarte" << anna + "#";
        QTest::newRow("one word") << "Anna |see main chart" << "Anna\n#";
        QTest::newRow("a person's box") << "Anna Maria Berg |b. 1820" << "";
        QTest::newRow("no name") << "see chart 01" << "";
        QTest::newRow("older, no name") << "see |, |chart 01" << "";
        QTest::newRow("older, no comma") << "see |Anna Maria Berg |chart 01" << "";
        QTest::newRow("no place") << "Anna Maria Berg |see" << "";
        QTest::newRow("chart 0a") << "Anna Maria Berg |see chart 0a" << "";
        QTest::newRow("column alone") << "Anna Maria Berg |see column 5" << "";
        QTest::newRow("words of both") << "Anna Maria Berg |see Spalte 5, generation 3" << "";
        QTest::newRow("bars alone") << " | |" << "";
    }
    void readsSeeBoxes()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(QString::fromStdString(seeBoxKey(text.toStdString()).value_or("")), key);
    }

    void tellsTheLanguage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("language"); // -1: none
        QTest::newRow("Kinder") << "6 Kinder" << 1;
        QTest::newRow("1 parent") << "1 parent" << 0;
        QTest::newRow("a book's branch") << "Anna Berg|Karte 03" << 1;
        QTest::newRow("older see box") << "see |Anna Berg, |column 5, generation 3" << 0;
        QTest::newRow("siehe") << "Anna Berg |siehe Hauptkarte" << 1;
        QTest::newRow("a person's box") << "Anna Berg |geb. 1820" << -1;
        QTest::newRow("a word alone") << "Kinder" << -1;
    }
    void tellsTheLanguage()
    {
        QFETCH(QString, text);
        QFETCH(int, language);
        const std::optional<DateLanguage> told = languageOfWords(text.toStdString());
        QCOMPARE(told ? int(*told) : -1, language);
    }
};

QTEST_APPLESS_MAIN(BoxWordsTest)
#include "box_words_test.moc"
