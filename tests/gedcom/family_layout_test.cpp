// SPDX-License-Identifier: GPL-3.0-or-later
// Charts laid out from generated families, held to the chart's own rules: Find
// parent leads from each child to its parent, no two boxes share a cell, every
// connector reaches the next box and the generations fill the levels in order.
#include "gedcom_generator.h"

#include "gedcom/gedcom_chart.h"
#include "gedcom/gedcom_reader.h"
#include "model/description_lines.h"

#include <QtTest>

#include <map>
#include <set>

Q_DECLARE_METATYPE(DescendantShape)

namespace {

std::string nameLine(const Person& box)
{
    const std::vector<std::string_view> lines = descriptionLines(box.text);
    if (lines.empty())
        return {};
    std::string name(lines[0]);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

ChartImport imported(const GeneratedFamilies& families, LayoutKind kind, int generations)
{
    const GedcomLoad load = readGedcom(families.text);
    if (!load)
        qFatal("generated file refused: %s", load.message().c_str());
    ImportOptions options;
    options.layout = {0, kind, generations};
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
        if (box->kind() != 'P')
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
// ending at the next box on their level, down connectors at the box below, and
// no column left empty.
void checkGeometry(const Chart& chart)
{
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
        if (box->downLink() != 0) {
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
};

void FamilyLayoutTest::descendants_data()
{
    QTest::addColumn<DescendantShape>("shape");
    QTest::addColumn<int>("generations");
    QTest::addColumn<bool>("cycle");

    QTest::newRow("a few hundred persons") << DescendantShape{6, 4, 0, 400, 3, false} << 6 << false;
    QTest::newRow("many children") << DescendantShape{3, 14, 0, 100000, 5, false} << 3 << false;
    QTest::newRow("several marriages") << DescendantShape{5, 3, 2, 100000, 7, false} << 5 << false;
    QTest::newRow("one child each") << DescendantShape{8, 1, 0, 100000, 9, false} << 8 << false;
    QTest::newRow("own ancestor") << DescendantShape{5, 3, 3, 100000, 11, true} << 12 << true;
}

void FamilyLayoutTest::descendants()
{
    QFETCH(DescendantShape, shape);
    QFETCH(int, generations);
    QFETCH(bool, cycle);
    const GeneratedFamilies families = generateDescendants(shape);
    const ChartImport result = imported(families, LayoutKind::Descendants, generations);
    const Chart& chart = result.chart;

    checkGeometry(chart);
    checkFindParent(result, families, !cycle);
    QCOMPARE(result.root, (Cell{0, 0}));
    if (!cycle)
        QCOMPARE(int(chart.tree().size()), families.persons);
}

void FamilyLayoutTest::ancestors_data()
{
    QTest::addColumn<int>("generations");
    QTest::addColumn<int>("missingEvery");

    QTest::newRow("full, 7 generations") << 7 << 0;
    QTest::newRow("some unknown, 8 generations") << 8 << 5;
    QTest::newRow("many unknown") << 6 << 2;
}

void FamilyLayoutTest::ancestors()
{
    QFETCH(int, generations);
    QFETCH(int, missingEvery);
    const GeneratedFamilies families = generatePedigree(generations, missingEvery);
    const ChartImport result = imported(families, LayoutKind::Ancestors, generations);
    const Chart& chart = result.chart;

    checkGeometry(chart);
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
        if (box->kind() != 'P') {
            ++continuations;
            QCOMPARE(box->direction(), direction);
            const int personLevel = box->level() + (direction == 2 ? -1 : 1);
            const Person* person = chart.tree().findPerson({box->column(), personLevel});
            QVERIFY(person && person->kind() == 'P');
        }
    });
    QVERIFY(continuations > 0);
}

void FamilyLayoutTest::ownAncestorAppearsTwiceAtMost()
{
    // The root is also a child in the last family: climbing from the root comes
    // back to it, once, with no branch the second time.
    const GeneratedFamilies families = generateDescendants({4, 2, 0, 100000, 17, true});
    const Chart chart = std::move(imported(families, LayoutKind::Ancestors, maxGenerations).chart);
    checkGeometry(chart);
    std::map<std::string, int> seen;
    chart.tree().forEachPerson([&](const Person* box) { ++seen[nameLine(*box)]; });
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
    QCOMPARE(root->text,
             std::string_view(
                 "Maximiliane Konstantina von Hohenberg-Ottersdorf |b. 3 JUN 1871, Oberndorf"));
    const int nameLength =
        int(std::string_view("Maximiliane Konstantina von Hohenberg-Ottersdorf").size());
    QVERIFY(result.chart.settings().boxWidth >= nameLength * 8);
    QVERIFY(result.chart.settings().boxWidth <= nameLength * 12);
}

QTEST_APPLESS_MAIN(FamilyLayoutTest)
#include "family_layout_test.moc"
