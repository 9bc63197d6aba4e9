// SPDX-License-Identifier: GPL-3.0-or-later
// One small family with accented names, written in every character set old
// programs wrote, declared rightly, wrongly or not at all: each reads back as
// the same UTF-8 and makes the same chart, and a guess is told.
#include "base/control_characters.h"
#include "gedcom/code_pages.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/gedcom_text.h"
#include "layout/chart_import.h"

#include <QtTest>

#include <map>
#include <random>

namespace {

// Jürgen Müller of Gävle, his wife Françoise Ménard and their daughter Åsa.
const QString family = QStringLiteral("0 HEAD\n%1"
                                      "0 @I1@ INDI\n1 NAME J\u00FCrgen /M\u00FCller/\n"
                                      "1 BIRT\n2 DATE 3 MAR 1901\n2 PLAC G\u00E4vle, Sverige\n"
                                      "1 FAMS @F1@\n"
                                      "0 @I2@ INDI\n1 NAME Fran\u00E7oise /M\u00E9nard/\n"
                                      "1 FAMS @F1@\n"
                                      "0 @I3@ INDI\n1 NAME \u00C5sa /M\u00FCller/\n1 FAMC @F1@\n"
                                      "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
                                      "0 TRLR\n");

enum Encoding { Utf8, Utf16Le, Utf16Be, Cp1252, Cp437, Mac, Ansel };

// The bytes of each accented letter of the family in the single-byte sets.
const std::map<Encoding, std::map<char16_t, QByteArray>> letters = {
    {Cp1252, {{0xFC, "\xFC"}, {0xE4, "\xE4"}, {0xE7, "\xE7"}, {0xE9, "\xE9"}, {0xC5, "\xC5"}}},
    {Cp437, {{0xFC, "\x81"}, {0xE4, "\x84"}, {0xE7, "\x87"}, {0xE9, "\x82"}, {0xC5, "\x8F"}}},
    {Mac, {{0xFC, "\x9F"}, {0xE4, "\x8A"}, {0xE7, "\x8D"}, {0xE9, "\x8E"}, {0xC5, "\x81"}}},
    // ANSEL writes the diacritic before its letter.
    {Ansel,
     {{0xFC, "\xE8u"},
      {0xE4, "\xE8"
             "a"},
      {0xE7, "\xF0"
             "c"},
      {0xE9, "\xE2"
             "e"},
      {0xC5, "\xEA"
             "A"}}},
};

// UTF-16 without a byte-order mark.
QByteArray utf16(const QString& text, bool big)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes.append(big ? high : low).append(big ? low : high);
    }
    return bytes;
}

// The family with the CHAR line given (none when empty) in an encoding.
QByteArray familyIn(Encoding encoding, const QByteArray& charLine, bool byteOrderMark = false)
{
    const QString text = family.arg(charLine.isEmpty() ? QString() : "1 CHAR " + charLine + "\n");
    QByteArray bytes;
    if (encoding == Utf8) {
        bytes = text.toUtf8();
        return byteOrderMark ? "\xEF\xBB\xBF" + bytes : bytes;
    }
    if (encoding == Utf16Le || encoding == Utf16Be) {
        const bool big = encoding == Utf16Be;
        if (byteOrderMark)
            bytes = big ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
        return bytes + utf16(text, big);
    }
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? QByteArray(1, char(c.unicode()))
                                    : letters.at(encoding).at(c.unicode());
    return bytes;
}

// The boxes' texts of the chart of Jürgen's descendants.
QStringList chartTexts(const GedcomData& data)
{
    ImportOptions options;
    options.description.marriages = true;
    const ChartImport imported = importChart(data, options, "test");
    QStringList texts;
    imported.chart.tree().forEachPerson(
        [&](const Person* box) { texts << QString::fromStdString(box->text); });
    return texts;
}

GedcomLoad readBytes(const QByteArray& bytes)
{
    GedcomText text = decodeGedcom(bytes.toStdString());
    GedcomLoad load = readGedcom(std::move(text.utf8));
    load.data.characterSet = text.characterSet;
    return load;
}

} // namespace

Q_DECLARE_METATYPE(CharacterSet)
Q_DECLARE_METATYPE(Encoding)

