// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the person a chart starts from: the home person or the one whose
// chart holds the most persons by default, a record id or a name when asked; and the
// person list's name order and search.
#include "gedcom/gedcom_reader.h"
#include "layout/root_person.h"

#include <QtTest>

namespace {

// Gabriel Hartmann and Marie Weiß with daughters Anna and Anna Maria, Anna's
// son Élie; Zoë Adler alone. The header lines go in after "0 HEAD", extra
// records before the trailer.
QByteArray family(const QByteArray& header = {}, const QByteArray& records = {})
{
    return "0 HEAD\n" + header +
           "0 @I1@ INDI\n1 NAME Anna /Hartmann/\n1 BIRT\n2 DATE 1850\n1 FAMC @F1@\n1 FAMS @F2@\n"
           "0 @I2@ INDI\n1 NAME Gabriel /Hartmann/\n1 FAMS @F1@\n"
           "0 @I3@ INDI\n1 NAME Marie /Wei\xC3\x9F/\n1 FAMS @F1@\n"
           "0 @I4@ INDI\n1 NAME Anna Maria /Hartmann/\n1 BIRT\n2 DATE 1848\n1 FAMC @F1@\n"
           "0 @I5@ INDI\n1 NAME \xC3\x89lie /Hartmann/\n1 FAMC @F2@\n"
           "0 @I6@ INDI\n1 NAME Zo\xC3\xAB /Adler/\n"
           "0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I3@\n1 CHIL @I1@\n1 CHIL @I4@\n"
           "0 @F2@ FAM\n1 WIFE @I1@\n1 CHIL @I5@\n" +
           records + "0 TRLR\n";
}

GedcomData read(const QByteArray& text)
{
    GedcomLoad load = readGedcom(text.toStdString());
    return std::move(load.data);
}

QString xrefOf(const GedcomData& data, int person)
{
    return person < 0 ? QStringLiteral("none")
                      : QString::fromStdString(std::string(data.persons[std::size_t(person)].xref));
}

QStringList xrefsOf(const GedcomData& data, const std::vector<int>& persons)
{
    QStringList xrefs;
    for (const int p : persons)
        xrefs << xrefOf(data, p);
    return xrefs;
}

// A line of descent the given number of generations long, each person the
// child of the next one in the file.
QByteArray line(int generations)
{
    QByteArray text = "0 HEAD\n";
    for (int g = 1; g <= generations; ++g) {
        text += "0 @P" + QByteArray::number(g) + "@ INDI\n";
        if (g > 1)
            text += "1 FAMS @F" + QByteArray::number(g - 1) + "@\n";
        if (g < generations)
            text += "1 FAMC @F" + QByteArray::number(g) + "@\n";
    }
    for (int g = 1; g < generations; ++g)
        text += "0 @F" + QByteArray::number(g) + "@ FAM\n";
    return text + "0 TRLR\n";
}

} // namespace

class RootPersonTest : public QObject {
    Q_OBJECT
private slots:
    void choosesTheDefault_data();
    void choosesTheDefault();
    void findsByIdOrName_data();
    void findsByIdOrName();
    void sortsByName_data();
    void sortsByName();
};

