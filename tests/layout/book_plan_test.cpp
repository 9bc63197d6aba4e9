// SPDX-License-Identifier: GPL-3.0-or-later
// Books of charts from generated families, written to a folder and read back:
// no chart wider than asked, each person in one chart but the persons a branch
// chart starts with, and every continuation box naming a chart that exists and
// starts with the person it names.
#include "chart_checks.h"

#include "chartfile/chart_reader.h"
#include "family/book_files.h"
#include "gedcom/gedcom_reader.h"
#include "model/box_words.h"

#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <fstream>
#include <map>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

Q_DECLARE_METATYPE(LayoutKind)

namespace {

// Two generations more than the chart shows: its last one ends in continuation boxes.
GeneratedFamilies generated(LayoutKind kind, int generations)
{
    return kind == LayoutKind::Descendants
               ? generateDescendants({generations + 2, 4, 3, 100000, 5, false})
               : generatePedigree(generations + 2, 7);
}

struct Book {
    BookImport saved;
    std::map<std::string, Chart> charts; // by path
};

Book importBook(const GedcomData& data, LayoutKind kind, int generations, int columns,
                const std::string& path, bool replace = false)
{
    ImportOptions options;
    options.layout = {0, kind, generations, 1};
    options.bookColumns = columns;
    Book book{saveBook(data, options, path, "family.ged", replace), {}};
    for (const std::string& file : book.saved.written) {
        ChartLoad load = readChartFile(file, TreeSettings());
        if (!load)
            qFatal("%s not read back: %s", file.c_str(), load.message().c_str());
        book.charts.emplace(file, std::move(load.chart));
    }
    return book;
}

std::string bytesOf(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The chart's suffix a branch label ends in: "Given3 Surname3 |chart 0301" gives "0301".
std::string labelSuffix(const std::string& text)
{
    const std::size_t at = text.rfind("|chart ");
    return at == std::string::npos ? std::string() : text.substr(at + 7);
}

} // namespace

class ChartBookTest : public QObject {
    Q_OBJECT
private slots:
    void keepsTheColumns_data();
    void keepsTheColumns();
    void namesTheFilesAsTheLinksLead_data();
    void namesTheFilesAsTheLinksLead();
    void refusesWhatCannotFit_data();
    void refusesWhatCannotFit();
    void cousinsStandInOneChart_data();
    void cousinsStandInOneChart();
    void fileInTheWayKeepsTheOldBook_data();
    void fileInTheWayKeepsTheOldBook();
    void replaceLeavesAGedcomFileAlone();
    void killedWriterLeavesOneWholeBook();
};

void ChartBookTest::keepsTheColumns_data()
{
    QTest::addColumn<LayoutKind>("kind");
    QTest::addColumn<int>("generations");
    QTest::addColumn<int>("fromWidth"); // the columns, against the unsplit chart's width
    QTest::addColumn<int>("columns");   // or these when fromWidth is 0

    for (const auto& [kind, label, generations] :
         {std::tuple(LayoutKind::Descendants, "descendants", 6),
          std::tuple(LayoutKind::Ancestors, "ancestors", 9)}) {
        const QByteArray name(label);
        QTest::newRow(name + ", one column under the width") << kind << generations << -1 << 0;
        QTest::newRow(name + ", at the width") << kind << generations << 0 << 0;
        QTest::newRow(name + ", one over the width") << kind << generations << 1 << 0;
        QTest::newRow(name + ", a quarter of the width") << kind << generations << -4 << 0;
        QTest::newRow(name + ", 14 columns") << kind << generations << 99 << 14;
    }
    QTest::newRow("ancestors, 2 columns") << LayoutKind::Ancestors << 7 << 99 << 2;
}

void ChartBookTest::keepsTheColumns()
{
    QFETCH(LayoutKind, kind);
    QFETCH(int, generations);
    QFETCH(int, fromWidth);
    QFETCH(int, columns);
    const GeneratedFamilies families = generated(kind, generations);
    const GedcomLoad load = readGedcom(families.text);
    QVERIFY(load);
    ImportOptions options;
    options.layout = {0, kind, generations, 1};
    const ChartImport whole = importChart(load.data, options, "whole");
    QVERIFY(whole);
    const int width = columnCount(whole.chart);
    if (fromWidth == -4)
        columns = width / 4;
    else if (fromWidth != 99)
        columns = width + fromWidth;

    QTemporaryDir folder;
    const std::string path = folder.filePath("family.txt").toStdString();
    const Book book = importBook(load.data, kind, generations, columns, path);
    QVERIFY2(book.saved, book.saved.message().c_str());
    QCOMPARE(book.saved.written.front(), path);
    QCOMPARE(book.saved.written.size() == 1, columns >= width);

    std::map<std::string, int> boxesOf;         // by name, in all charts
    std::map<std::string, std::string> startOf; // the person each chart starts with, by path
    std::size_t boxes = 0;
    for (const auto& [file, chart] : book.charts) {
        QVERIFY2(
            columnCount(chart) <= columns,
            qPrintable(
                QStringLiteral("%1 has %2 columns").arg(file.c_str()).arg(columnCount(chart))));
        checkCellsApart(chart);
        chart.tree().forEachPerson([&](const Person* box) {
            ++boxes;
            if (box->kind() == BoxKind::Person)
                ++boxesOf[nameLine(*box)];
        });
        chart.tree().forEachPerson(
            [&, &file = file](const Person* box) { startOf.try_emplace(file, nameLine(*box)); });
    }
    QCOMPARE(boxes, book.saved.boxes);
    // Every continuation box that leads on names a chart starting with its person.
    std::map<std::string, int> branchRoots;
    for (const auto& [file, chart] : book.charts)
        chart.tree().forEachPerson([&](const Person* box) {
            const std::string suffix = labelSuffix(box->text);
            if (box->kind() != BoxKind::Continuation || suffix.empty())
                return;
            const std::string target = bookChartPath(path, suffix);
            QVERIFY2(startOf.count(target), target.c_str());
            QCOMPARE(startOf[target], nameLine(*box));
            // The page links as the export does: its own name and the text's last two digits.
            QCOMPARE(bookChartPath(file, box->text.substr(box->text.size() - 2)), target);
            ++branchRoots[nameLine(*box)];
        });
    QCOMPARE(branchRoots.size() + 1, book.charts.size());
    // Each person once but those a branch starts with, who are twice; no one lost.
    for (const auto& [name, count] : boxesOf)
        QVERIFY2(count == 1 + int(branchRoots.count(name)), name.c_str());
    std::size_t wholePersons = 0;
    whole.chart.tree().forEachPerson(
        [&](const Person* box) { wholePersons += box->kind() == BoxKind::Person; });
    QCOMPARE(boxesOf.size(), wholePersons);
}

void ChartBookTest::namesTheFilesAsTheLinksLead_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("expected");

