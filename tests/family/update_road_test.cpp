// SPDX-License-Identifier: GPL-3.0-or-later
// The family road's invariants over many generated families with the shapes
// real files have (second marriages, cousins who married, persons without
// parents, long names that wrap), for every layout and for books.
#include "family/book_files.h"
#include "family/chart_linking.h"
#include "family/update_road.h"
#include "gedcom/gedcom_reader.h"
#include "layout/box_text.h"
#include "layout/person_description.h"

#include "chartfile/chart_copy.h"
#include "export/html_export.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/line_reader.h"
#include "chart_checks.h"
#include "gedcom_generator.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <sstream>

namespace {

const CalendarDate today{2026, 12, 8};

// Every fifth person gets a name too long for one line of a box.
std::string withLongNames(std::string text)
{
    static const std::regex name("1 NAME Given(\\d*[05]) /");
    return std::regex_replace(text, name,
                              "1 NAME Given$1 Maximilian_Ferdinand Augustin of_Hohenzollern /");
}

// Every third person has a title.
std::string withTitles(std::string text)
{
    static const std::regex name("(1 NAME Given\\d*[369] /.*\n)");
    return std::regex_replace(text, name, "$&1 TITL Lord\n");
}

// Every seventh person's name carries markup that must never run in a page.
std::string withHostileNames(std::string text)
{
    static const std::regex name("1 NAME Given(\\d*7) /");
    return std::regex_replace(text, name, "1 NAME Given$1 <img src=x onerror=alert(1)> /");
}

// The HTML page of a chart file, beside it.
std::string pageOf(const std::string& chartPath)
{
    return std::filesystem::path(chartPath).replace_extension(".html").string();
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

std::string fileBytes(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// The chart as its file brings it back.
Chart readBack(const std::string& bytes)
{
    LineReader reader = LineReader::fromBytes(bytes);
    ChartLoad load = readChart(reader, "c", TreeSettings());
    if (!load)
        qFatal("chart not read back: %s", load.message().c_str());
    return std::move(load.chart);
}

// The persons of the chart's linked person boxes, each once, failing the
// running test for a person with two boxes.
std::set<std::string> personsOf(const Chart& chart)
{
    std::set<std::string> persons;
    chart.tree().forEachPerson([&](const Person* box) {
        const RecordLink* record = chart.tree().records().find(box);
        if (box->kind() == BoxKind::Person && record)
            QVERIFY2(persons.insert(record->xref).second, record->xref.c_str());
    });
    return persons;
}

// The records of the chart's person boxes: "XREF fingerprint".
std::set<std::string> recordsOf(const Chart& chart)
{
    std::set<std::string> records;
    chart.tree().forEachPerson([&](const Person* box) {
        const RecordLink* record = chart.tree().records().find(box);
        if (box->kind() == BoxKind::Person && record)
            records.insert(record->xref + " " + std::to_string(record->fingerprint));
    });
    return records;
}

// What each linked person box's right and down connectors end at as drawn:
// the record of the box whose edge they meet, "" where they meet none.
std::map<std::string, std::array<std::string, 2>> connectorEndsOf(const Chart& chart)
{
    const Tree& tree = chart.tree();
    const auto endOf = [&](Cell from, int length, int pitch, Cell step) {
        const int cells = (length - gapX) / pitch + 1;
        const Person* box = length >= gapX && (length - gapX) % pitch == 0
                                ? tree.findPerson({from.column + step.column * cells,
                                                   from.level + step.level * cells})
                                : nullptr;
        const RecordLink* record = box ? tree.records().find(box) : nullptr;
        return record ? record->xref : std::string();
    };
    std::map<std::string, std::array<std::string, 2>> ends;
    tree.forEachPerson([&](const Person* box) {
        if (const RecordLink* record = tree.records().find(box);
            record && box->kind() == BoxKind::Person)
            ends[record->xref] = {
                endOf(box->cell(), box->rightLink(), tree.settings().pitchX(), {1, 0}),
                endOf(box->cell(), box->downLink(), tree.settings().pitchY(), {0, 1})};
    });
    return ends;
}

// The cuts of the chart's linked continuation boxes: "XREF/direction".
std::set<std::string> cutsOf(const Chart& chart)
{
    std::set<std::string> cuts;
    chart.tree().forEachPerson([&](const Person* box) {
        const RecordLink* record = chart.tree().records().find(box);
        if (box->kind() == BoxKind::Continuation && record)
            cuts.insert(record->xref + "/" + std::to_string(box->direction()));
    });
    return cuts;
}

// A new child in the first family, a new family for the parent with
// children (each with grandchildren), parents for the first person, a name
// changed: changes touching the chart.
std::string changed(std::string text, const std::string& parent, int children = 1,
                    int grandchildren = 0)
{
    const std::string family = "0 @F1@ FAM\n";
    text.insert(text.find(family) + family.size(), "1 CHIL @INEW1@\n");
    const std::string first = "0 @I1@ INDI\n";
    text.insert(text.find(first) + first.size(), "1 FAMC @FUP@\n");
    std::string records = "0 @INEW1@ INDI\n1 NAME Newborn /One/\n1 FAMC @F1@\n"
                          "0 @IUP@ INDI\n1 NAME Grand /Parent/\n1 FAMS @FUP@\n"
                          "0 @FUP@ FAM\n1 HUSB @IUP@\n1 CHIL @I1@\n";
    // Family N of the new ones: its father and children.
    const auto newFamily = [&](const std::string& father, const std::string& id, int count) {
        records += "0 @F" + id + "@ FAM\n1 HUSB " + father + "\n";
        for (int child = 1; child <= count; ++child)
            records += "1 CHIL @I" + id + "C" + std::to_string(child) + "@\n";
        for (int child = 1; child <= count; ++child)
            records += "0 @I" + id + "C" + std::to_string(child) + "@ INDI\n1 NAME New" + id +
                       "Child" + std::to_string(child) + " /Many/\n1 FAMC @F" + id + "@\n";
    };
    newFamily(parent, "N", children);
    for (int child = 1; child <= children && grandchildren > 0; ++child)
        newFamily("@INC" + std::to_string(child) + "@", "N" + std::to_string(child), grandchildren);
    text.insert(text.rfind("0 TRLR"), records);
    return std::regex_replace(text, std::regex("1 NAME Given3 "), "1 NAME Renamed3 ");
}

// A grandchild of the first person, else a child, else the person.
std::string descendantOfFirst(const GedcomData& data)
{
    int person = 0;
    for (int step = 0; step < 2; ++step)
        for (const int f : data.persons[std::size_t(person)].spouseIn)
            if (!data.families[std::size_t(f)].children.empty()) {
                person = data.families[std::size_t(f)].children.front();
                break;
            }
    return "@" + std::string(data.persons[std::size_t(person)].xref) + "@";
}

// Every fourth person without a birth date.
std::string withMissingDates(std::string text)
{
    static const std::regex date("(0 @I\\d*[048]@ INDI\n1 NAME .*\n1 SEX .\n1 BIRT\n)2 DATE .*\n");
    return std::regex_replace(text, date, "$1");
}

// The file as a family program exporting it again may write it: its
// records (persons and families alike) numbered anew.
std::string renumbered(const std::string& text, unsigned seed)
{
    std::vector<std::string> pieces(1); // cross-references at odd places
    for (const char c : text)
        c == '@' ? void(pieces.emplace_back()) : pieces.back().push_back(c);
    std::map<std::string, std::string> numbers;
    for (std::size_t i = 1; i < pieces.size(); i += 2)
        numbers[pieces[i]];
    std::vector<std::string> shuffled;
    for (const auto& [xref, unused] : numbers)
        shuffled.push_back(xref);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(seed));
    std::size_t next = 0;
    for (auto& [xref, number] : numbers)
        number = shuffled[next++];
    std::string out = pieces.front();
    for (std::size_t i = 1; i < pieces.size(); ++i)
        out += '@' + (i % 2 ? numbers[pieces[i]] : pieces[i]);
    return out;
}

// Each box's text and, for a linked one, the name of its record's person.
std::vector<std::string> shownPersons(const Chart& chart, const GedcomData& data)
{
    std::vector<std::string> shown;
    chart.tree().forEachPerson([&](const Person* box) {
        const RecordLink* record = chart.tree().records().find(box);
        const int person = record ? data.findPerson(record->xref) : -1;
        shown.push_back(box->text + " = " +
                        (person < 0 ? "" : displayName(data.persons[std::size_t(person)])));
    });
    return shown;
}

// The program's own words of the language the chart is not in that its boxes show.
std::string foreignWords(const Chart& chart)
{
    static const std::regex english(
        "\\b(see|(main )?chart|child(ren)?|parents?|column|generation)\\b");
    static const std::regex german(
        "\\b(siehe|Karte|Hauptkarte|Kinder?|Eltern(teil)?|Spalte|Generation)\\b");
    const bool inGerman = chart.familyLink().dateLanguage == DateLanguage::German;
    std::string found;
    chart.tree().forEachPerson([&](const Person* box) {
        std::smatch word;
        if (std::regex_search(box->text, word, inGerman ? english : german))
            found += ' ' + word.str();
    });
    return found;
}

struct Request {
    const char* name;
    LayoutKind kind;
    int generations;
    int ancestorGenerations;
};

} // namespace

class FamilyRoadTest : public QObject {
    Q_OBJECT
private slots:
    // Import, update from the same file, link a stripped copy and update it,
    // update to a changed file and again: over villages, every layout.
    void importUpdateAndLinkAgree()
    {
        const Request requests[] = {{"descendants", LayoutKind::Descendants, 4, 4},
                                    {"ancestors", LayoutKind::Ancestors, 5, 5},
                                    {"hourglass", LayoutKind::Hourglass, 3, 3}};
        int charts = 0;
        for (unsigned seed = 1; seed <= 40; ++seed) {
            const GeneratedFamilies village = generateVillage({6, 4, 160, seed});
            const std::string text = withTitles(withLongNames(village.text));
            const GedcomData data = dataOf(text);
            const GedcomData later =
                dataOf(changed(text, "@I" + std::to_string(village.persons / 2) + "@"));
            for (const Request& request : requests)
                for (const int root : {0, village.persons / 2, village.persons - 1}) {
                    const QByteArray row = QByteArray(request.name) + " seed " +
                                           QByteArray::number(seed) + " root " +
                                           QByteArray::number(root);
                    ImportOptions options;
                    options.layout = {root, request.kind, request.generations,
                                      request.ancestorGenerations};
                    // Dates of every style in both languages, titles shown or not.
                    options.description.dates = DateStyle(seed % 3);
                    options.description.dateLanguage = DateLanguage(seed / 2 % 2);
                    options.description.titles = seed % 5 < 2;
                    options.colours = ColourScheme(seed % 4);
                    ChartImport imported = importChart(data, options, "c", "/f/family.ged");
                    QVERIFY2(imported, row);
                    QVERIFY2(foreignWords(imported.chart).empty(),
                             row + foreignWords(imported.chart).c_str());
                    ++charts;
                    const std::string bytes = bytesOf(imported.chart);

                    // The same file changes nothing, byte for byte.
                    Chart same = readBack(bytes);
                    const ChartUpdate again = updateChart(same, data, today);
                    QVERIFY2(again, row);
                    QVERIFY2(updateReportText(again.report) == "No changes.\n",
                             row + ": " + updateReportText(again.report).c_str());
                    QVERIFY2(bytesOf(same) == bytes, row);

                    // Linked anew without its links, nothing is new.
                    Chart stripped = copyOfChart(imported.chart);
                    stripped.mutableTree().mutableRecords().clear();
                    stripped.setFamilyLink({});
                    LinkChoices choices;
                    choices.root = root;
                    choices.kind = request.kind;
                    QVERIFY2(linkChart(stripped, data, "/f/family.ged", choices), row);
                    // and takes each box's text as the import's, a see box for no one's.
                    QVERIFY2(recordsOf(stripped) == recordsOf(imported.chart) &&
                                 stripped.tree().records().size() ==
                                     imported.chart.tree().records().size(),
                             row);
                    const ChartUpdate relinked = updateChart(stripped, data, today);
                    QVERIFY2(!relinked.report.changesChart() && foreignWords(stripped).empty(),
                             row + ": " + updateReportText(relinked.report).c_str());
                    // Told nothing, the link reads from the shape a request
                    // whose import shows the same persons.
                    Chart guessed = copyOfChart(imported.chart);
                    guessed.mutableTree().mutableRecords().clear();
                    guessed.setFamilyLink({});
                    const ChartLinking linking = linkChart(guessed, data, "/f/family.ged", {});
                    ImportOptions read;
                    read.layout = {linking.root, linking.kind, linking.generations,
                                   linking.ancestorGenerations};
                    QVERIFY2(personsOf(importChart(data, read, "c").chart) ==
                                 personsOf(imported.chart),
                             row);

                    // To a changed file: the persons an import of it shows, each once.
                    Chart updated = readBack(bytes);
                    QVERIFY2(updateChart(updated, later, today), row);
                    const ChartImport fresh = importChart(later, options, "c");
                    QVERIFY2(personsOf(updated) == personsOf(fresh.chart), row);
                    // Connectors across opened columns and levels end at the
                    // boxes they reached, or at a new box put in between.
                    const auto endsBefore = connectorEndsOf(imported.chart);
                    for (const auto& [person, ends] : connectorEndsOf(updated))
                        for (const int i : {0, 1})
                            if (const auto was = endsBefore.find(person);
                                was != endsBefore.end() && !was->second[i].empty())
                                QVERIFY2(ends[i] == was->second[i] || !endsBefore.count(ends[i]),
                                         row + " " + person.c_str() + " to " + ends[i].c_str());
                    const std::set<std::string> cuts = cutsOf(updated);
                    for (const std::string& cut : cutsOf(fresh.chart))
                        QVERIFY2(cuts.count(cut), row + " " + cut.c_str());
                    const ChartUpdate second = updateChart(updated, later, today);
                    QVERIFY2(!second.report.changesChart(),
                             row + ": " + updateReportText(second.report).c_str());
                }
        }
        QVERIFY(charts >= 300);
    }

