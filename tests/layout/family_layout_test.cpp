// SPDX-License-Identifier: GPL-3.0-or-later
// Charts laid out from generated families, held to the chart's own rules: Find
// parent leads from each child to its parent, no two boxes share a cell, every
// connector reaches the next box and the generations fill the levels in order.
#include "chart_checks.h"
#include "gedcom_generator.h"

#include "layout/box_text.h"
#include "layout/chart_import.h"
#include "gedcom/gedcom_reader.h"
#include "model/box_words.h"
#include "model/description_lines.h"
#include "model/geometry.h"

#include <QtTest>

#include <functional>
#include <map>
#include <set>

Q_DECLARE_METATYPE(DescendantShape)
Q_DECLARE_METATYPE(VillageShape)

namespace {

// A box's lines as one, each without the blank before its bar.
std::string flatText(const Person& box)
{
    std::string text;
    for (std::string_view line : descriptionLines(box.text)) {
        line = line.substr(0, line.find_last_not_of(' ') + 1);
        text += (text.empty() ? "" : " ") + std::string(line);
    }
    return text;
}

bool isSeeBox(const Person& box)
{
    return box.kind() == BoxKind::Person && seeBoxKey(box.text);
}

// What a see box says: "NAME |see column N, generation G".
struct SeeTarget {
    std::string name;
    int column = -1;
    int level = -1;
};
SeeTarget seeTarget(const Person& box)
{
    const std::string text = flatText(box);
    const std::size_t see = text.rfind(" see column ");
    if (!isSeeBox(box) || see == std::string::npos)
        return {};
    // Columns and generations as the window counts them, from 1.
    const std::size_t generation = text.find(", generation ", see + 12);
    if (generation == std::string::npos)
        return {};
    return {text.substr(0, see), std::stoi(text.substr(see + 12)) - 1,
            std::stoi(text.substr(generation + 13)) - 1};
}

// The person a plain box stands for: its own name, or the one a see box names.
std::string personOf(const Person& box)
{
    return isSeeBox(box) ? seeTarget(box).name : nameLine(box);
}

ChartImport imported(const GeneratedFamilies& families, LayoutKind kind, int generations,
                     int root = 0)
{
    const GedcomLoad load = readGedcom(families.text);
    if (!load)
        qFatal("generated file refused: %s", load.message().c_str());
    ImportOptions options;
    options.layout = {root, kind, generations, generations};
    ChartImport result = importChart(load.data, options, "generated");
    if (!result)
        qFatal("import failed: %s", result.message().c_str());
    return result;
}

bool isParent(const GeneratedFamilies& families, const std::string& child,
              const std::string& parent)
{
    const auto found = families.parentsOf.find(child);
    return found != families.parentsOf.end() &&
           std::find(found->second.begin(), found->second.end(), parent) != found->second.end();
}

// Every box whose parent has a box in the chart (the root's aside) finds that
// parent; with answersAreParents also no box finds anyone else.
void checkFindParent(const ChartImport& result, const GeneratedFamilies& families,
                     bool answersAreParents)
{
    const Tree& tree = result.chart.tree();
    std::set<std::string> named;
    tree.forEachPerson([&](const Person* box) { named.insert(nameLine(*box)); });
    const Person* root = tree.findPerson(result.root);
    QVERIFY(root);
    std::vector<const Person*> boxes;
    tree.forEachPerson([&](const Person* box) { boxes.push_back(box); });
    for (const Person* box : boxes) {
        if (box->kind() != BoxKind::Person || isSeeBox(*box))
            continue;
        const std::string name = nameLine(*box);
        const Person* parent = tree.findParent(box);
        const std::string found = parent ? nameLine(*parent) : "(none)";
        bool parentShown = false;
        for (const std::string& p : families.parentsOf.at(name))
            parentShown = parentShown || named.count(p);
        if (parentShown && box != root && !families.inLaws.count(name))
            QVERIFY2(isParent(families, name, found),
                     qPrintable(QString::fromStdString(name + " finds " + found)));
        if (answersAreParents && parent && !families.inLaws.count(name))
            QVERIFY2(isParent(families, name, found),
                     qPrintable(QString::fromStdString(name + " finds " + found)));
    }
}

// The drawing rules: cells apart, within the grid from (0, 0), right connectors
// ending at the next box on their level, down connectors at the box below,
// continuation boxes joined to their person, and no column left empty.
void checkGeometry(const Chart& chart)
{
    checkContinuationsJoined(chart);
    const Tree& tree = chart.tree();
    const TreeSettings& s = chart.settings();
    std::map<std::pair<int, int>, const Person*> cells;
    std::map<int, std::set<int>> columnsOnLevel;
    std::set<int> columns;
    tree.forEachPerson([&](const Person* box) {
        QVERIFY2(cells.emplace(std::pair(box->level(), box->column()), box).second,
                 qPrintable(QStringLiteral("two boxes at column %1, level %2")
                                .arg(box->column())
                                .arg(box->level())));
        QVERIFY(box->column() >= 0 && box->level() >= 0);
        columnsOnLevel[box->level()].insert(box->column());
        columns.insert(box->column());
    });
    QCOMPARE(int(columns.size()), *columns.rbegin() + 1);
    tree.forEachPerson([&](const Person* box) {
        if (box->rightLink() != 0) {
            const std::set<int>& row = columnsOnLevel[box->level()];
            const auto next = row.upper_bound(box->column());
            QVERIFY(next != row.end());
            QCOMPARE(box->rightLink(), (*next - box->column() - 1) * s.pitchX() + gapX);
        }
        if (box->downLink() != 0 && box->kind() == BoxKind::Person) {
            QCOMPARE(box->downLink(), gapY);
            QVERIFY(cells.count(std::pair(box->level() + 1, box->column())));
        }
    });
}

int levelCount(const Chart& chart)
{
    std::set<int> levels;
    chart.tree().forEachPerson([&](const Person* box) { levels.insert(box->level()); });
    return int(levels.size());
}

// Each person has one box of their own; a see box names a person whose box
// is at the column it gives.
void checkOneBoxEach(const Chart& chart)
{
    std::map<std::string, const Person*> own;
    std::vector<const Person*> sees;
    chart.tree().forEachPerson([&](const Person* box) {
        if (isSeeBox(*box))
            sees.push_back(box);
        else if (box->kind() == BoxKind::Person)
            QVERIFY2(own.emplace(nameLine(*box), box).second, nameLine(*box).c_str());
    });
    for (const Person* see : sees) {
        const SeeTarget target = seeTarget(*see);
        const auto found = own.find(target.name);
        QVERIFY2(found != own.end(), flatText(*see).c_str());
        QCOMPARE(target.column, found->second->column());
        QCOMPARE(target.level, found->second->level());
    }
}

std::set<std::string> descendantsOf(const GeneratedFamilies& families, const std::string& root)
{
    std::map<std::string, std::vector<std::string>> children;
    for (const auto& [child, parents] : families.parentsOf)
        for (const std::string& parent : parents)
            children[parent].push_back(child);
    std::set<std::string> found{root};
    std::vector<std::string> todo{root};
    while (!todo.empty()) {
        const std::string person = todo.back();
        todo.pop_back();
        for (const std::string& child : children[person])
            if (found.insert(child).second)
                todo.push_back(child);
    }
    return found;
}

// Find parent names a parent (by their box or a see box) for every box of the
// given persons whose parent is in the chart, unless the branch above it is cut.
void checkFindParentOf(const Tree& tree, const GeneratedFamilies& families,
                       const std::function<bool(const std::string&)>& checked)
{
    std::set<std::string> named;
    tree.forEachPerson([&](const Person* box) { named.insert(personOf(*box)); });
    tree.forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Person || isSeeBox(*box) || !checked(nameLine(*box)))
            return;
        const Person* above = tree.findPerson({box->column(), box->level() - 1});
        if (above && above->kind() != BoxKind::Person)
            return;
        const std::string name = nameLine(*box);
        bool parentShown = false;
        for (const std::string& p : families.parentsOf.at(name))
            parentShown = parentShown || named.count(p);
        if (!parentShown)
            return;
        const Person* parent = tree.findParent(box);
        const std::string found = parent ? personOf(*parent) : "(none)";
        QVERIFY2(isParent(families, name, found),
                 qPrintable(QString::fromStdString(name + " finds " + found)));
    });
}