    QTest::newRow("main") << "a/family.txt"
                          << ""
                          << "a/family.txt";
    QTest::newRow("branch") << "a/family.txt"
                            << "03"
                            << "a/family03.txt";
    QTest::newRow("branch of a branch") << "a/family.txt"
                                        << "0301"
                                        << "a/family0301.txt";
    QTest::newRow("no extension") << "a.b/family"
                                  << "12"
                                  << "a.b/family12";
    QTest::newRow("two dots") << "family.old.txt"
                              << "05"
                              << "family.old05.txt";
    QTest::newRow("hidden file") << "dir/.family"
                                 << "01"
                                 << "dir/.family01";
}

void ChartBookTest::namesTheFilesAsTheLinksLead()
{
    QFETCH(QString, path);
    QFETCH(QString, suffix);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(bookChartPath(path.toStdString(), suffix.toStdString())),
             expected);
    // And back: the main chart from a chart's name, none where it does not end in the suffix.
    QCOMPARE(QString::fromStdString(
                 bookMainPath(expected.toStdString(), suffix.toStdString()).value_or("-")),
             path);
    if (!suffix.isEmpty())
        QVERIFY(!bookMainPath(path.toStdString(), suffix.toStdString()));
}

void ChartBookTest::refusesWhatCannotFit_data()
{
    QTest::addColumn<QByteArray>("family");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("refusal"); // empty: the book is written

    // Ann and her three husbands, a child with each.
    QByteArray spouses = "0 HEAD\n0 @A@ INDI\n1 NAME Ann /Lee/\n";
    for (const char* n : {"1", "2", "3"})
        spouses += QByteArray("0 @H") + n + "@ INDI\n1 NAME Husband" + n + " /Bo/\n0 @C" + n +
                   "@ INDI\n1 NAME Child" + n + " /Bo/\n0 @F" + n + "@ FAM\n1 HUSB @H" + n +
                   "@\n1 WIFE @A@\n1 CHIL @C" + n + "@\n";
    spouses += "0 TRLR\n";
    // Max and his five children, their children below.
    QByteArray children = "0 HEAD\n0 @M@ INDI\n1 NAME Max /Ek/\n0 @F@ FAM\n1 HUSB @M@\n";
    for (const char* n : {"1", "2", "3", "4", "5"})
        children += QByteArray("1 CHIL @C") + n + "@\n";
    for (const char* n : {"1", "2", "3", "4", "5"})
        children += QByteArray("0 @C") + n + "@ INDI\n1 NAME Child" + n + " /Ek/\n0 @G" + n +
                    "@ FAM\n1 HUSB @C" + n + "@\n1 CHIL @D" + n + "@\n1 CHIL @E" + n + "@\n0 @D" +
                    n + "@ INDI\n1 NAME Grandchild" + n + " /Ek/\n0 @E" + n +
                    "@ INDI\n1 NAME Grandchild" + n + "b /Ek/\n";
    children += "0 TRLR\n";

    QTest::newRow("spouses, one column short")
        << spouses << 3 << "Ann Lee and their spouses take 4";
    QTest::newRow("spouses, just enough columns") << spouses << 4 << "";
    QTest::newRow("children, one column short")
        << children << 4 << "The children of Max Ek need 5 columns";
    QTest::newRow("children, just enough columns") << children << 5 << "";
}