    // A chart of older words and forms (see boxes "see |NAME, |PLACE", English
    // words in a German chart) updated from the same file is what the import
    // writes now, byte for byte; linked anew and updated, its texts are.
    void olderChartsTakeTheNewWords()
    {
        int seeBoxes = 0;
        for (unsigned seed = 1; seed <= 60; ++seed) {
            const GedcomData data = dataOf(withLongNames(generateVillage({6, 4, 160, seed}).text));
            const QByteArray row = "seed " + QByteArray::number(seed);
            ImportOptions options;
            options.layout = {0, LayoutKind(seed % 3), 4, 3};
            const ChartImport english = importChart(data, options, "c", "/f/family.ged");
            options.description.dateLanguage = DateLanguage(seed / 3 % 2);
            const ChartImport now = importChart(data, options, "c", "/f/family.ged");
            std::vector<std::string> texts;
            english.chart.tree().forEachPerson(
                [&](const Person* box) { texts.push_back(box->text); });
            Chart older = copyOfChart(now.chart);
            int sees = 0, cuts = 0, i = 0;
            older.mutableTree().forEachPerson([&](Person* box) {
                const std::string& text = texts[std::size_t(i++)];
                RecordLink* record = older.mutableTree().mutableRecords().find(box);
                const std::size_t see = text.rfind(" |see ");
                if (!record) { // a see box
                    box->text = wrapDescription(
                        "see |" + std::regex_replace(text.substr(0, see), std::regex(" \\|"), " ") +
                        ", |" + text.substr(see + 6));
                    box->setNameLines(1);
                    ++sees;
                } else if (box->kind() == BoxKind::Continuation) {
                    cuts += std::exchange(box->text, text) != text;
                    record->fingerprint = textFingerprint(text);
                }
            });
            seeBoxes += sees;
            Chart updated = copyOfChart(older);
            const ChartUpdate update = updateChart(updated, data, today);
            QVERIFY2(update.report.seeBoxes == sees && update.report.continuations == cuts &&
                         bytesOf(updated) == bytesOf(now.chart),
                     row + ": " + updateReportText(update.report).c_str());
            older.mutableTree().mutableRecords().clear();
            QVERIFY2(linkChart(older, data, "/f/family.ged", {0, options.layout.kind, {}, {}}) &&
                         updateChart(older, data, today) &&
                         shownPersons(older, data) == shownPersons(now.chart, data),
                     row);
        }
        qInfo("%d see boxes of older charts", seeBoxes);
        QVERIFY(seeBoxes >= 50);
    }