// Every line of every box inside its box, measured as the screen draws it.
void checkTextFits(const Chart& chart)
{
    const TreeSettings& s = chart.settings();
    chart.tree().forEachPerson([&](const Person* box) {
        const bool plain = box->kind() == BoxKind::Person;
        const TextSize size = measureDescription(box->text, plain);
        const double scale = plain ? 1.0 : continuationScale;
        QVERIFY2(size.width + lineInsets <= s.boxWidth * scale, box->text.c_str());
        // A continuation box is drawn smaller, its first baseline 14 pixels down.
        QVERIFY2((plain ? 16 : 14) + (size.lines - 1) * 12 + 8 <= scaled(s.boxHeight, scale),
                 box->text.c_str());
    });
}

} // namespace

class FamilyLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void descendants_data();
    void descendants();
    void ancestors_data();
    void ancestors();
    void cutBranchesEndInContinuationBoxes_data();
    void cutBranchesEndInContinuationBoxes();
    void ownAncestorAppearsTwiceAtMost();
    void boxesFitTheLongestName();
    void villageCharts_data();
    void villageCharts();
    void ancestorsMetAlongTwoLines();
};

void FamilyLayoutTest::descendants_data()
{
    QTest::addColumn<DescendantShape>("shape");
    QTest::addColumn<int>("generations");
    QTest::addColumn<bool>("cycle");
    QTest::addColumn<int>("columnsBefore"); // of the layout that packed no block

    QTest::newRow("a few hundred persons")
        << DescendantShape{6, 4, 0, 400, 3, false} << 6 << false << 63;
    QTest::newRow("many children")
        << DescendantShape{3, 14, 0, 100000, 5, false} << 3 << false << 23;
    QTest::newRow("several marriages")
        << DescendantShape{5, 3, 2, 100000, 7, false} << 5 << false << 95;
    QTest::newRow("one child each")
        << DescendantShape{8, 1, 0, 100000, 9, false} << 8 << false << 2;
    QTest::newRow("own ancestor") << DescendantShape{5, 3, 3, 100000, 11, true} << 12 << true << 12;
}