void RootPersonTest::choosesTheDefault_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("root");

    QTest::newRow("most descendants, not the first in the file") << family() << "I2";
    QTest::newRow("home person in the header") << family("1 _HME @I4@\n") << "I4";
    QTest::newRow("home person marked in the person's record")
        << family({}, "0 @I7@ INDI\n1 _HME\n") << "I7";
    QTest::newRow("the header's before a marked one")
        << family("1 _HME @I6@\n", "0 @I7@ INDI\n1 _HME\n") << "I6";
    QTest::newRow("the submitter's own person")
        << family("1 SUBM @U1@\n", "0 @U1@ SUBM\n1 NAME Zoe\n1 _INDI @I5@\n") << "I5";
    QTest::newRow("another submitter's is not")
        << family("1 SUBM @U1@\n", "0 @U2@ SUBM\n1 _INDI @I5@\n0 @U1@ SUBM\n1 NAME Zoe\n") << "I2";
    QTest::newRow("home naming no record") << family("1 _HME @I99@\n") << "I2";
    QTest::newRow("a tie goes to the earlier")
        << QByteArray("0 HEAD\n0 @W@ INDI\n1 FAMS @F1@\n0 @H@ INDI\n1 FAMS @F1@\n"
                      "0 @C@ INDI\n0 @F1@ FAM\n1 HUSB @H@\n1 WIFE @W@\n1 CHIL @C@\n0 TRLR\n")
        << "W";
    QTest::newRow("a family loop counts once")
        << QByteArray("0 HEAD\n0 @A@ INDI\n1 FAMS @F1@\n0 @B@ INDI\n1 FAMS @F2@\n"
                      "0 @C@ INDI\n1 FAMS @F3@\n0 @D@ INDI\n"
                      "0 @F1@ FAM\n1 HUSB @A@\n1 CHIL @B@\n0 @F2@ FAM\n1 HUSB @B@\n1 CHIL @A@\n"
                      "0 @F3@ FAM\n1 HUSB @C@\n1 CHIL @D@\n1 CHIL @A@\n0 TRLR\n")
        << "C";
    QTest::newRow("descendants along two lines count twice")
        << QByteArray("0 HEAD\n0 @A@ INDI\n1 FAMS @F1@\n0 @B@ INDI\n1 FAMS @F2@\n"
                      "0 @C@ INDI\n1 FAMS @F1@\n1 FAMS @F2@\n0 @D@ INDI\n0 @E@ INDI\n"
                      "0 @F1@ FAM\n1 HUSB @A@\n1 WIFE @C@\n1 CHIL @D@\n"
                      "0 @F2@ FAM\n1 HUSB @B@\n1 WIFE @C@\n1 CHIL @E@\n0 TRLR\n")
        << "C";
    // Four generations of the line hold four persons each, the first of them is taken.
    QTest::newRow("a line 100,000 generations long") << line(100000) << "P4";
    QByteArray large = line(30);
    large.chop(7); // the trailer
    large += "0 @A@ INDI\n1 FAMS @FA@\n0 @B@ INDI\n1 BIRT\n2 DATE 1700\n1 FAMS @FA@\n"
             "0 @C1@ INDI\n0 @C2@ INDI\n0 @C3@ INDI\n"
             "0 @FA@ FAM\n1 HUSB @A@\n1 WIFE @B@\n1 CHIL @C1@\n1 CHIL @C2@\n1 CHIL @C3@\n0 TRLR\n";
    QTest::newRow("a large family beside a long line, the earlier born of a couple")
        << large << "B";
    // P3 to P1, one child each, then P1's five: only the fourth generation shows P3's lead.
    QByteArray deep = line(3);
    deep.chop(7);
    deep +=
        "0 @D1@ INDI\n0 @D2@ INDI\n0 @D3@ INDI\n0 @D4@ INDI\n0 @D5@ INDI\n0 @FD@ FAM\n"
        "1 HUSB @P1@\n1 CHIL @D1@\n1 CHIL @D2@\n1 CHIL @D3@\n1 CHIL @D4@\n1 CHIL @D5@\n0 TRLR\n";
    QTest::newRow("a line of single children ending in a large family") << deep << "P3";
    QTest::newRow("no persons") << QByteArray("0 HEAD\n0 TRLR\n") << "none";
}

void RootPersonTest::choosesTheDefault()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, root);
    const GedcomData data = read(file);
    QCOMPARE(xrefOf(data, defaultRoot(data).person), root);
}