    // A family file exported again with its records numbered anew changes
    // only the charts' record numbers, and after that nothing; another
    // family's file is refused. Over villages with missing dates, long names
    // and titles, every layout.
    void renumberedFileChangesOnlyNumbers()
    {
        const Request requests[] = {{"descendants", LayoutKind::Descendants, 5, 5},
                                    {"ancestors", LayoutKind::Ancestors, 6, 6},
                                    {"hourglass", LayoutKind::Hourglass, 3, 3}};
        for (unsigned seed = 1; seed <= 30; ++seed) {
            const QByteArray row = "seed " + QByteArray::number(seed);
            const GeneratedFamilies village = generateVillage({6, 4, 200, seed});
            const std::string text = withMissingDates(withTitles(withLongNames(village.text)));
            const Request& request = requests[seed % 3];
            ImportOptions options;
            options.layout = {seed % 3 == 1 ? village.persons - 1 : 0, request.kind,
                              request.generations, request.ancestorGenerations};
            options.description.titles = seed % 2;
            QTemporaryDir folder;
            const std::string familyPath = folder.filePath("family.ged").toStdString();
            const ChartImport imported = importChart(dataOf(text), options, "c", familyPath);
            QVERIFY2(imported, row);
            const std::string shuffled = renumbered(text, seed);
            std::ofstream(familyPath) << shuffled;
            const FamilyUpdate update =
                updateFromFamilyFile(copyOfChart(imported.chart), "", familyPath, today);
            QVERIFY2(update, row + ": " + update.message().c_str());
            const ChartUpdateReport& report = update.charts.front().report;
            QVERIFY2(report.renumbered > 0 && report.changed.empty() && report.added.empty() &&
                         report.removed.empty(),
                     row + ": " + updateReportText(update).c_str());
            QVERIFY2(shownPersons(update.charts.front().chart, dataOf(shuffled)) ==
                         shownPersons(imported.chart, dataOf(text)),
                     row);
            const FamilyUpdate second = updateFromFamilyFile(
                copyOfChart(update.charts.front().chart), "", familyPath, today);
            QVERIFY2(second && updateReportText(second) == "No changes.\n",
                     row + ": " + updateReportText(second).c_str());

            std::ofstream(familyPath)
                << std::regex_replace(shuffled, std::regex("NAME Given"), "NAME Other");
            const FamilyUpdate other =
                updateFromFamilyFile(copyOfChart(imported.chart), "", familyPath, today, "fam.ged");
            QVERIFY2(
                other.message().starts_with("fam.ged does not hold this chart's family: 0 of "),
                other.message().c_str());
        }
    }

