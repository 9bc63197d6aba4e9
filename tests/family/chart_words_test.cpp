// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own words in a chart's boxes over generated villages: a German
// chart keeps German words through an update and a link, and a chart of older
// words or forms takes the ones the import writes now.
#include "chartfile/chart_copy.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "family/book_files.h"
#include "family/chart_linking.h"
#include "family/update_road.h"
#include "gedcom/gedcom_reader.h"
#include "layout/box_text.h"
#include "model/box_words.h"
#include "model/description_lines.h"
#include "gedcom_generator.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

const CalendarDate today{2026, 12, 8};

// The words of the program's own in each language's boxes and reports.
const std::set<std::string> englishWords{"see",    "chart",   "main",   "child",     "children",
                                         "parent", "parents", "column", "generation"};
const std::set<std::string> germanWords{"siehe", "Karte",      "Hauptkarte", "Kind",      "Kinder",
                                        "Eltern", "Elternteil", "Spalte",     "Generation"};

struct Request {
    const char* name;
    LayoutKind kind;
    int generations;
    int ancestorGenerations;
};
const Request requests[] = {{"descendants", LayoutKind::Descendants, 4, 4},
                            {"ancestors", LayoutKind::Ancestors, 5, 5},
                            {"hourglass", LayoutKind::Hourglass, 3, 3}};

// Every fifth person's name is too long for one line of a box.
std::string withLongNames(const std::string& text)
{
    static const std::regex name("1 NAME Given(\\d*[05]) /");
    return std::regex_replace(text, name, "1 NAME Given$1 Maximilian_Ferdinand Augustin /");
}

GedcomData dataOf(const std::string& text)
{
    GedcomLoad load = readGedcom(text);
    if (!load)
        qFatal("generated file refused: %s", load.message().c_str());
    return std::move(load.data);
}

std::string bytesOf(const Chart& chart)
{
    std::ostringstream out;
    writeChart(out, chart);
    return out.str();
}

std::vector<std::string> textsOf(const Chart& chart)
{
    std::vector<std::string> texts;
    chart.tree().forEachPerson([&](const Person* box) { texts.push_back(box->text); });
    return texts;
}

// The words of the list that the chart's boxes show, and how many of the
// boxes are see or continuation boxes.
struct WordsFound {
    std::set<std::string> words;
    int seeBoxes = 0;
    int continuations = 0;
};
WordsFound wordsIn(const Chart& chart, const std::set<std::string>& list)
{
    WordsFound found;
    chart.tree().forEachPerson([&](const Person* box) {
        found.seeBoxes += seeBoxKey(box->text).has_value();
        found.continuations += box->kind() == BoxKind::Continuation;
        std::string word;
        for (const char c : box->text + ' ')
            if (c == ' ' || c == '|' || c == ',') {
                if (list.count(word))
                    found.words.insert(word);
                word.clear();
            } else {
                word += c;
            }
    });
    return found;
}

QByteArray joined(const std::set<std::string>& words)
{
    QByteArray text;
    for (const std::string& word : words)
        text += ' ' + QByteArray::fromStdString(word);
    return text;
}

// The chart as linked anew from its boxes alone.
Chart linkedAnew(const Chart& chart, const GedcomData& data, int root, LayoutKind kind)
{
    Chart stripped = copyOfChart(chart);
    stripped.mutableTree().mutableRecords().clear();
    stripped.setFamilyLink({});
    LinkChoices choices;
    choices.root = root;
    choices.kind = kind;
    if (!linkChart(stripped, data, "/f/family.ged", choices))
        qFatal("not linked");
    return stripped;
}

// A see box as charts were written before: "see |NAME, |PLACE", of the
// English one now.
std::string olderSeeBox(const std::string& text)
{
    std::string flat;
    for (const std::string_view line : descriptionLines(text))
        flat += (flat.empty() ? "" : " ") + std::string(line.substr(0, line.find_last_not_of(' ') + 1));
    const std::size_t see = flat.rfind(" see ");
    return wrapDescription("see |" + flat.substr(0, see) + ", |" + flat.substr(see + 5));
}

} // namespace

class ChartWordsTest : public QObject {
    Q_OBJECT
private slots:
    // A German import, updated from the unchanged file and linked again,
    // shows no English word of the program's own; the update finds nothing.
    void germanChartsStayGerman()
    {
        int seeBoxes = 0, continuations = 0;
        for (unsigned seed = 1; seed <= 30; ++seed) {
            const GeneratedFamilies village = generateVillage({6, 4, 160, seed});
            const GedcomData data = dataOf(withLongNames(village.text));
            for (const Request& request : requests)
                for (const int root : {0, village.persons / 2}) {
                    const QByteArray row = QByteArray(request.name) + " seed " +
                                           QByteArray::number(seed) + " root " +
                                           QByteArray::number(root);
                    ImportOptions options;
                    options.layout = {root, request.kind, request.generations,
                                      request.ancestorGenerations};
                    options.description.dates = DateStyle(seed % 3);
                    options.description.dateLanguage = DateLanguage::German;
                    const ChartImport imported = importChart(data, options, "c", "/f/family.ged");
                    QVERIFY2(imported, row);
                    const WordsFound found = wordsIn(imported.chart, englishWords);
                    QVERIFY2(found.words.empty(), row + joined(found.words));
                    seeBoxes += found.seeBoxes;
                    continuations += found.continuations;

                    Chart same = copyOfChart(imported.chart);
                    const ChartUpdate again = updateChart(same, data, today);
                    QVERIFY2(again && updateReportText(again.report) == "No changes.\n",
                             row + ": " + updateReportText(again.report).c_str());
                    QVERIFY2(bytesOf(same) == bytesOf(imported.chart), row);

                    Chart linked = linkedAnew(imported.chart, data, root, request.kind);
                    QVERIFY2(linked.familyLink().dateLanguage == DateLanguage::German, row);
                    // A see box, its person's name first, stands for no one.
                    QVERIFY2(linked.tree().records().size() ==
                                 imported.chart.tree().records().size(),
                             row);
                    const ChartUpdate relinked = updateChart(linked, data, today);
                    QVERIFY2(!relinked.report.changesChart(),
                             row + ": " + updateReportText(relinked.report).c_str());
                    QVERIFY2(wordsIn(linked, englishWords).words.empty(), row);
                }
        }
        qInfo("%d see boxes, %d continuation boxes", seeBoxes, continuations);
        QVERIFY(seeBoxes >= 50 && continuations >= 50);
    }