void ChartBookTest::refusesWhatCannotFit()
{
    QFETCH(QByteArray, family);
    QFETCH(int, columns);
    QFETCH(QString, refusal);
    const GedcomLoad load = readGedcom(family.toStdString());
    QVERIFY(load);
    QTemporaryDir folder;
    const std::string path = folder.filePath("family.txt").toStdString();
    const Book book = importBook(load.data, LayoutKind::Descendants, 3, columns, path);
    if (refusal.isEmpty()) {
        QVERIFY2(book.saved, book.saved.message().c_str());
        for (const auto& [file, chart] : book.charts)
            QVERIFY(columnCount(chart) <= columns);
        return;
    }
    QVERIFY(!book.saved);
    QVERIFY2(QString::fromStdString(book.saved.message()).startsWith(refusal),
             book.saved.message().c_str());
    // Nothing written.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 0);
}

void ChartBookTest::cousinsStandInOneChart_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("charts");
    QTest::addColumn<QStringList>("seeBoxes"); // their last lines: where the box is
    QTest::addColumn<int>("antons");           // twice where his branch continues
    QTest::addColumn<int>("bertas");

    // Rolf's grandchildren Xaver (Anton's son) and Yvonne (Berta's daughter)
    // marry; their son Zeno.
    QTest::newRow("one chart") << 100 << 1
                               << QStringList{"see column 5, generation 3",
                                              "see column 1, generation 3"}
                               << 1 << 1;
    QTest::newRow("Anton's branch apart")
        << 5 << 2 << QStringList{"see chart 01", "see main chart"} << 2 << 1;
    QTest::newRow("both branches apart")
        << 4 << 3 << QStringList{"see chart 02", "see chart 01"} << 2 << 2;
}