    // A book whose branch chart is gone (or replaced by a file of the
    // user's) makes that branch again as a chart of its own within the
    // book's columns, names the chart gone, and leaves no continuation box
    // leading to a chart that is not there.
    void lostBranchChartIsMadeAgain()
    {
        int books = 0;
        for (unsigned seed = 1; seed <= 12; ++seed) {
            const QByteArray row = "seed " + QByteArray::number(seed);
            const std::string text = withLongNames(generateVillage({6, 3, 220, seed}).text);
            QTemporaryDir folder;
            const std::string familyPath = folder.filePath("family.ged").toStdString();
            ImportOptions options;
            options.layout = {0, LayoutKind::Descendants, 6, 6};
            options.bookColumns = 24;
            options.description.dateLanguage = DateLanguage(seed / 2 % 2);
            const std::string main = folder.filePath("book.txt").toStdString();
            const BookImport book = saveBook(dataOf(text), options, main, familyPath);
            if (!book || book.written.size() < 3)
                continue;
            ++books;
            const std::string& lost = book.written[1 + seed % (book.written.size() - 1)];
            std::filesystem::remove(lost);
            if (seed % 2)
                std::ofstream(lost) << "the user's notes\n";
            std::ofstream(familyPath) << text << "0 @N1@ NOTE changed\n";
            const FamilyUpdate update = updateChartFile(main, familyPath, today);
            QVERIFY2(update && saveUpdate(update, main), row + ": " + update.message().c_str());
            const std::string lostName = std::filesystem::path(lost).filename().string();
            QVERIFY2(updateReportText(update).find(lostName) != std::string::npos,
                     row + ": " + updateReportText(update).c_str());
            if (seed % 2)
                QCOMPARE(fileBytes(lost), std::string("the user's notes\n"));
            std::set<std::string> suffixes, named;
            for (const UpdatedChart& chart : update.charts) {
                QVERIFY2(columnCount(chart.chart) <= options.bookColumns,
                         row + " " + chart.path.c_str());
                suffixes.insert(chart.chart.familyLink().bookChart);
                chart.chart.tree().forEachPerson([&](const Person* box) {
                    if (box->kind() == BoxKind::Continuation && !labelledChart(box->text).empty())
                        named.insert(std::string(labelledChart(box->text)));
                });
            }
            for (const std::string& suffix : named)
                QVERIFY2(suffixes.count(suffix), row + " chart " + suffix.c_str());
        }
        QVERIFY(books >= 5);
    }