class CharacterSetTest : public QObject {
    Q_OBJECT
private slots:
    void readsEverySet_data();
    void readsEverySet();
    void readsEveryFile_data();
    void readsEveryFile();
    void guessesByCase_data();
    void guessesByCase();
    void guessesUtf16AtItsLimits_data();
    void guessesUtf16AtItsLimits();
    void knowsTheDeclarations_data();
    void knowsTheDeclarations();
    void keepsUtf8WithStrayBytes_data();
    void keepsUtf8WithStrayBytes();
    void decodesBothEndsOfTheHighHalf_data();
    void decodesBothEndsOfTheHighHalf();
    void leavesOutControlCharactersWhereverTheyStand();
};

void CharacterSetTest::readsEverySet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<CharacterSet>("used");
    QTest::addColumn<QString>("note");

    const QString none;
    QTest::newRow("UTF-8") << familyIn(Utf8, "UTF-8") << CharacterSet::Utf8 << none;
    QTest::newRow("UTF-8 without CHAR") << familyIn(Utf8, {}) << CharacterSet::Utf8 << none;
    QTest::newRow("UTF-8 with a mark") << familyIn(Utf8, {}, true) << CharacterSet::Utf8 << none;
    QTest::newRow("UNICODE little-endian with a mark")
        << familyIn(Utf16Le, "UNICODE", true) << CharacterSet::Utf16LittleEndian << none;
    QTest::newRow("UNICODE big-endian with a mark")
        << familyIn(Utf16Be, "UNICODE", true) << CharacterSet::Utf16BigEndian << none;
    QTest::newRow("UNICODE little-endian without a mark")
        << familyIn(Utf16Le, "UNICODE") << CharacterSet::Utf16LittleEndian << none;
    QTest::newRow("UNICODE big-endian without a mark")
        << familyIn(Utf16Be, "UNICODE") << CharacterSet::Utf16BigEndian << none;
    QTest::newRow("ANSI") << familyIn(Cp1252, "ANSI") << CharacterSet::Windows1252 << none;
    QTest::newRow("IBM WINDOWS") << familyIn(Cp1252, "IBM WINDOWS") << CharacterSet::Windows1252
                                 << none;
    QTest::newRow("IBMPC") << familyIn(Cp437, "IBMPC") << CharacterSet::CodePage437 << none;
    QTest::newRow("MACINTOSH") << familyIn(Mac, "MACINTOSH") << CharacterSet::MacRoman << none;
    QTest::newRow("ANSEL") << familyIn(Ansel, "ANSEL") << CharacterSet::Ansel << none;

    // Guesses.
    const QString undeclared = "The file names no character set; it was read as %1, a guess.";
    const QString misfit =
        "The file names the character set %1, which its bytes do not fit; it was read as %2, "
        "a guess.";
    QTest::newRow("UTF-16 without a mark or CHAR")
        << familyIn(Utf16Le, {}) << CharacterSet::Utf16LittleEndian
        << undeclared.arg("UTF-16 little-endian");
    QTest::newRow("UTF-16 big-endian without a mark or CHAR")
        << familyIn(Utf16Be, {}) << CharacterSet::Utf16BigEndian
        << undeclared.arg("UTF-16 big-endian");
    QTest::newRow("no CHAR, Windows-1252") << familyIn(Cp1252, {}) << CharacterSet::Windows1252
                                           << undeclared.arg("Windows-1252 (ANSI)");
    QTest::newRow("no CHAR, code page 437") << familyIn(Cp437, {}) << CharacterSet::CodePage437
                                            << undeclared.arg("IBM PC (code page 437)");
    QTest::newRow("no CHAR, Mac Roman")
        << familyIn(Mac, {}) << CharacterSet::MacRoman << undeclared.arg("Macintosh (Mac Roman)");
    QTest::newRow("ASCII with Windows-1252 bytes")
        << familyIn(Cp1252, "ASCII") << CharacterSet::Windows1252
        << misfit.arg("ASCII", "Windows-1252 (ANSI)");
    QTest::newRow("ASCII with code page 437 bytes")
        << familyIn(Cp437, "ASCII") << CharacterSet::CodePage437
        << misfit.arg("ASCII", "IBM PC (code page 437)");
    QTest::newRow("ASCII with Mac Roman bytes") << familyIn(Mac, "ASCII") << CharacterSet::MacRoman
                                                << misfit.arg("ASCII", "Macintosh (Mac Roman)");
    QTest::newRow("UTF-8 that is not") << familyIn(Cp1252, "UTF-8") << CharacterSet::Windows1252
                                       << misfit.arg("UTF-8", "Windows-1252 (ANSI)");
    QTest::newRow("unknown set")
        << familyIn(Cp437, "KLINGON") << CharacterSet::CodePage437
        << "The file names the character set KLINGON, which is not known here; it was read as "
           "IBM PC (code page 437), a guess.";

    // Bytes that plainly are another set than the one named.
    QTest::newRow("ANSI that is UTF-8")
        << familyIn(Utf8, "ANSI") << CharacterSet::Utf8
        << "The file names the character set ANSI, but its bytes are UTF-8; it was read as UTF-8.";
    QTest::newRow("ASCII that is UTF-8")
        << familyIn(Utf8, "ASCII") << CharacterSet::Utf8
        << "The file names the character set ASCII, but its bytes are UTF-8; it was read as UTF-8.";
    QTest::newRow("IBMPC that is UTF-16")
        << familyIn(Utf16Be, "IBMPC") << CharacterSet::Utf16BigEndian
        << "The file names the character set IBMPC, but its bytes are UTF-16 big-endian; it was "
           "read as UTF-16 big-endian.";
}

