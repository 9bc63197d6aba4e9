// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own words in boxes: written in the chart's language, read
// back in either and in the forms older charts have.
#include "model/box_words.h"

#include <QtTest>

namespace {
const QString none = QStringLiteral("(none)");

QString keyOf(const std::string& text)
{
    const std::optional<std::string> key = seeBoxKey(text);
    return key ? QString::fromStdString(*key) : none;
}
} // namespace

class BoxWordsTest : public QObject {
    Q_OBJECT
private slots:
    void writes_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("expected");
        const auto en = DateLanguage::English, de = DateLanguage::German;
        const auto row = [](const char* name, const std::string& written, const char* expected) {
            QTest::newRow(name) << QString::fromStdString(written) << QString(expected);
        };
        row("1 child", cutOffText(Direction::Down, 1, en), "1 child");
        row("2 children", cutOffText(Direction::Down, 2, en), "2 children");
        row("1 parent", cutOffText(Direction::Up, 1, en), "1 parent");
        row("2 parents", cutOffText(Direction::Up, 2, en), "2 parents");
        row("1 Kind", cutOffText(Direction::Down, 1, de), "1 Kind");
        row("6 Kinder", cutOffText(Direction::Down, 6, de), "6 Kinder");
        row("1 Elternteil", cutOffText(Direction::Up, 1, de), "1 Elternteil");
        row("2 Eltern", cutOffText(Direction::Up, 2, de), "2 Eltern");
        row("chart 03", chartName("03", en), "chart 03");
        row("Karte 03", chartName("03", de), "Karte 03");
        row("main chart", chartName("", en), "main chart");
        row("Hauptkarte", chartName("", de), "Hauptkarte");
        row("column", cellName(5, 3, en), "column 5, generation 3");
        row("Spalte", cellName(5, -2, de), "Spalte 5, Generation -2");
        row("see", seeBoxText("Henry of Prussia", "chart 01", en), "Henry of Prussia |see chart 01");
        row("siehe", seeBoxText("Henry of Prussia", "Hauptkarte", de),
            "Henry of Prussia |siehe Hauptkarte");
    }
    void writes()
    {
        QFETCH(QString, written);
        QFETCH(QString, expected);
        QCOMPARE(written, expected);
    }

    // Every form of one see box reads as one key; anything else as none.
    void readsSeeBoxes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        const QString anna = "Anna Maria Berg\n";
        QTest::newRow("English") << "Anna Maria Berg |see column 5, generation 3" << anna + "5,3";
        QTest::newRow("German") << "Anna Maria Berg |siehe Spalte 5, Generation 3" << anna + "5,3";
        QTest::newRow("older charts") << "see |Anna Maria Berg, |column 5, generation 3"
                                      << anna + "5,3";
        QTest::newRow("wrapped name and place")
            << "Anna Maria |Berg |see column 5, |generation 3" << anna + "5,3";
        QTest::newRow("older, wrapped") << "see |Anna |Maria Berg, |column 5, generation 3"
                                        << anna + "5,3";
        QTest::newRow("generation below 0")
            << "Anna Maria Berg |see column 5, generation -1" << anna + "5,-1";
        QTest::newRow("chart") << "Anna Maria Berg |see chart 0301" << anna + "#0301";
        QTest::newRow("Karte") << "Anna Maria Berg |siehe Karte 0301" << anna + "#0301";
        QTest::newRow("older, chart") << "see |Anna Maria Berg, |chart 0301" << anna + "#0301";
        QTest::newRow("main chart") << "Anna Maria Berg |see main chart" << anna + "#";
        QTest::newRow("Hauptkarte") << "Anna Maria Berg |siehe Hauptkarte" << anna + "#";
        QTest::newRow("one-word name") << "Anna |see chart 01" << "Anna\n#01";
        QTest::newRow("a person's box") << "Anna Maria Berg |b. 1820" << none;
        QTest::newRow("no name") << "see chart 01" << none;
        QTest::newRow("older, no name") << "see |, |chart 01" << none;
        QTest::newRow("no place") << "Anna Maria Berg |see" << none;
        QTest::newRow("chart without number") << "Anna Maria Berg |see chart" << none;
        QTest::newRow("chart with letters") << "Anna Maria Berg |see chart 0a" << none;
        QTest::newRow("column alone") << "Anna Maria Berg |see column 5" << none;
        QTest::newRow("generation alone") << "Anna Maria Berg |see generation 3" << none;
        QTest::newRow("words of both") << "Anna Maria Berg |see Spalte 5, generation 3" << none;
        QTest::newRow("older, no comma") << "see |Anna Maria Berg |chart 01" << none;
        QTest::newRow("a continuation box") << "6 children" << none;
        QTest::newRow("empty") << "" << none;
        QTest::newRow("bars alone") << " | |" << none;
    }
    void readsSeeBoxes()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(keyOf(text.toStdString()), key);
    }

    void readsChartNames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("chart") << "chart 03" << "03";
        QTest::newRow("Karte") << "Karte 0301" << "0301";
        QTest::newRow("main chart") << "main chart" << "";
        QTest::newRow("Hauptkarte") << "Hauptkarte" << "";
        QTest::newRow("no number") << "chart " << none;
        QTest::newRow("two blanks") << "chart  03" << none;
        QTest::newRow("another word") << "Kapitel 03" << none;
        QTest::newRow("lower case") << "karte 03" << none;
    }
    void readsChartNames()
    {
        QFETCH(QString, line);
        QFETCH(QString, suffix);
        const std::string text = line.toStdString();
        const std::optional<std::string_view> read = chartNameSuffix(text);
        QCOMPARE(read ? QString::fromUtf8(read->data(), qsizetype(read->size())) : none, suffix);
    }

    void tellsTheLanguage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("language"); // -1: none
        QTest::newRow("children") << "6 children" << 0;
        QTest::newRow("Kinder") << "6 Kinder" << 1;
        QTest::newRow("Elternteil") << "1 Elternteil" << 1;
        QTest::newRow("a book's branch") << "Anna Berg|chart 03" << 0;
        QTest::newRow("a German book's branch") << "Anna Berg|Karte 03" << 1;
        QTest::newRow("see") << "Anna Berg |see main chart" << 0;
        QTest::newRow("siehe") << "Anna Berg |siehe Hauptkarte" << 1;
        QTest::newRow("older see box") << "see |Anna Berg, |column 5, generation 3" << 0;
        QTest::newRow("a person's box") << "Anna Berg |geb. 1820" << -1;
        QTest::newRow("a count alone") << "6" << -1;
        QTest::newRow("words alone") << "Kinder" << -1;
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
