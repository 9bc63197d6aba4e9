// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/book_charts.h"
#include "chartfile/chart_reader.h"
#include "export/html_export.h"
#include "family/book_files.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom_generator.h"
#include "test_files.h"
#include "web/book_page.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A numbers column of the page data: an empty number is 0.
std::vector<int> numbers(const QJsonObject& data, const char* name)
{
    std::vector<int> values;
    for (const QString& value : data[name].toString().split(','))
        values.push_back(value.toInt());
    return values;
}

QStringList texts(const QJsonObject& data, const char* name)
{
    return data[name].toString().split('\n');
}

} // namespace

class BookPageTest : public QObject {
    Q_OBJECT
private slots:
    void everyBoxLeadsWithinTheBook_data();
    void everyBoxLeadsWithinTheBook();
    void seeBoxWords_data();
    void seeBoxWords();
};

void BookPageTest::everyBoxLeadsWithinTheBook_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("columns");
    for (unsigned seed = 1; seed <= 24; ++seed)
        QTest::addRow("village %u", seed) << seed << int(14 + seed % 4 * 8);
}

// Over books of generated villages, opened at any of their charts: the page
// holds every chart; each continuation box leads to a chart of the book, each
// see box to the chart and box of its person; every chart is reached from the
// main one, and each other one leads back up; each box's person is its record.
void BookPageTest::everyBoxLeadsWithinTheBook()
{
    QFETCH(unsigned, seed);
    QFETCH(int, columns);
    QTemporaryDir folder;
    const std::string familyPath = folder.filePath("village.ged").toStdString();
    writeFile(QString::fromStdString(familyPath),
              QByteArray::fromStdString(generateVillage({6, 4, 500, seed, seed % 2 == 0}).text));
    const GedcomLoad load = readGedcomFile(familyPath);
    QVERIFY(load);
    ImportOptions options;
    options.layout.root = load.data.findPerson("I1");
    options.bookColumns = columns;
    const BookImport saved =
        saveBook(load.data, options, folder.filePath("book.txt").toStdString(), familyPath);
    QVERIFY2(saved, saved.message().c_str());

    const std::string asked = saved.written[seed % saved.written.size()];
    ChartLoad chart = readChartFile(asked, TreeSettings());
    QVERIFY(chart);
    const BookCharts book = readBookCharts(asked, std::move(chart.chart));
    QCOMPARE(book.charts.size(), saved.written.size());
    QVERIFY(book.notes.empty());
    QVERIFY(book.family);
    PageBook page{{}, book.shown, &*book.family};
    for (const NamedChart& one : book.charts)
        page.charts.push_back({one.name, &one.chart});
    std::string written;
    writeBookData(page, false, [&written](std::string_view piece) {
        written += piece;
        return true;
    });
    QJsonParseError error;
    const QJsonObject data = QJsonDocument::fromJson(QByteArray::fromStdString(written), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray charts = data["charts"].toArray();
    QCOMPARE(std::size_t(charts.size()), book.charts.size());
    QCOMPARE(charts[data["shown"].toInt()].toObject()["name"].toString().toStdString(),
             htmlPageName(asked));
    const QStringList ids = texts(data["family"].toObject(), "ids");

    QHash<QString, int> byName;
    for (int k = 0; k < charts.size(); ++k)
        byName[charts[k].toObject()["name"].toString()] = k;
    std::vector<std::vector<int>> leads(std::size_t(charts.size()));
    std::vector<int> ledTo(std::size_t(charts.size()), 0);
    for (int k = 0; k < charts.size(); ++k) {
        const QJsonObject one = charts[k].toObject();
        for (const QString& address : texts(one, "addresses")) {
            if (address.isEmpty())
                continue; // a box that marks the generation limit
            QVERIFY2(address.startsWith("#chart=") && byName.contains(address.mid(7)),
                     qPrintable(address));
            leads[std::size_t(k)].push_back(byName[address.mid(7)]);
            ++ledTo[std::size_t(byName[address.mid(7)])];
        }
        const std::vector<int> records = numbers(one, "records");
        const std::vector<int> sees = numbers(one, "seeCharts");
        const Tree& tree = book.charts[std::size_t(k)].chart.tree();
        std::size_t box = 0;
        tree.forEachPerson([&](const Person* person) {
            if (const RecordLink* link = tree.records().find(person))
                QCOMPARE(ids[records[box] - 1].toStdString(), link->xref);
            ++box;
        });
        for (std::size_t i = 0; i < sees.size(); ++i) {
            if (sees[i] == 0)
                continue;
            QVERIFY2(records[i] > 0, "a see box names its person");
            const QJsonObject target = charts[sees[i] - 1].toObject();
            const std::vector<int> there = numbers(target, "records");
            const std::vector<int> thereSees = numbers(target, "seeCharts");
            bool found = false;
            for (std::size_t j = 0; j < there.size() && !found; ++j)
                found = there[j] == records[i] && thereSees[j] == 0;
            QVERIFY2(found, "the person's own box is in the chart the see box names");
        }
    }
    // Every chart reached from the main one, and each other led to (its way back up).
    std::vector<bool> reached(std::size_t(charts.size()), false);
    std::vector<int> queue{0};
    reached[0] = true;
    for (std::size_t next = 0; next < queue.size(); ++next)
        for (const int target : leads[std::size_t(queue[next])])
            if (!reached[std::size_t(target)]) {
                reached[std::size_t(target)] = true;
                queue.push_back(target);
            }
    QCOMPARE(queue.size(), std::size_t(charts.size()));
    for (std::size_t k = 1; k < ledTo.size(); ++k)
        QVERIFY(ledTo[k] > 0);
}

void BookPageTest::seeBoxWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isSee");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("branch") << "see |Ann Lee, |chart 03" << true << "Ann Lee" << "03";
    QTest::newRow("deep") << "see |Ann Lee, |chart 0301" << true << "Ann Lee" << "0301";
    QTest::newRow("main") << "see |Ann Lee, |main chart" << true << "Ann Lee" << "";
    QTest::newRow("odd digits") << "see |Ann Lee, |chart 031" << false << "" << "";
    QTest::newRow("no digits") << "see |Ann Lee, |chart " << false << "" << "";
    QTest::newRow("letters") << "see |Ann Lee, |chart 0a" << false << "" << "";
    QTest::newRow("one line") << "chart 03" << false << "" << "";
    QTest::newRow("a person") << "Ann Lee |b. 1850" << false << "" << "";
}

void BookPageTest::seeBoxWords()
{
    QFETCH(QString, text);
    QFETCH(bool, isSee);
    std::string name, suffix;
    QCOMPARE(readSeeBox(text.toStdString(), name, suffix), isSee);
    if (isSee) {
        QTEST(QString::fromStdString(name), "name");
        QTEST(QString::fromStdString(suffix), "suffix");
    }
}

QTEST_GUILESS_MAIN(BookPageTest)
#include "book_page_test.moc"