void CharacterSetTest::readsEverySet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(CharacterSet, used);
    QFETCH(QString, note);
    const GedcomLoad load = readBytes(bytes);
    QVERIFY2(load, load.message().c_str());
    QCOMPARE(load.data.characterSet.used, used);
    QCOMPARE(QString::fromStdString(characterSetNote(load.data.characterSet).message()), note);
    QCOMPARE(chartTexts(load.data), chartTexts(readBytes(familyIn(Utf8, "UTF-8")).data));
}

void CharacterSetTest::readsEveryFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<CharacterSet>("used");
    QTest::addColumn<bool>("guessed");

    QTest::newRow("IBMPC") << "ibmpc" << CharacterSet::CodePage437 << false;
    QTest::newRow("IBM WINDOWS") << "ibm-windows" << CharacterSet::Windows1252 << false;
    QTest::newRow("ANSI") << "ansi" << CharacterSet::Windows1252 << false;
    QTest::newRow("MACINTOSH") << "macintosh" << CharacterSet::MacRoman << false;
    QTest::newRow("ANSEL") << "ansel" << CharacterSet::Ansel << false;
    QTest::newRow("UNICODE") << "unicode" << CharacterSet::Utf16LittleEndian << false;
    QTest::newRow("UNICODE big-endian without a mark")
        << "unicode-be" << CharacterSet::Utf16BigEndian << false;
    QTest::newRow("ASCII written by DOS") << "ascii-dos" << CharacterSet::CodePage437 << true;
    QTest::newRow("no CHAR, written on a Mac") << "no-char-mac" << CharacterSet::MacRoman << true;
    QTest::newRow("ANSI that is UTF-8") << "ansi-utf8" << CharacterSet::Utf8 << false;
}

void CharacterSetTest::readsEveryFile()
{
    QFETCH(QString, file);
    QFETCH(CharacterSet, used);
    QFETCH(bool, guessed);
    const QString folder = QStringLiteral(STIRPA_TEST_DATA "/gedcom/");
    const GedcomLoad load =
        readGedcomFile((folder + "charsets/hartmann-" + file + ".ged").toStdString());
    QVERIFY2(load, load.message().c_str());
    QCOMPARE(load.data.characterSet.used, used);
    const CharacterSetChoice::Reason reason = load.data.characterSet.reason;
    QCOMPARE(reason == CharacterSetChoice::Undeclared || reason == CharacterSetChoice::Misfit,
             guessed);
    const GedcomLoad original = readGedcomFile((folder + "hartmann.ged").toStdString());
    QCOMPARE(chartTexts(load.data), chartTexts(original.data));
    QVERIFY(chartTexts(load.data).join("").contains(QStringLiteral("Wei\u00DF")));
}

void CharacterSetTest::guessesByCase_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<CharacterSet>("used");
    QTest::addColumn<QString>("read");

    // Code page 437 reads the same bytes as letters as common, but in the
    // wrong case: a capital inside a word, a small letter among capitals.
    QTest::newRow("capital inside a word")
        << QByteArray("Ida /M\x8Enard/ G\x8Avle") << CharacterSet::MacRoman
        << QStringLiteral("Ida M\u00E9nard G\u00E4vle");
    QTest::newRow("surname in capitals") << QByteArray("Ida /M\x86LLER/") << CharacterSet::MacRoman
                                         << QStringLiteral("Ida M\u00DCLLER");
    QTest::newRow("capital starting a word")
        << QByteArray("\x8Frjan /\x99"
                      "berg/")
        << CharacterSet::CodePage437 << QStringLiteral("\u00C5rjan \u00D6berg");
}

