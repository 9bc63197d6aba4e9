// SPDX-License-Identifier: GPL-3.0-or-later
// Small GEDCOM files in each encoding and line end, with continuation lines,
// broken links and bad lines: what the reader makes of them.
#include "gedcom/gedcom_reader.h"
#include "gedcom/gedcom_text.h"
#include "gedcom/person_description.h"

#include <QtTest>

namespace {

const QByteArray anselHeader = "0 HEAD\n1 CHAR ANSEL\n";

QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1}
                           : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
}

// The person "Zoë Dvořák" born in Kraków, as one file.
const QString zoe =
    QStringLiteral("0 HEAD\n1 CHAR UNICODE\n0 @I1@ INDI\n1 NAME Zo\u00EB /Dvo\u0159\u00E1k/\n"
                   "1 BIRT\n2 DATE 1 JAN 1900\n2 PLAC Krak\u00F3w, Polska\n0 TRLR\n");

// Reads bytes as readGedcomFile() reads a file.
GedcomLoad readBytes(const QByteArray& bytes)
{
    GedcomText text = decodeGedcom(std::string(bytes.constData(), std::size_t(bytes.size())));
    GedcomLoad load = readGedcom(text.utf8);
    load.data.warnings.insert(load.data.warnings.begin(), text.warnings.begin(),
                              text.warnings.end());
    return load;
}

QString description(const GedcomLoad& load, int person)
{
    std::string text;
    describePerson(load.data, person, {}, text);
    return QString::fromStdString(text);
}

QStringList warnings(const GedcomLoad& load)
{
    QStringList list;
    for (const std::string& warning : load.data.warnings)
        list << QString::fromStdString(warning);
    return list;
}

} // namespace

class GedcomReaderTest : public QObject {
    Q_OBJECT
private slots:
    void readsTheFirstPerson_data();
    void readsTheFirstPerson();
    void warnsAboutBadLines_data();
    void warnsAboutBadLines();
    void refuses_data();
    void refuses();
    void linksFamiliesBothWays();
    void ordersChildrenByBirth();
    void survivesFamilyCycles();
    void readsFilesOnlyWhenRegular();
};

