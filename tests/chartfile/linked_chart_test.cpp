// SPDX-License-Identifier: GPL-3.0-or-later
// A linked chart's family file and records: written where a plain reading
// passes over them, read back, and absent from charts without links.
#include "chart_fixtures.h"
#include "chartfile/chart_copy.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/link_fields.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

FamilyLink familyLink(const char* path = "family.ged")
{
    FamilyLink link;
    link.path = path;
    link.root = "I12";
    link.layout = LayoutKind::Ancestors;
    link.generations = 7;
    link.places = false;
    link.marriages = true;
    link.living = LivingPolicy::NameOnly;
    return link;
}

// The header line of a chart linked to family.ged beside it.
QByteArray linkedHeader()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("c.txt").toStdString();
    Chart chart(TreeSettings(), "c");
    FamilyLink link;
    link.path = dir.filePath("family.ged").toStdString();
    link.root = "I1";
    chart.setFamilyLink(link);
    if (!saveChartFile(path, chart))
        return {};
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readLine().trimmed() : QByteArray();
}

// Three boxes away from the origin, the first and the continuation box linked.
Chart linkedChart(const FamilyLink& link, const RecordLink& first)
{
    Chart chart(TreeSettings(), "linked");
    Tree& tree = chart.mutableTree();
    Person* a =
        tree.append(std::make_unique<Person>("Anna Berg\r\nb. 1901", Cell{4, 3}, Links{20, 30}));
    tree.append(std::make_unique<Person>("typed", Cell{5, 3}, Links{0, 0}));
    Person* c = tree.append(std::make_unique<ContPerson>("2 children", Cell{4, 4}, Links{0, 0}, 2));
    tree.mutableRecords().set(a, first);
    tree.mutableRecords().set(c, {"I12", textFingerprint("2 children")});
    chart.setFamilyLink(link);
    return chart;
}

// The record of each box in list order, "-" for none.
QByteArray recordsText(const Tree& tree)
{
    QByteArray text;
    tree.forEachPerson([&](const Person* box) {
        const RecordLink* record = tree.records().find(box);
        text += record ? QByteArray::fromStdString(record->xref) + "/" +
                             QByteArray::number(record->fingerprint, 16)
                       : QByteArray("-");
        text += ' ';
    });
    return text;
}

// What a reader that knows nothing of links reads: every byte after the last
// plain field gone.
QByteArray withoutLinkFields(QByteArray bytes)
{
    QString text = QString::fromLatin1(bytes);
    text.replace(QRegularExpression(" gedcom [^\n]*"), "");
    text.replace(QRegularExpression(" r[0-9]+:[^\n]*"), "");
    return text.toLatin1();
}

} // namespace

class LinkedChartTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("xref");
        QTest::addColumn<quint32>("fingerprint");
        QTest::newRow("plain") << QByteArray("I3") << quint32(0x1234abcd);
        QTest::newRow("fingerprint 0") << QByteArray("F1") << quint32(0);
        QTest::newRow("fingerprint all ones") << QByteArray("I9") << quint32(0xffffffff);
        QTest::newRow("blanks, colons and digits")
            << QByteArray("P 1:2 3j4") << quint32(0x00000001);
        QTest::newRow("255 bytes") << QByteArray(255, 'x') << quint32(0x10);
    }
    void roundTrip()
    {
        QFETCH(QByteArray, xref);
        QFETCH(quint32, fingerprint);
        const Chart chart = linkedChart(familyLink(), {xref.toStdString(), fingerprint});
        const ChartLoad load = loadChartBytes(chartBytes(chart), TreeSettings());
        QVERIFY(load);
        QCOMPARE(boxesText(load.chart.tree()), boxesText(chart.tree()));
        QCOMPARE(recordsText(load.chart.tree()), recordsText(chart.tree()));
        QVERIFY(load.chart.familyLink() == chart.familyLink());
        QCOMPARE(chartBytes(load.chart), chartBytes(chart));
    }

    // Every part of the request comes back: layout kind, both halves, the book.
    void wholeRequestRoundTrip()
    {
        FamilyLink link = familyLink();
        link.layout = LayoutKind::Hourglass;
        link.ancestorGenerations = 3;
        link.generations = 5;
        link.bookColumns = 40;
        link.bookChart = "0301";
        link.fileFingerprint = 0x0123456789abcdef;
        link.living = LivingPolicy::ShowAll;
        link.keepUnderscores = true;
        link.dates = DateStyle::Long;
        const Chart chart = linkedChart(link, {"I3", 1});
        const ChartLoad load = loadChartBytes(chartBytes(chart), TreeSettings());
        QVERIFY(load);
        QVERIFY(load.chart.familyLink() == link);
    }

    void writtenFields()
    {
        const Chart chart = linkedChart(familyLink(), {"I3", 0xabc});
        QCOMPARE(chartBytes(chart),
                 QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 10:family.ged 3:I12 a7 -mn\n"
                            "P 4j3 18:Anna Berg |b. 1901 20j30 0 r2:I3 00000abc\n"
                            "P 5j3 5:typed 0j0 0\n"
                            "p2 4j4 10:2 children 0j0 0 r3:I12 ") +
                     QByteArray::number(textFingerprint("2 children"), 16).rightJustified(8, '0') +
                     "\n");
    }

    // A reader that knows nothing of links passes over their fields.
    void plainReadingKeepsTheBoxes()
    {
        const Chart chart = linkedChart(familyLink(), {"I3", 7});
        const QByteArray linked = chartBytes(chart);
        const QByteArray plain = withoutLinkFields(linked);
        QVERIFY(plain != linked);
        const ChartLoad load = loadChartBytes(plain, TreeSettings());
        QVERIFY(load);
        QCOMPARE(boxesText(load.chart.tree()), boxesText(chart.tree()));
        QVERIFY(!load.chart.familyLink().linked());
        QCOMPARE(recordsText(load.chart.tree()), QByteArray("- - - "));
    }

    // Link fields on lines the fast reading leaves to the general one.
    void generalReadingFindsTheRecord()
    {
        const ChartLoad load =
            loadChartBytes("Stirpa  120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d4 p-s\n"
                           "P  4j3  5:Anna  20j30  0 r2:I3 0000000f\n",
                           TreeSettings());
        QVERIFY(load);
        QCOMPARE(recordsText(load.chart.tree()), QByteArray("I3/f "));
        QCOMPARE(load.chart.familyLink().root, std::string("I1"));
    }

    // The family file's fingerprint after the flags: sixteen hex digits, or
    // none; a broken one leaves the link without it.
    void fileFingerprintField_data()
    {
        QTest::addColumn<QByteArray>("field"); // after " gedcom 5:a.ged 2:I1 d4 p-s"
        QTest::addColumn<quint64>("fingerprint");
        QTest::newRow("none") << QByteArray() << quint64(0);
        QTest::newRow("sixteen digits")
            << QByteArray(" f0123456789abcdef") << quint64(0x0123456789abcdefULL);
        QTest::newRow("all ones") << QByteArray(" fffffffffffffffff") << ~quint64(0);
        QTest::newRow("fifteen digits") << QByteArray(" f123456789abcdef") << quint64(0);
        QTest::newRow("not hex") << QByteArray(" f0123456789abcdeg") << quint64(0);
        QTest::newRow("other bytes") << QByteArray(" x0123456789abcdef") << quint64(0);
    }
    void fileFingerprintField()
    {
        QFETCH(QByteArray, field);
        QFETCH(quint64, fingerprint);
        const QByteArray header = "Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d4 p-s" + field;
        const ChartLoad load = loadChartBytes(header + "\nP 0j0 1:A 0j0 0\n", TreeSettings());
        QVERIFY(load);
        QVERIFY(load.chart.familyLink().linked());
        QCOMPARE(quint64(load.chart.familyLink().fileFingerprint), fingerprint);
        // Written back as read, or not at all.
        QCOMPARE(chartBytes(load.chart).split('\n').front(),
                 fingerprint != 0 ? header : header.left(header.indexOf("p-s") + 3));
    }

    // Bytes after the last field that are no link field stay ignored.
    void otherTrailingBytesAreNoLink_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<QByteArray>("records");
        const QByteArray header = "Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d4 p-s";
        const QByteArray box = "P 1j1 1:A 0j0 0 r2:I3 0000000f";
        QTest::newRow("both fields") << header << box << true << QByteArray("I3/f ");
        QTest::newRow("rubbish after the box")
            << header << QByteArray("P 1j1 1:A 0j0 0 xyz") << true << QByteArray("- ");
        QTest::newRow("count past the line")
            << header << QByteArray("P 1j1 1:A 0j0 0 r9:I3 0000000f") << true << QByteArray("- ");
        QTest::newRow("seven hex digits")
            << header << QByteArray("P 1j1 1:A 0j0 0 r2:I3 000000f") << true << QByteArray("- ");
        QTest::newRow("not hex") << header << QByteArray("P 1j1 1:A 0j0 0 r2:I3 0000000g") << true
                                 << QByteArray("- ");
        QTest::newRow("empty xref")
            << header << QByteArray("P 1j1 1:A 0j0 0 r0: 0000000f") << true << QByteArray("- ");
        QTest::newRow("record without a family file")
            << QByteArray("Stirpa 120j50 50j200 d1 1") << box << false << QByteArray("- ");
        QTest::newRow("generations 0")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d0 p-s") << box << false
            << QByteArray("- ");
        QTest::newRow("generations 99")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d99 p-s") << box << true
            << QByteArray("I3/f ");
        QTest::newRow("generations 100")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d100 p-s") << box << false
            << QByteArray("- ");
        QTest::newRow("unknown layout")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 x4 p-s") << box << false
            << QByteArray("- ");
        QTest::newRow("path past the line")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 99:a.ged") << box << false
            << QByteArray("- ");
        QTest::newRow("hourglass")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 h3/4 p-s") << box << true
            << QByteArray("I3/f ");
        QTest::newRow("hourglass without its lower half")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 h3 p-s") << box << false
            << QByteArray("- ");
        QTest::newRow("a book's chart")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d4 p-s b20 2:03") << box
            << true << QByteArray("I3/f ");
        QTest::newRow("a book's chart whose suffix is no number")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d4 p-s b20 2:0x") << box
            << false << QByteArray("- ");
        QTest::newRow("a book of 0 columns")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d4 p-s b0 0:") << box
            << false << QByteArray("- ");
        QTest::newRow("a later option")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d4 p-s b20 2:03 okz")
            << box << true << QByteArray("I3/f ");
        QTest::newRow("flags cut short")
            << QByteArray("Stirpa 120j50 50j200 d1 1 gedcom 5:a.ged 2:I1 d4 p-") << box << false
            << QByteArray("- ");
    }
    void otherTrailingBytesAreNoLink()
    {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, box);
        QFETCH(bool, linked);
        QFETCH(QByteArray, records);
        const ChartLoad load = loadChartBytes(header + "\n" + box + "\n", TreeSettings());
        QVERIFY(load);
        QCOMPARE(load.chart.tree().size(), std::size_t(1));
        QCOMPARE(load.chart.familyLink().linked(), linked);
        QCOMPARE(recordsText(load.chart.tree()), records);
    }

    // The family file is stored relative to the chart, and read back whole.
    void familyPathRelativeToTheChart_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("beside") << "data/f.ged"
                                << "data/c.txt" << QByteArray("5:f.ged");
        QTest::newRow("a folder down") << "data/gen/f.ged"
                                       << "data/c.txt" << QByteArray("9:gen/f.ged");
        QTest::newRow("a folder up") << "f.ged"
                                     << "data/charts/c.txt" << QByteArray("11:../../f.ged");
        QTest::newRow("blank in the name") << "data/my f.ged"
                                           << "data/c.txt" << QByteArray("8:my f.ged");
    }
    void familyPathRelativeToTheChart()
    {
        QFETCH(QString, family);
        QFETCH(QString, chart);
        QFETCH(QByteArray, stored);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath("data/charts") && QDir(dir.path()).mkpath("data/gen"));
        const std::string familyPath = dir.filePath(family).toStdString();
        const std::string chartPath = dir.filePath(chart).toStdString();
        const Chart linked = linkedChart(familyLink(familyPath.c_str()), {"I3", 1});
        QVERIFY(saveChartFile(chartPath, linked));
        const QByteArray bytes = readWholeFile(QString::fromStdString(chartPath));
        QVERIFY2(bytes.contains(" gedcom " + stored + " "), bytes.constData());
        const ChartLoad load = readChartFile(chartPath, TreeSettings());
        QVERIFY(load);
        QCOMPARE(load.chart.familyLink().path, familyPath);
        QCOMPARE(peekFamilyLink(chartPath).path, familyPath);
    }

    // The header alone tells the family file, as long as it is within the
    // first 64 KiB, whole.
    void peekFindsTheFamilyFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("header");
        const int window = 1 << 16;
        const int headerLength = int(linkedHeader().size()) + 1; // with its line end
        QTest::newRow("header first") << QByteArray() << true << true;
        QTest::newRow("byte-order mark, blank lines")
            << QByteArray("\xEF\xBB\xBF\n\r\n\n") << true << true;
        QTest::newRow("line end at the window's last byte")
            << QByteArray(window - headerLength, '\n') << true << true;
        QTest::newRow("line end one byte past the window")
            << QByteArray(window - headerLength + 1, '\n') << false << true;
        QTest::newRow("a box first") << QByteArray("P 0j0 1:A 0j0 0\n") << false << true;
        QTest::newRow("no link") << QByteArray() << false << false;
    }
    void peekFindsTheFamilyFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, linked);
        QFETCH(bool, header);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString chartPath = dir.filePath("c.txt");
        QFile file(chartPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before + (header ? linkedHeader() : QByteArray("Stirpa 120j50 50j200 d1 1")) +
                   "\nP 0j0 1:A 0j0 0\n");
        file.close();
        const FamilyLink link = peekFamilyLink(chartPath.toStdString());
        QCOMPARE(link.linked(), linked);
        if (linked)
            QCOMPARE(QString::fromStdString(link.path), dir.filePath("family.ged"));
        QVERIFY(!peekFamilyLink(dir.filePath("none.txt").toStdString()).linked());
    }

    // Charts without links are written as they always were.
    void unlinkedChartsWriteNoLinkFields_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("sample") << STIRPA_SOURCE_DIR "/resources/sample.txt";
        // The log beside them is no chart.
        for (const QString& name : QDir(STIRPA_TEST_DATA).entryList({"*.txt"}, QDir::Files))
            if (!name.endsWith("_log.txt"))
                QTest::newRow(qPrintable(name)) << QString(STIRPA_TEST_DATA "/") + name;
    }
    void unlinkedChartsWriteNoLinkFields()
    {
        QFETCH(QString, path);
        const ChartLoad load = readChartFile(path.toStdString(), TreeSettings());
        QVERIFY(load);
        QVERIFY(load.chart.tree().records().empty());
        const QByteArray written = chartBytes(load.chart);
        QCOMPARE(withoutLinkFields(written), written);
    }

    // A copy to look at changes on is the chart itself: every box, setting,
    // record and the family file's absolute path.
    void copyIsTheSameChart_data()
    {
        QTest::addColumn<int>("seed"); // 0: the linked chart
        QTest::newRow("linked chart") << 0;
        QTest::newRow("random chart 1") << 1;
        QTest::newRow("random chart 2") << 2;
    }
    void copyIsTheSameChart()
    {
        QFETCH(int, seed);
        std::mt19937 random{unsigned(seed)};
        const Chart chart = seed == 0 ? linkedChart(familyLink("/home/u/f.ged"),
                                                    {"I3", textFingerprint("Anna Berg\r\nb. 1901")})
                                      : randomChart(random);
        const Chart copy = copyOfChart(chart);
        QCOMPARE(chartBytes(copy), chartBytes(chart));
        QCOMPARE(recordsText(copy.tree()), recordsText(chart.tree()));
        QCOMPARE(copy.familyLink(), chart.familyLink());
        QCOMPARE(copy.tree().name(), chart.tree().name());
    }
};

QTEST_APPLESS_MAIN(LinkedChartTest)
#include "linked_chart_test.moc"