void RootPersonTest::findsByIdOrName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("id") << "I3" << QStringList{"I3"};
    QTest::newRow("id with at signs") << "@I6@" << QStringList{"I6"};
    QTest::newRow("the only name") << "gabriel" << QStringList{"I2"};
    QTest::newRow("accents ignored") << "ZOE" << QStringList{"I6"};
    QTest::newRow("accented query") << "\u00E9lie" << QStringList{"I5"};
    QTest::newRow("\u00DF as ss") << "weiss" << QStringList{"I3"};
    QTest::newRow("every word, any order") << "hartmann maria" << QStringList{"I4"};
    QTest::newRow("the whole name of one of several") << "anna hartmann" << QStringList{"I1"};
    QTest::newRow("several") << "anna" << QStringList{"I1", "I4"};
    QTest::newRow("names, not years") << "1850" << QStringList{};
    QTest::newRow("no one") << "Gabriela" << QStringList{};
    QTest::newRow("title and name") << "queen victoria" << QStringList{"I7"};
    QTest::newRow("prefix, suffix and nickname") << "hrh drina regina" << QStringList{"I7"};
    QTest::newRow("nothing") << "" << QStringList{"I6", "I7", "I1", "I4", "I5", "I2", "I3"};
}

void RootPersonTest::findsByIdOrName()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    const GedcomData data =
        read(family({}, "0 @I7@ INDI\n1 NAME Victoria /Hanover/\n2 NPFX HRH\n"
                        "2 NSFX Regina\n2 NICK Drina\n1 TITL Queen of England\n"));
    const PersonFilter filter(data);
    QCOMPARE(xrefsOf(data, personsNamed(data, filter, text.toStdString())), found);
}

void RootPersonTest::sortsByName_data()
{
    QTest::addColumn<QByteArray>("persons");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("surname, then given names")
        << QByteArray("0 @A@ INDI\n1 NAME Carl /Berg/\n0 @B@ INDI\n1 NAME Anna /Dahl/\n"
                      "0 @C@ INDI\n1 NAME Bo /Berg/\n")
        << QStringList{"C", "A", "B"};
    QTest::newRow("then birth, then the file's order")
        << QByteArray("0 @A@ INDI\n1 NAME Ann /Lee/\n1 BIRT\n2 DATE 1901\n"
                      "0 @B@ INDI\n1 NAME Ann /Lee/\n1 BIRT\n2 DATE 5 MAY 1900\n"
                      "0 @C@ INDI\n1 NAME Ann /Lee/\n1 BIRT\n2 DATE 1900\n"
                      "0 @D@ INDI\n1 NAME Ann /Lee/\n1 BIRT\n2 DATE 1900\n")
        << QStringList{"C", "D", "B", "A"};
    QTest::newRow("accents and case ignored")
        << QByteArray("0 @A@ INDI\n1 NAME \xC3\x96rjan /\xC3\x85s/\n0 @B@ INDI\n1 NAME Ola /At/\n"
                      "0 @C@ INDI\n1 NAME Per /ab/\n")
        << QStringList{"C", "A", "B"};
    QTest::newRow("surname from the name parts")
        << QByteArray("0 @A@ INDI\n1 NAME\n2 GIVN Zed\n2 SURN Alm\n0 @B@ INDI\n1 NAME Al /Bo/\n")
        << QStringList{"A", "B"};
    QTest::newRow("without a surname first, without a name last")
        << QByteArray("0 @A@ INDI\n0 @B@ INDI\n1 NAME Al /Bo/\n0 @C@ INDI\n1 NAME Zed\n")
        << QStringList{"C", "B", "A"};
}

void RootPersonTest::sortsByName()
{
    QFETCH(QByteArray, persons);
    QFETCH(QStringList, order);
    const GedcomData data = read("0 HEAD\n" + persons + "0 TRLR\n");
    const PersonFilter filter(data);
    QCOMPARE(xrefsOf(data, filter.matching({})), order);
    for (std::size_t rank = 0; rank < filter.size(); ++rank)
        QCOMPARE(filter.rankOf(filter.personAt(rank)), rank);
}

QTEST_APPLESS_MAIN(RootPersonTest)
#include "root_person_test.moc"