void GedcomReaderTest::readsTheFirstPerson_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QString plain = QStringLiteral("Zo\u00EB Dvo\u0159\u00E1k |b. 1 JAN 1900, Krak\u00F3w");
    QString utf8Text = zoe;
    utf8Text.replace(QStringLiteral("UNICODE"), QStringLiteral("UTF-8"));
    QTest::newRow("UTF-8") << utf8Text.toUtf8() << plain;
    QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + utf8Text.toUtf8() << plain;
    QTest::newRow("UTF-16 little-endian") << utf16(zoe, false) << plain;
    QTest::newRow("UTF-16 big-endian") << utf16(zoe, true) << plain;
    QTest::newRow("UTF-16 beyond the first plane")
        << utf16(QStringLiteral("0 HEAD\n0 @I1@ INDI\n1 NAME \U00020B9F /Li/\n"), false)
        << QStringLiteral("\U00020B9F Li");
    QTest::newRow("no CHAR line, UTF-8")
        << QStringLiteral("0 HEAD\n0 @I1@ INDI\n1 NAME J\u00F6rg /M/\n").toUtf8()
        << QStringLiteral("J\u00F6rg M");
    QTest::newRow("ANSI") << QByteArray(
                                 "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Fran\xE7ois /\x8Aime/\n")
                          << QStringLiteral("Fran\u00E7ois \u0160ime");
    QTest::newRow("ANSEL diacritics before their letters")
        << anselHeader + "0 @I1@ INDI\n1 NAME Zo\xE8"
                         "e /Dvo\xE9r\xE2"
                         "ak/\n"
        << QStringLiteral("Zo\u00EB Dvo\u0159\u00E1k");
    QTest::newRow("ANSEL letters of their own")
        << anselHeader + "0 @I1@ INDI\n1 NAME \xA1ucja /\xA2sterg\xB5rd/\n"
        << QStringLiteral("\u0141ucja \u00D8sterg\u00E6rd");
    QTest::newRow("ANSEL two diacritics stay apart") << anselHeader + "0 @I1@ INDI\n1 NAME \xE2\xE3"
                                                                      "a /X/\n"
                                                     << QStringLiteral("a\u0301\u0302 X");
    QTest::newRow("CR LF")
        << QByteArray("0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n1 DEAT\r\n2 DATE 1950\r\n")
        << QStringLiteral("Ann Lee |d. 1950");
    QTest::newRow("CR") << QByteArray(
                               "0 HEAD\r0 @I1@ INDI\r1 NAME Ann /Lee/\r1 DEAT\r2 DATE 1950\r")
                        << QStringLiteral("Ann Lee |d. 1950");
    QTest::newRow("leading blanks")
        << QByteArray("0 HEAD\n  0 @I1@ INDI\n\t 1 NAME Ann /Lee/\n   1 BIRT\n    2 PLAC Ely\n")
        << QStringLiteral("Ann Lee |b. Ely");
    QTest::newRow("CONC and CONT") << QByteArray("0 HEAD\n0 @I1@ INDI\n1 NAME Anna Maria\n2 CONC  "
                                                 "Lu\n2 CONC ise /Ro\n2 CONT th/\n1 BIRT\n"
                                                 "2 PLAC New\n3 CONC  York, NY\n")
                                   << QStringLiteral("Anna Maria Luise Ro th |b. New York");
    QTest::newRow("christening when there is no birth")
        << QByteArray(
               "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 CHR\n2 DATE 2 FEB 1700\n2 PLAC Ely\n")
        << QStringLiteral("Ann Lee |chr. 2 FEB 1700, Ely");
    QTest::newRow("burial when there is no death")
        << QByteArray(
               "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 BURI\n2 DATE 1777\n2 PLAC Ely, Cambs\n")
        << QStringLiteral("Ann Lee |bur. 1777, Ely");
    QTest::newRow("unknown records and levels skipped")
        << QByteArray(
               "0 HEAD\n1 SOUR X\n2 DATA\n3 NAME Not this\n0 @N1@ NOTE 1 NAME No\n0 @I1@ INDI\n"
               "1 _CUSTOM\n2 NAME Not this\n2 DATE 1111\n1 NAME Ann /Lee/\n2 SOUR @S1@\n3 DATE "
               "1234\n"
               "1 NAME Second /Name/\n")
        << QStringLiteral("Ann Lee");
    QTest::newRow("name parts only")
        << QByteArray("0 HEAD\n0 @I1@ INDI\n1 NAME\n2 GIVN Ann\n2 SURN Lee\n")
        << QStringLiteral("Ann Lee");
    const QString e2048 = QString(2048, QChar(0xE9));
    QTest::newRow("a long value cut before a character")
        << "0 HEAD\n0 @I1@ INDI\n1 NAME a" + e2048.toUtf8() + "\n"
        << "a" + e2048.left(2047);
    QTest::newRow("a long value at the limit")
        << "0 HEAD\n0 @I1@ INDI\n1 NAME " + e2048.toUtf8() + "\n"
        << e2048;
    QTest::newRow("continued past the limit")
        << "0 HEAD\n0 @I1@ INDI\n1 NAME " + QByteArray(4000, 'a') + "\n2 CONC " +
               QByteArray(95, 'b') + "\n2 CONC cd\n2 CONC ef\n"
        << QString(4000, 'a') + QString(95, 'b') + "c";
    QTest::newRow("GEDCOM 7")
        << QByteArray(
               "0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMC @VOID@\n0 TRLR\n")
        << QStringLiteral("Ann Lee");
}

void GedcomReaderTest::readsTheFirstPerson()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const GedcomLoad load = readBytes(bytes);
    QVERIFY2(load, load.message().c_str());
    QVERIFY(!load.data.persons.empty());
    QCOMPARE(description(load, 0), expected);
}

void GedcomReaderTest::warnsAboutBadLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("persons");

    QTest::newRow("no level") << QByteArray("0 HEAD\n0 @I1@ INDI\nNAME Ann\n0 TRLR\n")
                              << "line 3: not a GEDCOM line; skipped" << 1;
    QTest::newRow("level jump") << QByteArray("0 HEAD\n0 @I1@ INDI\n3 NAME Ann\n0 TRLR\n")
                                << "line 3: level 3 follows level 0; skipped" << 1;
    QTest::newRow("missing family") << QByteArray("0 HEAD\n0 @I1@ INDI\n1 FAMS @F9@\n0 TRLR\n")
                                    << "line 3: @F9@ names no record; ignored" << 1;
    QTest::newRow("missing child")
        << QByteArray("0 HEAD\n0 @I1@ INDI\n0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I7@\n0 TRLR\n")
        << "line 5: @I7@ names no record; ignored" << 1;
    QTest::newRow("link without a cross-reference")
        << QByteArray("0 HEAD\n0 @I1@ INDI\n1 FAMC F1\n0 TRLR\n")
        << "line 3: FAMC without a cross-reference; skipped" << 1;
    QTest::newRow("UTF-16 cut inside a character")
        << utf16(QStringLiteral("0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n0 TRLR\n"), false) + "0"
        << "the UTF-16 text ends in the middle of a character; its last byte was left out" << 1;
    QTest::newRow("value too long")
        << "0 HEAD\n0 @I1@ INDI\n1 NAME " + QByteArray(4097, 'a') + "\n0 TRLR\n"
        << "line 3: a line of 4104 bytes; only the first 4096 bytes of its value were read" << 1;
    QTest::newRow("truncated")
        << QByteArray("0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n0 @I2@ INDI\n1 NA")
        << "line 5: the file ends before its trailer (0 TRLR); what it holds was read" << 2;
}

