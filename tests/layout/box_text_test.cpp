// SPDX-License-Identifier: GPL-3.0-or-later
// Box text measured as the screen draws it and wrapped at blanks, and the box
// size an import chooses for names about as wide as a box may be and for
// continuation boxes, drawn smaller, of one and two lines; a wrapped name
// drawn bold on every line.
#include "layout/box_text.h"
#include "recording_draw_context.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/line_reader.h"
#include "gedcom/gedcom_reader.h"
#include "layout/chart_import.h"
#include "layout/text_width.h"
#include "model/geometry.h"

#include <QtTest>

#include <algorithm>
#include <sstream>

namespace {

// A two-word name exactly the given width in the bold name font: "Anna" and a
// word of a, i, f and r whose mix sets the width to the pixel; measured whole,
// or word by word as wrapping sums it.
std::string nameOfWidth(int pixels, bool byWords = false)
{
    const int anna = textWidth("Anna", true) + textWidth(" ", true);
    auto letters = [](int count, char letter) { return std::string(std::size_t(count), letter); };
    for (int a = 0; a < 60; ++a)
        for (int i = 0; i < 8; ++i)
            for (int f = 0; f < 8; ++f)
                for (int r = 0; r < 8; ++r) {
                    const std::string name = "Anna M" + letters(a, 'a') + letters(i, 'i') +
                                             letters(f, 'f') + letters(r, 'r');
                    const int width =
                        byWords ? anna + textWidth(name.substr(5), true) : textWidth(name, true);
                    if (width == pixels)
                        return name;
                }
    qFatal("no name of %d pixels", pixels);
}

ChartImport importOne(const std::string& name, const std::string& place)
{
    const std::size_t blank = name.rfind(' ');
    std::string text = "0 HEAD\n0 @I1@ INDI\n1 NAME " + name.substr(0, blank) + " /" +
                       name.substr(blank + 1) + "/\n";
    if (!place.empty())
        text += "1 BIRT\n2 DATE 1871\n2 PLAC " + place + "\n";
    text += "0 TRLR\n";
    const GedcomLoad load = readGedcom(text);
    if (!load)
        qFatal("refused: %s", load.message().c_str());
    return importChart(load.data, ImportOptions(), "t");
}

// A grandfather, his son and a grandson cut off below the son: the son's box
// has a continuation box of its own text (or the count when empty).
ChartImport importWithContinuation(const std::string& events, const std::string& label)
{
    std::string text = "0 HEAD\n";
    for (const char* person : {"I1", "I2", "I3"})
        text += std::string("0 @") + person + "@ INDI\n1 NAME Jörg /Gieg/\n" + events;
    text += "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n0 @F2@ FAM\n1 HUSB @I2@\n1 CHIL @I3@\n"
            "0 TRLR\n";
    const GedcomLoad load = readGedcom(text);
    if (!load)
        qFatal("refused: %s", load.message().c_str());
    ImportOptions options;
    options.layout.generations = 2;
    const std::vector<PlannedBox> plan = planDescendants(load.data, options.layout);
    std::vector<BoxLabel> labels;
    for (std::size_t i = 0; i < plan.size(); ++i)
        if (plan[i].direction == Direction::Down && !label.empty())
            labels.push_back({int(i), label});
    return chartFromPlan(load.data, plan, options, "t", labels, livingPersons(load.data, options));
}

// How many of the box's lines are drawn in the bold name font.
int boldLines(const Person& box, const TreeSettings& s)
{
    RecordingDrawContext dc;
    box.draw(dc, s, false);
    return int(std::count_if(dc.steps.begin(), dc.steps.end(), [](const auto& step) {
        return step.kind == RecordingDrawContext::Text && step.bold;
    }));
}

} // namespace

class BoxTextTest : public QObject {
    Q_OBJECT
private slots:
    void widthsAsTheScreenDraws_data();
    void widthsAsTheScreenDraws();
    void wrapsAtBlanks_data();
    void wrapsAtBlanks();
    void wrapsAtTheLineLimit_data();
    void wrapsAtTheLineLimit();
    void boxWidthAtTheLimit_data();
    void boxWidthAtTheLimit();
    void continuationLinesFit_data();
    void continuationLinesFit();
};

void BoxTextTest::widthsAsTheScreenDraws_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<double>("drawn"); // Qt's advance in Liberation Sans, as measured once

    QTest::newRow("name, regular") << "Given1234 Surname1234" << false << 136.69;
    QTest::newRow("name, bold") << "Given1234 Surname1234" << true << 164.84;
    QTest::newRow("wide letters, regular") << "WWWWWWWWWW" << false << 113.12;
    QTest::newRow("wide letters, bold") << "WWWWWWWWWW" << true << 132.03;
    QTest::newRow("narrow letters, regular") << "iiiiiiiiii" << false << 26.56;
    QTest::newRow("narrow letters, bold") << "iiiiiiiiii" << true << 38.75;
    QTest::newRow("Polish and Czech, dash") << "Łukasz Żółkiewski–Ř" << false << 111.97;
    QTest::newRow("Polish and Czech, bold") << "Łukasz Żółkiewski–Ř" << true << 139.92;
    QTest::newRow("a date line") << "b. 3 JUN 1871, Oberndorf" << false << 137.30;
}

void BoxTextTest::widthsAsTheScreenDraws()
{
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(double, drawn);
    const int width = textWidth(text.toStdString(), bold);
    // Never short of the drawn text, and at most a pixel over.
    QVERIFY2(width >= drawn && width <= drawn + 1.5, qPrintable(QString::number(width)));
}