void FamilyLayoutTest::descendants()
{
    QFETCH(DescendantShape, shape);
    QFETCH(int, generations);
    QFETCH(bool, cycle);
    QFETCH(int, columnsBefore);
    const GeneratedFamilies families = generateDescendants(shape);
    const ChartImport result = imported(families, LayoutKind::Descendants, generations);
    const Chart& chart = result.chart;

    checkGeometry(chart);
    QVERIFY(columnCount(chart) <= columnsBefore);
    checkFindParent(result, families, !cycle);
    QCOMPARE(result.root, (Cell{0, 0}));
    if (!cycle)
        QCOMPARE(int(chart.tree().size()), families.persons);
}

void FamilyLayoutTest::ancestors_data()
{
    QTest::addColumn<int>("generations");
    QTest::addColumn<int>("missingEvery");
    QTest::addColumn<int>("columnsBefore");

    QTest::newRow("full, 7 generations") << 7 << 0 << 64;
    QTest::newRow("some unknown, 8 generations") << 8 << 5 << 53;
    QTest::newRow("many unknown") << 6 << 2 << 6;
}

void FamilyLayoutTest::ancestors()
{
    QFETCH(int, generations);
    QFETCH(int, missingEvery);
    QFETCH(int, columnsBefore);
    const GeneratedFamilies families = generatePedigree(generations, missingEvery);
    const ChartImport result = imported(families, LayoutKind::Ancestors, generations);
    const Chart& chart = result.chart;

    checkGeometry(chart);
    QVERIFY(columnCount(chart) <= columnsBefore);
    checkFindParent(result, families, false);
    QCOMPARE(int(chart.tree().size()), families.persons);
    // The root alone on the bottom level, in the first column.
    QCOMPARE(result.root, (Cell{0, levelCount(chart) - 1}));
}