void CharacterSetTest::guessesByCase()
{
    QFETCH(QByteArray, name);
    QFETCH(CharacterSet, used);
    QFETCH(QString, read);
    const GedcomLoad load = readBytes("0 HEAD\n0 @I1@ INDI\n1 NAME " + name + "\n0 TRLR\n");
    QCOMPARE(load.data.characterSet.used, used);
    QCOMPARE(QString::fromStdString(displayName(load.data.persons[0])), read);
}

// Without a byte-order mark, UTF-16 is told by its zero bytes: at least every
// other character has one on its side (ASCII), and at most one in 16 of those
// has one on the other side (such as U+0100).
const QString skeleton = QStringLiteral("0 HEAD\n0 @I1@ INDI\n1 NAME %1\n0 TRLR\n");

void CharacterSetTest::guessesUtf16AtItsLimits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("big");
    QTest::addColumn<bool>("takenForUtf16");
    const int ascii = int(skeleton.size()) - 2; // without the %1
    const QChar alpha(0x3B1), aMacron(0x100);   // no zero byte; a zero byte low
    const int macrons = 4, padding = 16 * macrons - ascii;
    for (const bool big : {false, true}) {
        const char* order = big ? "big-endian" : "little-endian";
        QTest::addRow("%s, one Greek letter fewer than ASCII", order)
            << QString(ascii - 1, alpha) << big << true;
        QTest::addRow("%s, as many Greek letters as ASCII", order)
            << QString(ascii, alpha) << big << true;
        QTest::addRow("%s, one Greek letter more than ASCII", order)
            << QString(ascii + 1, alpha) << big << false;
        QTest::addRow("%s, one U+0100 to 16 ASCII and one more", order)
            << QString(macrons, aMacron) + QString(padding + 1, QLatin1Char('a')) << big << true;
        QTest::addRow("%s, one U+0100 to 16 ASCII", order)
            << QString(macrons, aMacron) + QString(padding, QLatin1Char('a')) << big << true;
        QTest::addRow("%s, one U+0100 to 16 ASCII and one fewer", order)
            << QString(macrons, aMacron) + QString(padding - 1, QLatin1Char('a')) << big << false;
    }
}

void CharacterSetTest::guessesUtf16AtItsLimits()
{
    QFETCH(QString, name);
    QFETCH(bool, big);
    QFETCH(bool, takenForUtf16);
    const QByteArray bytes = utf16(skeleton.arg(name), big);
    const GedcomText text = decodeGedcom(bytes.toStdString());
    const CharacterSet expected =
        big ? CharacterSet::Utf16BigEndian : CharacterSet::Utf16LittleEndian;
    if (!takenForUtf16) {
        QVERIFY(text.characterSet.used != CharacterSet::Utf16LittleEndian &&
                text.characterSet.used != CharacterSet::Utf16BigEndian);
        return;
    }
    QCOMPARE(text.characterSet.used, expected);
    const GedcomLoad load = readGedcom(text.utf8);
    QVERIFY2(load, load.message().c_str());
    QCOMPARE(QString::fromStdString(displayName(load.data.persons[0])), name);
}

void CharacterSetTest::knowsTheDeclarations_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("known");
    QTest::addColumn<CharacterSet>("set");

    QTest::newRow("IBMPC") << "IBMPC" << true << CharacterSet::CodePage437;
    QTest::newRow("IBM PC") << "IBM PC" << true << CharacterSet::CodePage437;
    QTest::newRow("IBM WINDOWS") << "IBM WINDOWS" << true << CharacterSet::Windows1252;
    QTest::newRow("lower case") << "macintosh" << true << CharacterSet::MacRoman;
    QTest::newRow("UNICODE") << "UNICODE" << true << CharacterSet::Utf16LittleEndian;
    QTest::newRow("UTF8") << "UTF8" << true << CharacterSet::Utf8;
    QTest::newRow("IBM alone") << "IBM" << false << CharacterSet::Ascii;
    QTest::newRow("empty") << "" << false << CharacterSet::Ascii;
}