    // A book updates as a whole: from an unchanged family (one record more)
    // nothing changes; from a changed one every chart stays whole, a person
    // stands in one chart only and new branch charts, a tenth too, are named
    // by the rule of two digits a level.
    void booksUpdateAsAWhole()
    {
        static const std::regex suffixRule("(0[1-9]|[1-9][0-9])*");
        int updated = 0, newCharts = 0, tenths = 0;
        for (unsigned seed = 1; seed <= 12; ++seed) {
            const QByteArray row = "seed " + QByteArray::number(seed);
            const GeneratedFamilies village = generateVillage({6, 3, 220, seed});
            QTemporaryDir folder;
            const std::string familyPath = folder.filePath("family.ged").toStdString();
            const std::string text = withLongNames(village.text);
            std::ofstream(familyPath) << text;
            ImportOptions options;
            options.layout = {0, LayoutKind::Descendants, 6, 6};
            options.bookColumns = 24;
            options.description.dateLanguage = DateLanguage(seed % 2);
            const std::string main = folder.filePath("book.txt").toStdString();
            const BookImport book = saveBook(dataOf(text), options, main, familyPath);
            if (!book) {
                qInfo("%s", book.message().c_str());
                continue; // a family too wide for any book of 24 columns
            }
            std::string unrelated = text;
            unrelated.insert(unrelated.rfind("0 TRLR"), "0 @N1@ NOTE unrelated\n");
            std::ofstream(familyPath) << unrelated;
            const FamilyUpdate same = updateChartFile(main, familyPath, today);
            QVERIFY2(same && !same.upToDate, row);
            QCOMPARE(same.charts.size(), book.written.size());
            QVERIFY2(updateReportText(same) == "No changes.\n",
                     row + ": " + updateReportText(same).c_str());
            // Nor is anything written: every chart keeps its bytes.
            std::vector<std::string> before;
            for (const std::string& file : book.written)
                before.push_back(fileBytes(file));
            QVERIFY2(saveUpdate(same, main), row);
            for (std::size_t i = 0; i < book.written.size(); ++i)
                QVERIFY2(fileBytes(book.written[i]) == before[i], row);

            const std::string later =
                changed(unrelated, descendantOfFirst(dataOf(text)), 5 + seed % 4 * 3, 4);
            std::ofstream(familyPath) << later;
            const FamilyUpdate update = updateChartFile(main, familyPath, today);
            if (!update) // the new family too wide for the book
                continue;
            ++updated;
            QVERIFY2(saveUpdate(update, main), row);
            newCharts += int(update.charts.size() - book.written.size());
            // The persons a new book of the file would show, each in one
            // chart (a branch's root in the chart above too); every chart a
            // continuation box names is there.
            std::map<std::string, int> chartsOf;
            std::set<std::string> suffixes, named;
            for (const UpdatedChart& chart : update.charts) {
                const std::string& suffix = chart.chart.familyLink().bookChart;
                QVERIFY2(std::regex_match(suffix, suffixRule) &&
                             chart.path == bookChartPath(main, suffix),
                         row + " " + chart.path.c_str());
                tenths += suffix.ends_with("10") &&
                          !std::count(book.written.begin(), book.written.end(), chart.path);
                suffixes.insert(suffix);
                for (const std::string& person : personsOf(chart.chart))
                    ++chartsOf[person];
                chart.chart.tree().forEachPerson([&](const Person* box) {
                    if (box->kind() == BoxKind::Continuation && !labelledChart(box->text).empty())
                        named.insert(std::string(labelledChart(box->text)));
                });
                QVERIFY2(foreignWords(chart.chart).empty(),
                         row + foreignWords(chart.chart).c_str());
            }
            for (const std::string& suffix : named)
                QVERIFY2(suffixes.count(suffix), row + " chart " + suffix.c_str());
            for (const auto& [person, count] : chartsOf)
                QVERIFY2(count <= 2, row + " " + person.c_str());
            QTemporaryDir fresh;
            const BookImport again = saveBook(dataOf(later), options,
                                              fresh.filePath("book.txt").toStdString(), familyPath);
            std::set<std::string> freshPersons;
            for (const std::string& file : again.written) {
                const ChartLoad load = readChartFile(file, TreeSettings());
                for (const std::string& person : personsOf(load.chart))
                    freshPersons.insert(person);
            }
            std::set<std::string> persons;
            for (const auto& [person, count] : chartsOf)
                persons.insert(person);
            QVERIFY2(persons == freshPersons, row);
            const FamilyUpdate second = updateChartFile(main, familyPath, today);
            QVERIFY2(second && second.upToDate, row);
            // Read as a changed file, the updated book is the file's already.
            std::ofstream(familyPath) << later << "0 @N2@ NOTE unrelated\n";
            const FamilyUpdate third = updateChartFile(main, familyPath, today);
            QVERIFY2(third && updateReportText(third) == "No changes.\n",
                     row + ": " + updateReportText(third).c_str());
        }
        qInfo("%d books updated, %d new charts, %d a tenth branch", updated, newCharts, tenths);
        QVERIFY(updated >= 5 && newCharts > 0 && tenths > 0);
    }