void BoxTextTest::wrapsAtBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("wrapped");

    QTest::newRow("fits, unchanged") << "Anna Berg |b. 1850" << 234 << "Anna Berg |b. 1850";
    QTest::newRow("name at its last blank that fits")
        << "Anna Maria Berg |b. 1850" << 80 << "Anna Maria |Berg |b. 1850";
    QTest::newRow("a later line") << "Anna |b. 1850, Oberndorf am Neckar" << 90
                                  << "Anna |b. 1850, |Oberndorf am |Neckar";
    QTest::newRow("a word wider than any line stays whole")
        << "Anna Hohenberg-Ottersdorfer" << 60 << "Anna |Hohenberg-Ottersdorfer";
    QTest::newRow("blanks in a row become one") << "Anna   Maria  Berg" << 80 << "Anna Maria |Berg";
    QTest::newRow("unknown characters count wide") << "李 李 李 李 李" << 40 << "李 李 |李 李 |李";
}

void BoxTextTest::wrapsAtBlanks()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, wrapped);
    const std::string result = wrapDescription(text.toStdString(), width);
    QCOMPARE(QString::fromStdString(result), wrapped);
}

void BoxTextTest::wrapsAtTheLineLimit_data()
{
    QTest::addColumn<int>("firstLineWidth"); // of the first two words
    QTest::addColumn<bool>("together");      // both on the first line

    QTest::newRow("one pixel under") << maxLineWidth - 1 << true;
    QTest::newRow("exactly at the limit") << maxLineWidth << true;
    QTest::newRow("one pixel over") << maxLineWidth + 1 << false;
}

void BoxTextTest::wrapsAtTheLineLimit()
{
    QFETCH(int, firstLineWidth);
    QFETCH(bool, together);
    const std::string words = nameOfWidth(firstLineWidth, true);
    const std::string wrapped = wrapDescription(words + " Berg");
    QCOMPARE(QString::fromStdString(wrapped.substr(0, wrapped.find(" |"))),
             QString::fromStdString(together ? words : "Anna"));
}

void BoxTextTest::boxWidthAtTheLimit_data()
{
    QTest::addColumn<int>("nameWidth");
    QTest::addColumn<int>("boxWidth"); // 0: less than the name needs, the name wrapped
    QTest::addColumn<int>("lines");

    QTest::newRow("well inside") << 150 << 156 << 1;
    QTest::newRow("just inside") << 233 << 239 << 1;
    QTest::newRow("at the limit") << 234 << 240 << 1;
    QTest::newRow("just outside") << 235 << 0 << 2;
}

void BoxTextTest::boxWidthAtTheLimit()
{
    QFETCH(int, nameWidth);
    QFETCH(int, boxWidth);
    QFETCH(int, lines);
    const std::string name = nameOfWidth(nameWidth);
    const ChartImport result = importOne(name, {});
    QVERIFY(result);
    const Person* box = result.chart.tree().findPerson(result.root);
    QVERIFY(box);
    const TextSize size = measureDescription(box->text);
    QCOMPARE(size.lines, lines);
    const TreeSettings& s = result.chart.settings();
    if (boxWidth > 0)
        QCOMPARE(s.boxWidth, boxWidth);
    else
        QVERIFY(s.boxWidth < 240);
    QCOMPARE(s.boxWidth, size.width + lineInsets);
    QCOMPARE(s.boxHeight, 16 + (lines - 1) * 12 + 8);
    // Every line of a wrapped name keeps the name's bold, saved and read back.
    std::ostringstream saved;
    writeChart(saved, result.chart);
    LineReader reader = LineReader::fromBytes(saved.str());
    const ChartLoad load = readChart(reader, "t", TreeSettings());
    QVERIFY(load);
    QCOMPARE(boldLines(*load.chart.tree().findPerson(result.root), load.chart.settings()), lines);
}

void BoxTextTest::continuationLinesFit_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("boxHeight");

    const QString born = "1 BIRT\n2 DATE 1871\n";
    const QString died = "1 DEAT\n2 DATE 1931\n";
    // A continuation box is 0.7 of a box: a line under its baseline of 14
    // pixels needs 22, two lines 34; a box of names alone needs 24.
    QTest::newRow("names, one line cut off") << QString() << QString() << 32;
    QTest::newRow("names, two lines cut off") << QString() << "Jörg Gieg|chart 01" << 49;
    QTest::newRow("two lines, one line cut off") << born << QString() << 36;
    QTest::newRow("three lines, one line cut off") << born + died << QString() << 48;
    QTest::newRow("three lines, two lines cut off") << born + died << "Jörg Gieg|chart 01" << 49;
    QTest::newRow("three lines, three lines cut off")
        << born + died << "Jörg Gieg|chart 01|more" << 66;
}

void BoxTextTest::continuationLinesFit()
{
    QFETCH(QString, events);
    QFETCH(QString, label);
    QFETCH(int, boxHeight);
    const ChartImport result = importWithContinuation(events.toStdString(), label.toStdString());
    QVERIFY(result);
    const TreeSettings& s = result.chart.settings();
    QCOMPARE(s.boxHeight, boxHeight);
    int continuations = 0;
    result.chart.tree().forEachPerson([&](const Person* box) {
        const bool plain = box->kind() == BoxKind::Person;
        const int lines = measureDescription(box->text, plain).lines;
        const int room = plain ? s.boxHeight : scaled(s.boxHeight, continuationScale);
        QVERIFY2((plain ? 16 : 14) + (lines - 1) * 12 + 8 <= room, box->text.c_str());
        continuations += !plain;
    });
    QCOMPARE(continuations, 1);
}

QTEST_APPLESS_MAIN(BoxTextTest)
#include "box_text_test.moc"