void FamilyLayoutTest::cutBranchesEndInContinuationBoxes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("generations");
    QTest::addColumn<int>("direction");

    QTest::newRow("descendants, 1 generation") << int(LayoutKind::Descendants) << 1 << 2;
    QTest::newRow("descendants, 3 generations") << int(LayoutKind::Descendants) << 3 << 2;
    QTest::newRow("ancestors, 1 generation") << int(LayoutKind::Ancestors) << 1 << 0;
    QTest::newRow("ancestors, 4 generations") << int(LayoutKind::Ancestors) << 4 << 0;
}

void FamilyLayoutTest::cutBranchesEndInContinuationBoxes()
{
    QFETCH(int, kind);
    QFETCH(int, generations);
    QFETCH(int, direction);
    const auto layoutKind = LayoutKind(kind);
    const GeneratedFamilies families = layoutKind == LayoutKind::Descendants
                                           ? generateDescendants({8, 3, 0, 100000, 13, false})
                                           : generatePedigree(8, 0);
    const Chart chart = std::move(imported(families, layoutKind, generations).chart);

    checkGeometry(chart);
    // The persons take the generations asked for; the continuation boxes one more level.
    QCOMPARE(levelCount(chart), generations + 1);
    int continuations = 0;
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Person) {
            ++continuations;
            QCOMPARE(box->direction(), direction);
            const int personLevel = box->level() + (direction == 2 ? -1 : 1);
            const Person* person = chart.tree().findPerson({box->column(), personLevel});
            QVERIFY(person && person->kind() == BoxKind::Person);
        }
    });
    QVERIFY(continuations > 0);
}

void FamilyLayoutTest::ownAncestorAppearsTwiceAtMost()
{
    // The root is also a child in the last family: climbing from the root comes
    // back to it, once, as a see box with no branch.
    const GeneratedFamilies families = generateDescendants({4, 2, 0, 100000, 17, true});
    const Chart chart = std::move(imported(families, LayoutKind::Ancestors, maxGenerations).chart);
    checkGeometry(chart);
    checkOneBoxEach(chart);
    std::map<std::string, int> seen;
    chart.tree().forEachPerson([&](const Person* box) { ++seen[personOf(*box)]; });
    QCOMPARE(seen["Given1 Surname1"], 2);
    for (const auto& [name, count] : seen)
        QVERIFY2(count <= 2, name.c_str());
}

void FamilyLayoutTest::boxesFitTheLongestName()
{
    const std::string text =
        "0 HEAD\n0 @I1@ INDI\n1 NAME Maximiliane  Konstantina /von Hohenberg-Ottersdorf/\n"
        "1 BIRT\n2 DATE 3 JUN 1871\n2 PLAC Oberndorf, Baden\n"
        "0 @I2@ INDI\n1 NAME Al /Bo/\n0 TRLR\n";
    const GedcomLoad load = readGedcom(text);
    ImportOptions options;
    const ChartImport result = importChart(load.data, options, "t");
    QVERIFY(result);
    const Person* root = result.chart.tree().findPerson(result.root);
    QVERIFY(root);
    // Too long for one line, the name goes on at its last blank that fits.
    QCOMPARE(root->text, std::string_view("Maximiliane Konstantina von |Hohenberg-Ottersdorf |"
                                          "b. 3 Jun 1871, Oberndorf"));
    const TreeSettings& s = result.chart.settings();
    QCOMPARE(s.boxWidth, measureDescription(root->text).width + lineInsets);
    QVERIFY(s.boxWidth < 240);
    QCOMPARE(s.boxHeight, 16 + 2 * 12 + 8);
}