void CharacterSetTest::knowsTheDeclarations()
{
    QFETCH(QString, value);
    QFETCH(bool, known);
    QFETCH(CharacterSet, set);
    CharacterSet named = CharacterSet::Ascii;
    QCOMPARE(declaredSet(value.toStdString(), named), known);
    QCOMPARE(named, set);
}

// The last ASCII byte and the first and last bytes each set's table decodes.
void CharacterSetTest::decodesBothEndsOfTheHighHalf_data()
{
    QTest::addColumn<CharacterSet>("set");
    QTest::addColumn<QString>("read"); // of the bytes 7F 80 FF

    QTest::newRow("Windows-1252") << CharacterSet::Windows1252
                                  << QStringLiteral("\x7F\u20AC\u00FF");
    QTest::newRow("code page 437")
        << CharacterSet::CodePage437 << QStringLiteral("\x7F\u00C7\u00A0");
    QTest::newRow("Mac Roman") << CharacterSet::MacRoman << QStringLiteral("\x7F\u00C4\u02C7");
    QTest::newRow("ANSEL, no character at either")
        << CharacterSet::Ansel << QStringLiteral("\x7F\uFFFD\uFFFD");
}

void CharacterSetTest::decodesBothEndsOfTheHighHalf()
{
    QFETCH(CharacterSet, set);
    QFETCH(QString, read);
    QCOMPARE(QByteArray::fromStdString(fromSingleByteSet("\x7F\x80\xFF", set)), read.toUtf8());
}

// Texts of words, line ends, accented letters, control characters and their
// near misses, at every place among the words of eight bytes the reader
// passes over at once: each control character is left out and counted, as
// replacing them one by one finds them.
void CharacterSetTest::leavesOutControlCharactersWhereverTheyStand()
{
    const std::vector<std::string> pieces = {"Ann",    "a",      "\n",     "\r\n",
                                             "\t",     " ",      "\u00FC", "\u00A0",
                                             "\uFFFC", "\u0100", "\x01",   std::string(1, '\0'),
                                             "\x1F",   "\x7F",   "\u0080", "\u009F",
                                             "\uFFFE", "\uFFFF", "\x0B"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text = "0 HEAD\n1 CHAR UTF-8\n";
        for (int count = int(random() % 40); count > 0; --count)
            text += pieces[random() % pieces.size()];
        std::string expected = withControlsReplaced(text, "\t\n\r");
        std::size_t replaced = 0;
        for (std::size_t at = 0; (at = expected.find("\uFFFD", at)) != expected.npos; ++replaced)
            expected.erase(at, 3);
        const GedcomText decoded = decodeGedcom(text);
        QCOMPARE(QByteArray::fromStdString(decoded.utf8), QByteArray::fromStdString(expected));
        QCOMPARE(decoded.controlsLeftOut, replaced);
    }
}

QTEST_APPLESS_MAIN(CharacterSetTest)
#include "character_set_test.moc"

void CharacterSetTest::keepsUtf8WithStrayBytes_data()
{
    QTest::addColumn<int>("strays");
    QTest::addColumn<bool>("utf8");
    // The family has seven accented letters: a file with more stray bytes than
    // that is not UTF-8 as a whole.
    QTest::newRow("one") << 1 << true;
    QTest::newRow("one fewer than the letters") << 6 << true;
    QTest::newRow("as many as the letters") << 7 << true;
    QTest::newRow("one more than the letters") << 8 << false;
}

void CharacterSetTest::keepsUtf8WithStrayBytes()
{
    QFETCH(int, strays);
    QFETCH(bool, utf8);
    QByteArray bytes = familyIn(Utf8, "UTF-8");
    const QByteArray note = "0 @N1@ NOTE caf" + QByteArray(strays, '\xE9') + "\n";
    bytes.insert(bytes.indexOf("0 TRLR"), note);
    GedcomText text = decodeGedcom(bytes.toStdString());
    QCOMPARE(text.characterSet.used == CharacterSet::Utf8, utf8);
    if (!utf8)
        return;
    QCOMPARE(int(text.warnings.size()), strays);
    QCOMPARE(QString::fromStdString(text.warnings.front()),
             "line 19: a byte that is not UTF-8 (0xE9) was read as \"\u00E9\"");
    QVERIFY(QString::fromStdString(text.utf8).contains("caf" + QString(strays, QChar(0xE9))));
    QCOMPARE(chartTexts(readGedcom(std::move(text.utf8)).data),
             chartTexts(readBytes(familyIn(Utf8, "UTF-8")).data));
}