void GedcomReaderTest::warnsAboutBadLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);
    QFETCH(int, persons);
    const GedcomLoad load = readBytes(bytes);
    QVERIFY2(load, load.message().c_str());
    QCOMPARE(warnings(load), QStringList{warning});
    QCOMPARE(int(load.data.persons.size()), persons);
}

void GedcomReaderTest::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("a chart file")
        << QByteArray("120 50 50 200 d 1 1 1\nP Ann|0 0 0 0\n")
        << "This is not a GEDCOM file: it does not begin with \"0 HEAD\".";
    QTest::newRow("empty") << QByteArray("\n\n") << "This is not a GEDCOM file: it is empty.";
}

void GedcomReaderTest::refuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const GedcomLoad load = readBytes(bytes);
    QVERIFY(!load);
    QCOMPARE(QString::fromStdString(load.message()), message);
}

void GedcomReaderTest::linksFamiliesBothWays()
{
    // F1 lists its members; F2 is named only from the persons' side.
    const GedcomLoad load = readGedcom("0 HEAD\n"
                                       "0 @I1@ INDI\n1 SEX M\n1 FAMS @F1@\n1 FAMS @F2@\n"
                                       "0 @I2@ INDI\n1 SEX F\n"
                                       "0 @I3@ INDI\n1 SEX F\n1 FAMS @F2@\n"
                                       "0 @I4@ INDI\n1 FAMC @F2@\n"
                                       "0 @I6@ INDI\n1 SEX M\n1 FAMS @F1@\n1 FAMS @F3@\n"
                                       "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I5@\n"
                                       "0 @F2@ FAM\n0 @F3@ FAM\n1 HUSB @I3@\n0 TRLR\n");
    QVERIFY(load);
    const GedcomData& data = load.data;
    QCOMPARE(data.families[0].husband, 0);
    QCOMPARE(data.families[0].wife, 1);
    QVERIFY(data.families[0].children.empty());
    QCOMPARE(data.families[1].husband, 0);
    QCOMPARE(data.families[1].wife, 2);
    QCOMPARE(data.families[1].children, std::vector<int>{3});
    QCOMPARE(data.persons[0].spouseIn, (std::vector<int>{0, 1}));
    QCOMPARE(data.persons[1].spouseIn, std::vector<int>{0});
    QCOMPARE(data.persons[3].childOf, std::vector<int>{1});
    // A man named in a family that has its husband takes the other place, if free.
    QCOMPARE(data.families[2].husband, 2);
    QCOMPARE(data.families[2].wife, 4);
    QCOMPARE(data.persons[4].spouseIn, std::vector<int>{2});
}

void GedcomReaderTest::ordersChildrenByBirth()
{
    // The undated child stays after the one listed before it.
    const GedcomLoad load =
        readGedcom("0 HEAD\n0 @F1@ FAM\n1 CHIL @C1@\n1 CHIL @C2@\n1 CHIL @C3@\n1 CHIL @C4@\n"
                   "0 @C1@ INDI\n1 BIRT\n2 DATE 1860\n"
                   "0 @C2@ INDI\n"
                   "0 @C3@ INDI\n1 BIRT\n2 DATE 5 MAR 1850\n"
                   "0 @C4@ INDI\n1 BIRT\n2 DATE ABT FEB 1850\n0 TRLR\n");
    QVERIFY(load);
    QCOMPARE(load.data.families[0].children, (std::vector<int>{3, 2, 0, 1}));
}

void GedcomReaderTest::survivesFamilyCycles()
{
    // Each is the other's child.
    const GedcomLoad load = readGedcom("0 HEAD\n0 @I1@ INDI\n1 FAMS @F1@\n1 FAMC @F2@\n"
                                       "0 @I2@ INDI\n1 FAMS @F2@\n1 FAMC @F1@\n"
                                       "0 @F1@ FAM\n1 HUSB @I1@\n1 CHIL @I2@\n"
                                       "0 @F2@ FAM\n1 HUSB @I2@\n1 CHIL @I1@\n0 TRLR\n");
    QVERIFY(load);
    QCOMPARE(load.data.persons[0].childOf, std::vector<int>{1});
    QCOMPARE(load.data.persons[1].childOf, std::vector<int>{0});
}

void GedcomReaderTest::readsFilesOnlyWhenRegular()
{
    QCOMPARE(readGedcomFile("/dev/null").status, Result::CannotOpen);
    QCOMPARE(readGedcomFile("/").status, Result::CannotOpen);
    QCOMPARE(readGedcomFile("/nonexistent/file.ged").status, Result::CannotOpen);
}

QTEST_APPLESS_MAIN(GedcomReaderTest)
#include "gedcom_reader_test.moc"