    // A file that gives two persons one cross-reference: a box's record names
    // the first, so the update neither rewrites nor adds the other; a root
    // whose cross-reference is repeated cannot be told and fails.
    void repeatedCrossReferences()
    {
        const std::string family = "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n1 FAMS @F1@\n"
                                   "0 @I2@ INDI\n1 NAME Bob /Lee/\n1 FAMC @F1@\n"
                                   "0 @I2@ INDI\n1 NAME Cid /Lee/\n1 FAMC @F1@\n"
                                   "0 @F1@ FAM\n1 WIFE @I1@\n1 CHIL @I2@\n0 TRLR\n";
        const GedcomData data = dataOf(family);
        ImportOptions options;
        options.layout = {0, LayoutKind::Descendants, 3, 3};
        ChartImport imported = importChart(data, options, "c", "/f/family.ged");
        QVERIFY(imported);
        const ChartUpdate update = updateChart(imported.chart, data, today);
        QVERIFY(update);
        QCOMPARE(updateReportText(update.report), std::string("No changes.\n"));

        options.layout = {1, LayoutKind::Ancestors, 2, 2};
        ChartImport ofRepeated = importChart(data, options, "c", "/f/family.ged");
        QVERIFY(ofRepeated);
        const ChartUpdate refused = updateChart(ofRepeated.chart, data, today);
        QCOMPARE(refused.message(),
                 std::string("The family file has more than one person I2, the chart's root."));
    }

