// SPDX-License-Identifier: GPL-3.0-or-later
// Small GEDCOM files in each encoding and line end, with continuation lines,
// broken links and bad lines: what the reader makes of them.
#include "gedcom_generator.h"

#include "gedcom/gedcom_reader.h"
#include "gedcom/gedcom_text.h"
#include "layout/person_description.h"

#include <sstream>

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

// Everything a read gives, one line a record, to compare two reads by.
std::string dump(const GedcomLoad& load)
{
    std::ostringstream out;
    out << load.message() << " line " << load.line << '\n';
    const auto event = [&out](const GedcomEvent& e) {
        out << " [" << e.date << '|' << e.place << '|' << e.recorded << ']';
    };
    const auto list = [&out](const std::vector<int>& items) {
        out << " (";
        for (const int item : items)
            out << item << ' ';
        out << ')';
    };
    const GedcomData& data = load.data;
    for (const GedcomPerson& p : data.persons) {
        out << p.xref << ' ' << p.name << '|' << p.given << '|' << p.surname << ' ' << p.sex;
        for (const GedcomEvent* e : {&p.birth, &p.christening, &p.death, &p.burial})
            event(*e);
        list(p.childOf);
        list(p.spouseIn);
        out << '\n';
    }
    for (const GedcomFamily& f : data.families) {
        out << f.xref << ' ' << f.husband << ' ' << f.wife;
        list(f.children);
        event(f.marriage);
        out << '\n';
    }
    out << "home " << data.home << '\n';
    for (const std::string& warning : data.warnings)
        out << warning << '\n';
    return out.str();
}

// Persons and families in turn, each family with the three persons before it,
// the links crossing the whole file; every seventh person given a line of
// each kind the reader takes apart (continued names, events, home marks).
std::string manyRecords(int persons, const std::string& end = "\n")
{
    std::string text = "0 HEAD" + end + "1 CHAR UTF-8" + end;
    for (int i = 1; i <= persons; ++i) {
        const std::string n = std::to_string(i);
        text += "0 @I" + n + "@ INDI" + end + "1 NAME Given" + n + " /Name" + n + "/" + end;
        if (i % 7 == 0)
            text += "2 CONC  more" + end + "1 BIRT" + end + "2 DATE " + n + " MAR 1800" + end +
                    "2 PLAC Town" + end + "2 CONT  and more" + end + "1 _HME Y" + end;
        text += "1 SEX " + std::string(i % 2 ? "M" : "F") + end;
        if (i > 3)
            text += "1 FAMC @F" + std::to_string(i / 3) + "@" + end;
        if (i % 3 == 0) {
            const std::string f = std::to_string(i / 3);
            text += "0 @F" + f + "@ FAM" + end + "1 HUSB @I" + std::to_string(i - 2) + "@" + end +
                    "1 WIFE @I" + std::to_string(i - 1) + "@" + end + "1 CHIL @I" +
                    std::to_string(persons + 1 - i) + "@" + end;
        }
    }
    return text + "0 TRLR" + end;
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
    void readsAlikeInStretches_data();
    void readsAlikeInStretches();
    void readsFilesOnlyWhenRegular();
};

void GedcomReaderTest::readsTheFirstPerson_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QString plain = QStringLiteral("Zo\u00EB Dvo\u0159\u00E1k |b. 1 Jan 1900, Krak\u00F3w");
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
        << QStringLiteral("Ann Lee |chr. 2 Feb 1700, Ely");
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

void GedcomReaderTest::readsAlikeInStretches_data()
{
    QTest::addColumn<QByteArray>("text");

    const auto bytes = [](const std::string& text) {
        return QByteArray(text.data(), qsizetype(text.size()));
    };
    const std::string records = manyRecords(60);
    const std::string body = records.substr(0, records.size() - 7); // without its trailer
    QTest::newRow("generated family") << bytes(generateDescendants({5, 4, 3, 400, 7, false}).text);
    QTest::newRow("links across the file") << bytes(records);
    QTest::newRow("CR LF") << bytes(manyRecords(60, "\r\n"));
    QTest::newRow("CR") << bytes(manyRecords(60, "\r"));
    QTest::newRow("LF CR") << bytes(manyRecords(60, "\n\r"));
    QTest::newRow("blank lines and blanks before levels")
        << bytes("\n  \n" + body.substr(0, 400) + "\n\n  0 @I900@ INDI\n 1 NAME Lead /Blank/\n" +
                 body.substr(400) + "0 TRLR\n");
    QTest::newRow("trailer early, records after it") << bytes(
        body.substr(0, body.find("0 @I9@")) + "0 TRLR\n" + body.substr(body.find("0 @I9@")));
    QTest::newRow("no trailer") << bytes(body);
    QTest::newRow("no trailer, cut in a line") << bytes(body.substr(0, body.size() - 5));
    QTest::newRow("the same cross-reference twice")
        << bytes(body + "0 @I2@ INDI\n1 NAME Second /Two/\n0 @F1@ FAM\n1 HUSB @I30@\n0 TRLR\n");
    // A level 0 line that is no GEDCOM line leaves the lines after it to the
    // record before.
    std::string broken;
    for (int i = 0; i < 40; ++i)
        broken += "0 @X" + std::to_string(i) + " INDI\n1 BIRT\n2 DATE 1 JAN 1900\n1 FAMS @F2@\n";
    QTest::newRow("broken level 0 lines") << bytes(
        body.substr(0, 900) + "\n" + broken + body.substr(body.find('\n', 900) + 1) + "0 TRLR\n");
    std::string badLines;
    for (int i = 0; i < 70; ++i)
        badLines += "no GEDCOM line\n3 DATE level jump\n";
    QTest::newRow("more warnings than are listed")
        << bytes(body.substr(0, 700) + badLines + body.substr(700) +
                 "0 @F99@ FAM\n1 CHIL @I999@\n" + badLines + "0 TRLR\n");
    QTest::newRow("home from the header, named last")
        << bytes("0 HEAD\n1 _HME @I58@\n" + body.substr(body.find("1 CHAR")) + "0 TRLR\n");
    QTest::newRow("home from the submitter, named last")
        << bytes("0 HEAD\n1 SUBM @U1@\n" + body.substr(body.find("1 CHAR")) +
                 "0 @U1@ SUBM\n1 _UID @I55@\n0 HEAD\n1 _HME @I57@\n0 TRLR\n");
    QTest::newRow("not GEDCOM") << bytes("1 HEAD\n" + body);
    QTest::newRow("blank") << QByteArray(300, '\n');
}

void GedcomReaderTest::readsAlikeInStretches()
{
    QFETCH(QByteArray, text);
    const std::string utf8(text.constData(), std::size_t(text.size()));
    const std::string whole = dump(readGedcom(utf8, 1));
    QVERIFY(whole.size() > 40);
    for (const std::size_t stretches : {2, 3, 5, 16, 200})
        QCOMPARE(dump(readGedcom(utf8, stretches)), whole);
}

void GedcomReaderTest::readsFilesOnlyWhenRegular()
{
    QCOMPARE(readGedcomFile("/dev/null").status, Result::CannotOpen);
    QCOMPARE(readGedcomFile("/").status, Result::CannotOpen);
    QCOMPARE(readGedcomFile("/nonexistent/file.ged").status, Result::CannotOpen);
}

QTEST_APPLESS_MAIN(GedcomReaderTest)
#include "gedcom_reader_test.moc"