void ChartBookTest::cousinsStandInOneChart()
{
    QFETCH(int, columns);
    QFETCH(int, charts);
    QFETCH(QStringList, seeBoxes);
    QFETCH(int, antons);
    QFETCH(int, bertas);
    QByteArray family = "0 HEAD\n";
    const auto person = [&](const char* id, const char* name) {
        family += QByteArray("0 @") + id + "@ INDI\n1 NAME " + name + "\n";
    };
    const auto marriage = [&](const char* id, const char* husband, const char* wife,
                              const std::vector<const char*>& children) {
        family +=
            QByteArray("0 @") + id + "@ FAM\n1 HUSB @" + husband + "@\n1 WIFE @" + wife + "@\n";
        for (const char* child : children)
            family += QByteArray("1 CHIL @") + child + "@\n";
    };
    person("R", "Rolf /Root/");
    person("S", "Sara /Moos/");
    person("A", "Anton /Root/");
    person("B", "Berta /Root/");
    person("AW", "Alma /Wed/");
    person("BH", "Bodo /Hain/");
    person("X", "Xaver /Root/");
    person("A1", "Anja /Root/");
    person("A2", "Arne /Root/");
    person("Y", "Yvonne /Hain/");
    person("B1", "Bert /Hain/");
    person("B2", "Bea /Hain/");
    person("Z", "Zeno /Root/");
    marriage("F1", "R", "S", {"A", "B"});
    marriage("F2", "A", "AW", {"X", "A1", "A2"});
    marriage("F3", "BH", "B", {"Y", "B1", "B2"});
    marriage("F4", "X", "Y", {"Z"});
    family += "0 TRLR\n";
    const GedcomLoad load = readGedcom(family.toStdString());
    QVERIFY(load);
    QTemporaryDir folder;
    const std::string path = folder.filePath("family.txt").toStdString();
    const Book book = importBook(load.data, LayoutKind::Descendants, 4, columns, path);
    QVERIFY2(book.saved, book.saved.message().c_str());
    QCOMPARE(int(book.charts.size()), charts);

    // Everyone once, Anton and Berta twice where their branches continue; a
    // cousin's second place a see box saying where the box is.
    std::map<std::string, int> boxesOf;
    QStringList sees;
    for (const auto& [file, chart] : book.charts)
        chart.tree().forEachPerson([&](const Person* box) {
            const QString text = QString::fromStdString(box->text);
            if (seeBoxKey(box->text))
                sees << text.split('|').last().trimmed();
            else if (box->kind() == BoxKind::Person)
                ++boxesOf[nameLine(*box)];
        });
    QCOMPARE(sees, seeBoxes);
    QCOMPARE(int(boxesOf.size()), 13);
    QCOMPARE(boxesOf["Anton Root"], antons);
    QCOMPARE(boxesOf["Berta Root"], bertas);
    for (const char* once : {"Xaver Root", "Yvonne Hain", "Zeno Root"})
        QCOMPARE(boxesOf[once], 1);
}

void ChartBookTest::fileInTheWayKeepsTheOldBook_data()
{
    QTest::addColumn<int>("blocked"); // the chart whose file is a folder; -1: the last
    QTest::newRow("main chart") << 0;
    QTest::newRow("first branch") << 1;
    QTest::newRow("last branch") << -1;
}

// A chart that cannot be written stops the book before any chart is put in
// place: the old book stays whole, with no temporary beside it.
void ChartBookTest::fileInTheWayKeepsTheOldBook()
{
    QFETCH(int, blocked);
    const GedcomLoad load = readGedcom(generated(LayoutKind::Descendants, 4).text);
    QVERIFY(load);
    QTemporaryDir folder;
    const std::string path = folder.filePath("family.txt").toStdString();
    const Book old = importBook(load.data, LayoutKind::Descendants, 4, 14, path);
    QVERIFY2(old.saved, old.saved.message().c_str());
    const std::vector<std::string>& files = old.saved.written;
    QVERIFY(files.size() >= 3);
    const std::string inTheWay = blocked < 0 ? files.back() : files[std::size_t(blocked)];
    QVERIFY(QFile::remove(QString::fromStdString(inTheWay)));
    QVERIFY(QDir().mkdir(QString::fromStdString(inTheWay)));
    // Bytes no new chart has (a blank line more): a chart put in place would show.
    std::map<std::string, QByteArray> oldBytes;
    for (const std::string& file : files) {
        if (file == inTheWay)
            continue;
        QFile out(QString::fromStdString(file));
        QVERIFY(out.open(QIODevice::Append));
        out.write("\n");
        out.close();
        QVERIFY(out.open(QIODevice::ReadOnly));
        oldBytes[file] = out.readAll();
    }

    const Book book = importBook(load.data, LayoutKind::Descendants, 4, 14, path);
    QVERIFY(!book.saved);
    QVERIFY(book.saved.written.empty());
    const QString message = QString::fromStdString(book.saved.message());
    QVERIFY2(message.contains(QString::fromStdString(inTheWay)), qPrintable(message));
    QVERIFY2(message.contains("nothing was written") ||
                 message.endsWith("these were written: none.)"),
             qPrintable(message));
    for (const auto& [file, bytes] : oldBytes) {
        QFile in(QString::fromStdString(file));
        QVERIFY(in.open(QIODevice::ReadOnly));
        QVERIFY2(in.readAll() == bytes, file.c_str());
    }
    QCOMPARE(QDir(folder.path()).entryList({"*.stirpa-tmp-*"}, QDir::Files | QDir::Hidden),
             QStringList());
}