    // A chart of the book that cannot be read fails the update: its persons
    // would be taken for new ones and added to the other charts.
    void unreadableChartFailsTheBook()
    {
        const GeneratedFamilies village = generateVillage({6, 3, 220, 2});
        QTemporaryDir folder;
        const std::string familyPath = folder.filePath("family.ged").toStdString();
        std::ofstream(familyPath) << village.text;
        ImportOptions options;
        options.layout = {0, LayoutKind::Descendants, 6, 6};
        options.bookColumns = 24;
        const std::string main = folder.filePath("book.txt").toStdString();
        const BookImport book = saveBook(dataOf(village.text), options, main, familyPath);
        QVERIFY2(book && book.written.size() > 1, book.message().c_str());
        std::string header;
        std::getline(std::ifstream(book.written[1]), header);
        std::ofstream(book.written[1]) << header << "\nnot a box\n";
        std::ofstream(familyPath, std::ios::app) << "0 @N1@ NOTE changed\n";
        const FamilyUpdate update = updateChartFile(main, familyPath, today);
        QVERIFY(!update);
        const std::string name = std::filesystem::path(book.written[1]).stem().string();
        QVERIFY2(update.message().find(name) != std::string::npos, update.message().c_str());
    }
    // A book shows every person one chart of the same import shows, each with
    // one person box (a branch's first person in the chart above it too), and
    // every continuation box names a chart of the book: over villages with
    // second marriages and cousins who married, at column limits just under,
    // at and over the width of the one chart.
    void bookHoldsWhatOneChartHolds()
    {
        int books = 0;
        for (unsigned seed = 1; seed <= 30; ++seed) {
            const GeneratedFamilies village = generateVillage({6, 3, 260, seed, seed % 2 == 0});
            const GedcomData data = dataOf(withHostileNames(village.text));
            ImportOptions options;
            // Every third an ancestors book of the youngest, whose lines meet.
            int youngest = int(data.persons.size()) - 1;
            while (data.persons[std::size_t(youngest)].childOf.empty())
                --youngest;
            options.layout = seed % 3 == 0 ? LayoutRequest{youngest, LayoutKind::Ancestors, 8, 8}
                                           : LayoutRequest{0, LayoutKind::Descendants, 5, 5};
            const ChartImport whole = importChart(data, options, "c", "/f/family.ged");
            QVERIFY(whole);
            const std::set<std::string> expected = personsOf(whole.chart);
            int width = 0;
            whole.chart.tree().forEachPerson(
                [&](const Person* box) { width = std::max(width, box->column() + 1); });
            for (const int columns : {width / 3, width - 1, width, width + 1}) {
                const QByteArray row =
                    "seed " + QByteArray::number(seed) + " columns " + QByteArray::number(columns);
                QTemporaryDir folder;
                options.bookColumns = std::max(columns, minBookColumns);
                const BookImport book = saveBook(
                    data, options, folder.filePath("book.txt").toStdString(), "/f/family.ged");
                if (!book)
                    continue; // a family too wide for a book of so few columns
                ++books;
                std::map<std::string, int> boxes;
                std::set<std::string> roots;
                for (const std::string& file : book.written)
                    exportHtml(readChartFile(file, TreeSettings()).chart, pageOf(file), {});
                for (const std::string& file : book.written) {
                    const ChartLoad load = readChartFile(file, TreeSettings());
                    QVERIFY2(load, row);
                    // Published (again: the pages it links to are there now),
                    // it links to pages of the book only and runs no script.
                    const std::string page = pageOf(file);
                    const HtmlExportResult html = exportHtml(load.chart, page, {});
                    QVERIFY2(
                        html && html.notes.empty(),
                        row + ": " +
                            (html.notes.empty() ? html.message() : html.notes.front().message())
                                .c_str());
                    QVERIFY2(fileBytes(page).find("<img src=x") == std::string::npos, row);
                    if (!load.chart.familyLink().bookChart.empty())
                        roots.insert(load.chart.familyLink().root);
                    for (const std::string& person : personsOf(load.chart))
                        ++boxes[person];
                }
                std::set<std::string> shown;
                for (const auto& [person, count] : boxes) {
                    shown.insert(person);
                    QVERIFY2(count == 1 || (count == 2 && roots.count(person)),
                             row + " " + person.c_str());
                }
                // Exactly the one chart's persons: none lost, none added.
                std::string differences;
                for (const std::string& person : shown)
                    if (!expected.count(person))
                        differences += " +" + person;
                for (const std::string& person : expected)
                    if (!shown.count(person))
                        differences += " -" + person;
                QVERIFY2(differences.empty(), row + differences.c_str());
            }
        }
        QVERIFY(books >= 40);
    }
    // A book writes its own files only: never through a symbolic link, over a
    // file of someone else's (unless asked) or to a name its pages cannot
    // link; an older book's charts the new one has no more go.
    void bookWritesOnlyItsOwnFiles()
    {
        const GedcomData data = dataOf(generateVillage({6, 3, 220, 2}).text);
        ImportOptions options;
        options.layout = {0, LayoutKind::Descendants, 6, 6};
        options.bookColumns = 24;
        QTemporaryDir folder, elsewhere;
        const std::string main = folder.filePath("book.txt").toStdString();
        const std::string family = folder.filePath("family.ged").toStdString();
        const std::string victim = elsewhere.filePath("important.txt").toStdString();
        const auto save = [&](const std::string& path, bool replace = false) {
            return saveBook(data, options, path, family, replace);
        };
        std::ofstream(victim) << "years of work\n";
        std::filesystem::create_symlink(victim, bookChartPath(main, "01"));
        QVERIFY(save(main).message().find("symbolic link") != std::string::npos);
        QCOMPARE(fileBytes(victim), std::string("years of work\n"));
        std::filesystem::remove(bookChartPath(main, "01"));
        std::ofstream(bookChartPath(main, "02")) << "someone's notes\n";
        const BookImport refused = save(main);
        QVERIFY2(refused.message().find("book02.txt") != std::string::npos,
                 refused.message().c_str());
        QCOMPARE(fileBytes(bookChartPath(main, "02")), std::string("someone's notes\n"));
        const BookImport wide = save(main, true);
        QVERIFY2(wide && wide.written.size() > 2, wide.message().c_str());
        options.bookColumns = 100;
        const BookImport narrow = save(main);
        QVERIFY2(narrow && !narrow.removed.empty(), narrow.message().c_str());
        QCOMPARE(narrow.written.size() + narrow.removed.size(), wide.written.size());
        for (const std::string& removed : narrow.removed)
            QVERIFY(!std::filesystem::exists(removed));
        QVERIFY(save(folder.filePath("Smith: family.txt").toStdString()).message().find("':'") !=
                std::string::npos);
        // Charts named as long as a file's name may be, the suffix included;
        // one byte more and nothing is written.
        options.bookColumns = 24;
        std::size_t deepest = 0;
        for (const std::string& chart : wide.written)
            deepest = std::max(deepest, std::filesystem::path(chart).stem().string().size() - 4);
        QTemporaryDir named;
        const auto longName = [&](std::size_t stem) {
            return named.filePath(QString(int(stem), 'n') + ".txt").toStdString();
        };
        const BookImport atLimit = save(longName(NAME_MAX - 4 - deepest));
        QVERIFY2(atLimit && atLimit.written.size() == wide.written.size(),
                 atLimit.message().c_str());
        QVERIFY(!save(longName(NAME_MAX - 3 - deepest)));
        QCOMPARE(QDir(named.path()).count(), atLimit.written.size() + 2);
    }
};

QTEST_GUILESS_MAIN(FamilyRoadTest)
#include "update_road_test.moc"