void FamilyLayoutTest::villageCharts_data()
{
    QTest::addColumn<VillageShape>("village");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("root");
    QTest::addColumn<int>("generations");
    QTest::addColumn<int>("columnsBefore"); // of the layout that packed no block
    QTest::addColumn<bool>("metAgain");     // someone has a see box

    const VillageShape small{9, 4, 1200, 1}, large{10, 6, 2500, 7};
    const int down = int(LayoutKind::Descendants), up = int(LayoutKind::Ancestors);
    QTest::newRow("descendants of a founder") << small << down << 0 << 50 << 819 << true;
    QTest::newRow("descendants, 3 generations") << small << down << 0 << 3 << 22 << false;
    QTest::newRow("descendants of another founder") << small << down << 2 << 50 << 853 << true;
    QTest::newRow("descendants, larger village") << large << down << 2 << 50 << 2092 << true;
    QTest::newRow("ancestors of a young person") << small << up << 955 << 50 << 28 << true;
    QTest::newRow("ancestors, 4 generations") << small << up << 955 << 4 << 8 << false;
    QTest::newRow("ancestors, larger village") << large << up << 2151 << 50 << 39 << true;
}

void FamilyLayoutTest::villageCharts()
{
    QFETCH(VillageShape, village);
    QFETCH(int, kind);
    QFETCH(int, root);
    QFETCH(int, generations);
    QFETCH(int, columnsBefore);
    QFETCH(bool, metAgain);
    const GeneratedFamilies families = generateVillage(village);
    const ChartImport result = imported(families, LayoutKind(kind), generations, root);
    const Chart& chart = result.chart;

    checkGeometry(chart);
    checkOneBoxEach(chart);
    checkTextFits(chart);
    QVERIFY(columnCount(chart) <= columnsBefore);
    int seeBoxes = 0;
    chart.tree().forEachPerson([&](const Person* box) { seeBoxes += isSeeBox(*box); });
    QCOMPARE(seeBoxes > 0, metAgain);

    const std::string rootName = nameLine(*chart.tree().findPerson(result.root));
    if (LayoutKind(kind) == LayoutKind::Ancestors) {
        checkFindParentOf(chart.tree(), families, [](const std::string&) { return true; });
    } else {
        const std::set<std::string> descendants = descendantsOf(families, rootName);
        checkFindParentOf(chart.tree(), families, [&](const std::string& name) {
            return name != rootName && descendants.count(name);
        });
    }
}

// Villages where relatives a generation apart marry, so that an ancestor is
// met along lines of different lengths: every ancestor within the limit has a
// box of their own, and a continuation box counts only the parents who have none.
void FamilyLayoutTest::ancestorsMetAlongTwoLines()
{
    int unboxed = 0, miscounted = 0;
    for (unsigned seed = 1; seed <= 10; ++seed) {
        const GeneratedFamilies families = generateVillage({8, 4, 800, seed, true});
        for (int root = families.persons - 1, up = 3; root > families.persons - 240;
             root -= 4, up = 3 + root % 5) {
            const LayoutKind kind = root % 2 ? LayoutKind::Ancestors : LayoutKind::Hourglass;
            const ChartImport result = imported(families, kind, up, root);
            checkGeometry(result.chart);
            checkOneBoxEach(result.chart);
            const Tree& tree = result.chart.tree();
            std::set<std::string> own, within;
            tree.forEachPerson([&](const Person* box) {
                if (box->kind() == BoxKind::Person && !isSeeBox(*box))
                    own.insert(nameLine(*box));
            });
            const std::function<void(const std::string&, int)> climb = [&](const std::string& name,
                                                                           int depth) {
                unboxed += within.insert(name).second && !own.count(name);
                for (const std::string& parent : families.parentsOf.at(name))
                    if (depth + 1 < up)
                        climb(parent, depth + 1);
            };
            climb(nameLine(*tree.findPerson(result.root)), 0);
            tree.forEachPerson([&](const Person* box) {
                if (box->kind() != BoxKind::Continuation || box->direction() != 0)
                    return;
                int cutOff = 0;
                for (const std::string& parent : families.parentsOf.at(
                         nameLine(*tree.findPerson({box->column(), box->level() + 1}))))
                    cutOff += !own.count(parent);
                miscounted += std::stoi(box->text) != cutOff;
            });
        }
    }
    QCOMPARE(unboxed, 0);
    QCOMPARE(miscounted, 0);
}

QTEST_APPLESS_MAIN(FamilyLayoutTest)
#include "family_layout_test.moc"