// A family file at the name of a later chart stays, --replace or not.
void ChartBookTest::replaceLeavesAGedcomFileAlone()
{
    const GedcomLoad load = readGedcom(generated(LayoutKind::Descendants, 4).text);
    QTemporaryDir folder;
    const std::string path = folder.filePath("family.txt").toStdString();
    const Book old = importBook(load.data, LayoutKind::Descendants, 4, 14, path);
    std::ofstream(old.saved.written.at(1)) << "0 HEAD\n0 TRLR\n";
    QVERIFY(!importBook(load.data, LayoutKind::Descendants, 4, 14, path, true).saved);
    QCOMPARE(bytesOf(old.saved.written[1]), std::string("0 HEAD\n0 TRLR\n"));
}

// Killed at any moment while it replaces a book with one of fewer charts, the
// writer leaves the old book or the new one, whole, to whoever reads next, from
// whatever folder; that reader leaves no temporary and no journal behind.
void ChartBookTest::killedWriterLeavesOneWholeBook()
{
    const GedcomLoad load = readGedcom(generated(LayoutKind::Descendants, 4).text);
    QVERIFY(load);
    // Memory where there is a tmpfs: a flush to disk per round would take long.
    QTemporaryDir folder(QDir("/dev/shm").exists() ? "/dev/shm/book-XXXXXX" : QString());
    const auto pathIn = [&](const QString& name) { return folder.filePath(name).toStdString(); };
    const auto save = [&](const std::string& path, int columns) {
        return importBook(load.data, LayoutKind::Descendants, 4, columns, path).saved;
    };
    // A book as the next reader sees it: each chart's bytes by its name.
    const auto bookAt = [&](const std::string& path) {
        std::map<std::string, std::string> charts;
        if (readChartFile(path, TreeSettings()))
            charts[""] = bytesOf(path);
        for (const BookFile& file : bookFiles(path, "family.ged", ""))
            charts[file.suffix] = bytesOf(file.path);
        return charts;
    };
    const auto leftOvers = [&] {
        return QDir(folder.path()).entryList({"*.stirpa-tmp-*", ".stirpa-journal*"},
                                             QDir::Files | QDir::Hidden);
    };
    const BookImport narrow = save(pathIn("old.txt"), 12), wide = save(pathIn("new.txt"), 30);
    QVERIFY2(narrow && wide, (narrow.message() + wide.message()).c_str());
    const auto oldBook = bookAt(pathIn("old.txt"));
    const auto newBook = bookAt(pathIn("new.txt"));
    QVERIFY2(oldBook.size() > newBook.size() && newBook.size() > 2,
             qPrintable(QString("%1 and %2 charts").arg(oldBook.size()).arg(newBook.size())));

    // The writer names the book from inside its folder, the reader from outside.
    const std::string path = pathIn("family.txt");
    const auto replaceIn = [&](std::chrono::microseconds delay) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            if (::chdir(folder.path().toLocal8Bit().constData()) == 0)
                save("family.txt", 30);
            ::_exit(0);
        }
        if (delay.count() >= 0) {
            std::this_thread::sleep_for(delay);
            ::kill(writer, SIGKILL);
        }
        int status = 0;
        ::waitpid(writer, &status, 0);
    };
    const auto start = std::chrono::steady_clock::now();
    QVERIFY(save(path, 12));
    replaceIn(std::chrono::microseconds(-1));
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    int olds = 0, news = 0;
    // Across the whole write, then finely across its end, where the renames are.
    for (int round = 0; round <= 120; ++round) {
        QVERIFY(save(path, 12));
        replaceIn(round <= 40 ? whole * round / 32 : whole * (300 + round - 40) / 400);
        const auto seen = bookAt(path);
        QVERIFY2(seen == oldBook || seen == newBook, qPrintable(QString("round %1").arg(round)));
        (seen == oldBook ? olds : news)++;
        QCOMPARE(leftOvers(), QStringList());
    }
    QVERIFY2(olds > 0 && news > 0, qPrintable(QString("%1 old books, %2 new").arg(olds).arg(news)));
}

QTEST_APPLESS_MAIN(ChartBookTest)
#include "book_plan_test.moc"