    // The same for books: every chart's words German, the update of a file
    // changed elsewhere "No changes.", a chart of it linked anew German still.
    void germanBooksStayGerman()
    {
        int books = 0, branches = 0;
        for (unsigned seed = 1; seed <= 10; ++seed) {
            const QByteArray row = "seed " + QByteArray::number(seed);
            const GeneratedFamilies village = generateVillage({6, 3, 220, seed});
            QTemporaryDir folder;
            const std::string familyPath = folder.filePath("family.ged").toStdString();
            const std::string text = withLongNames(village.text);
            std::ofstream(familyPath) << text;
            ImportOptions options;
            options.layout = {0, LayoutKind::Descendants, 6, 6};
            options.bookColumns = 24;
            options.description.dateLanguage = DateLanguage::German;
            const std::string main = folder.filePath("book.txt").toStdString();
            const BookImport book = saveBook(dataOf(text), options, main, familyPath);
            if (!book)
                continue; // a family too wide for any book of 24 columns
            ++books;
            for (const std::string& file : book.written) {
                const ChartLoad load = readChartFile(file, TreeSettings());
                QVERIFY2(load, row);
                const WordsFound found = wordsIn(load.chart, englishWords);
                QVERIFY2(found.words.empty(), row + " " + file.c_str() + joined(found.words));
                load.chart.tree().forEachPerson(
                    [&](const Person* box) { branches += !labelledChart(box->text).empty(); });
            }
            std::ofstream(familyPath) << text << "0 @N1@ NOTE unrelated\n";
            const FamilyUpdate same = updateChartFile(main, familyPath, today);
            QVERIFY2(same && !same.upToDate && updateReportText(same) == "No changes.\n",
                     row + ": " + updateReportText(same).c_str());
            const ChartLoad mainChart = readChartFile(main, TreeSettings());
            const Chart linked =
                linkedAnew(mainChart.chart, dataOf(text), 0, LayoutKind::Descendants);
            QVERIFY2(wordsIn(linked, englishWords).words.empty(), row);
        }
        qInfo("%d books, %d branch boxes", books, branches);
        QVERIFY(books >= 5 && branches > 0);
    }

    // A chart of older words and forms (see boxes "see |NAME, |PLACE", English
    // words in a German chart) updated from the same file is what the import
    // writes now, byte for byte; linked anew and updated, its texts are.
    void olderChartsTakeTheNewWords()
    {
        int seeBoxes = 0;
        for (unsigned seed = 1; seed <= 20; ++seed) {
            const GeneratedFamilies village = generateVillage({6, 4, 160, seed});
            const GedcomData data = dataOf(withLongNames(village.text));
            for (const Request& request : requests)
                for (const DateLanguage language : {DateLanguage::English, DateLanguage::German}) {
                    const QByteArray row = QByteArray(request.name) + " seed " +
                                           QByteArray::number(seed) + " language " +
                                           QByteArray::number(int(language));
                    ImportOptions options;
                    options.layout = {0, request.kind, request.generations,
                                      request.ancestorGenerations};
                    const ChartImport english = importChart(data, options, "c", "/f/family.ged");
                    options.description.dateLanguage = language;
                    const ChartImport now = importChart(data, options, "c", "/f/family.ged");
                    QVERIFY2(english && now, row);

                    Chart older = copyOfChart(now.chart);
                    const std::vector<std::string> englishTexts = textsOf(english.chart);
                    std::size_t index = 0;
                    int sees = 0, cuts = 0;
                    older.mutableTree().forEachPerson([&](Person* box) {
                        const std::string& was = englishTexts[index++];
                        RecordLink* record = older.mutableTree().mutableRecords().find(box);
                        if (!record && seeBoxKey(box->text)) {
                            box->text = olderSeeBox(was);
                            box->setNameLines(1);
                            ++sees;
                        } else if (box->kind() == BoxKind::Continuation && record) {
                            cuts += box->text != was;
                            box->text = was;
                            record->fingerprint = textFingerprint(was);
                        }
                    });
                    seeBoxes += sees;
                    Chart updated = copyOfChart(older);
                    const ChartUpdate update = updateChart(updated, data, today);
                    QVERIFY2(update, row);
                    QCOMPARE(update.report.seeBoxes, sees);
                    QCOMPARE(update.report.continuations, cuts);
                    QVERIFY2(bytesOf(updated) == bytesOf(now.chart), row);

                    Chart linked = linkedAnew(older, data, 0, request.kind);
                    QVERIFY2(updateChart(linked, data, today), row);
                    QVERIFY2(textsOf(linked) == textsOf(now.chart), row);
                }
        }
        qInfo("%d see boxes of older charts", seeBoxes);
        QVERIFY(seeBoxes >= 50);
    }
};

QTEST_APPLESS_MAIN(ChartWordsTest)
#include "chart_words_test.moc"
