// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/line_reader.h"
#include "family/chart_update.h"
#include "gedcom/gedcom_reader.h"
#include "layout/box_colours.h"
#include "layout/chart_import.h"
#include "layout/family_layout.h"
#include "model/colour_legend.h"
#include "model/colour_scheme.h"
#include "gedcom_generator.h"

#include <QtTest>

#include <set>
#include <sstream>

namespace {

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

Chart readBack(const std::string& bytes)
{
    LineReader reader = LineReader::fromBytes(bytes);
    ChartLoad load = readChart(reader, "c", TreeSettings());
    if (!load)
        qFatal("chart not read back: %s", load.message().c_str());
    return std::move(load.chart);
}

// Whether ancestor is person or one of their ancestors, by every parent the file names.
bool descendsFrom(const GedcomData& data, int person, int ancestor)
{
    std::vector<int> stack{person};
    std::set<int> seen;
    while (!stack.empty()) {
        const int at = stack.back();
        stack.pop_back();
        if (at == ancestor)
            return true;
        if (!seen.insert(at).second)
            continue;
        for (const int f : data.persons[std::size_t(at)].childOf)
            for (const int parent : {data.families[std::size_t(f)].husband,
                                     data.families[std::size_t(f)].wife})
                if (parent >= 0)
                    stack.push_back(parent);
    }
    return false;
}

std::vector<int> childrenOf(const GedcomData& data, int person)
{
    std::vector<int> children;
    for (const int f : data.persons[std::size_t(person)].spouseIn)
        for (const int child : data.families[std::size_t(f)].children)
            if (std::find(children.begin(), children.end(), child) == children.end())
                children.push_back(child);
    return children;
}

template <typename Visit> void forEachLinkedBox(const Chart& chart, const GedcomData& data, Visit visit)
{
    chart.tree().forEachPerson([&](const Person* box) {
        if (const RecordLink* record = chart.tree().records().find(box);
            record && box->kind() == BoxKind::Person)
            visit(*box, data.findPerson(record->xref));
    });
}

} // namespace

class BoxColoursTest : public QObject {
    Q_OBJECT
private slots:
    // Over villages (cousins who married, second marriages, persons reached
    // along two lines): each descendant's box has the colour of the first of
    // the root's children they descend from, a spouse from outside a partner's,
    // the root none; and the key names each branch once.
    void branchesOverVillages()
    {
        int checked = 0;
        for (unsigned seed = 1; seed <= 60; ++seed) {
            const GeneratedFamilies village = generateVillage({6, 4, 200, seed, seed % 2 == 0});
            const GedcomData data = dataOf(village.text);
            for (const int root : {0, 2, village.persons / 3}) {
                ImportOptions options;
                options.layout = {root, seed % 3 ? LayoutKind::Descendants : LayoutKind::Hourglass,
                                  5, 3};
                options.colours = ColourScheme::Branch;
                const ChartImport imported = importChart(data, options, "c", "/f/v.ged");
                QVERIFY(imported);
                const std::vector<int> heads = childrenOf(data, root);
                std::set<Colour> branchColours;
                forEachLinkedBox(imported.chart, data, [&](const Person& box, int person) {
                    const QByteArray row = "seed " + QByteArray::number(seed) + " person " +
                                           QByteArray::number(person);
                    if (person == root) {
                        QVERIFY2(box.schemeColour == noColour, row);
                        return;
                    }
                    if (box.level() < imported.root.level)
                        return; // an hourglass's upper half: lines, below
                    const auto first = std::find_if(heads.begin(), heads.end(), [&](int head) {
                        return descendsFrom(data, person, head);
                    });
                    if (first != heads.end()) {
                        const Colour wanted = boxColours::nth(std::size_t(first - heads.begin()));
                        QVERIFY2(box.schemeColour == wanted, row);
                        branchColours.insert(wanted);
                        ++checked;
                        return;
                    }
                    // Married in: a partner's branch colour.
                    bool partners = false;
                    for (const int f : data.persons[std::size_t(person)].spouseIn) {
                        const GedcomFamily& family = data.families[std::size_t(f)];
                        const int partner = family.husband == person ? family.wife : family.husband;
                        partners = partners || (partner >= 0 && partner != root &&
                                                box.schemeColour != noColour);
                    }
                    QVERIFY2(partners || box.schemeColour == noColour, row);
                });
                // Branches up to the palette's size never share a colour.
                QVERIFY(branchColours.size() <= std::min(heads.size(), boxColours::palette.size()));
                const std::vector<LegendEntry> legend = colourLegend(imported.chart);
                std::set<Colour> keyed;
                for (const LegendEntry& entry : legend)
                    QVERIFY2(keyed.insert(entry.colour).second, "a colour named twice");
                for (const Colour colour : branchColours)
                    QVERIFY(keyed.count(colour));
            }
        }
        QVERIFY(checked > 5000);
    }

    // The four grandparents' lines of an ancestors chart differ, and each
    // ancestor carries the colour of the first line they are part of.
    void ancestorLines()
    {
        for (unsigned seed = 1; seed <= 30; ++seed) {
            const GeneratedFamilies village = generateVillage({7, 4, 300, seed, true});
            const GedcomData data = dataOf(village.text);
            const int root = village.persons - 1;
            ImportOptions options;
            options.layout = {root, LayoutKind::Ancestors, 6, 6};
            options.colours = ColourScheme::Branch;
            const ChartImport imported = importChart(data, options, "c", "/f/v.ged");
            QVERIFY(imported);
            std::vector<int> grandparents;
            for (const int parent : shownParents(data, root))
                for (const int grandparent : shownParents(data, parent))
                    grandparents.push_back(grandparent);
            forEachLinkedBox(imported.chart, data, [&](const Person& box, int person) {
                for (std::size_t line = 0; line < grandparents.size(); ++line)
                    if (descendsFrom(data, grandparents[line], person)) {
                        // The line's own colour, unless an earlier line holds the person too.
                        bool earlier = false;
                        for (std::size_t before = 0; before < line; ++before)
                            earlier = earlier || descendsFrom(data, grandparents[before], person);
                        if (!earlier && person != grandparents[line])
                            QVERIFY(box.schemeColour != noColour);
                        return;
                    }
            });
        }
    }

    // Men, women and persons of unknown sex each have their colour; every
    // colour keeps the box's dark blue text readable.
    void sexAndContrast()
    {
        const GeneratedFamilies village = generateVillage({6, 4, 400, 3});
        const GedcomData data = dataOf(village.text);
        ImportOptions options;
        options.layout = {0, LayoutKind::Descendants, 6, 1};
        options.colours = ColourScheme::Sex;
        const ChartImport imported = importChart(data, options, "c", "/f/v.ged");
        std::set<char> sexes;
        forEachLinkedBox(imported.chart, data, [&](const Person& box, int person) {
            const char sex = data.persons[std::size_t(person)].sex;
            sexes.insert(sex);
            QCOMPARE(box.schemeColour, sex == 'M'   ? boxColours::men
                                       : sex == 'F' ? boxColours::women
                                                    : boxColours::unknownSex);
        });
        QVERIFY(sexes.count('M') && sexes.count('F'));
        QVERIFY(boxColours::men != boxColours::women);
        for (const Colour a : boxColours::palette) {
            QVERIFY(contrastRatio(a, colours::darkblue) >= 4.5);
            for (const Colour b : boxColours::palette)
                QVERIFY(contrastRatio(boxColours::between(a, b), colours::darkblue) >= 4.5);
        }
        QCOMPARE(contrastRatio(colours::white, namedColour("black")), 21.0);
    }

    // The scheme and every hand colour come back from the file, through an
    // update from the same file (byte for byte) and one from a changed file.
    void keptBySaveAndUpdate()
    {
        const GeneratedFamilies village = generateVillage({6, 4, 300, 5});
        const GedcomData data = dataOf(village.text);
        for (const ColourScheme scheme : {ColourScheme::None, ColourScheme::Branch,
                                          ColourScheme::Sex, ColourScheme::Generation}) {
            ImportOptions options;
            options.layout = {0, LayoutKind::Descendants, 5, 1};
            options.colours = scheme;
            ChartImport imported = importChart(data, options, "c", "/f/v.ged");
            int n = 0;
            std::map<std::pair<int, int>, Colour> own;
            imported.chart.mutableTree().forEachPerson([&](Person* box) {
                if (++n % 7 == 0) {
                    box->ownColour = boxColours::nth(std::size_t(n));
                    own[{box->column(), box->level()}] = box->ownColour;
                }
            });
            const std::string bytes = bytesOf(imported.chart);
            Chart back = readBack(bytes);
            QCOMPARE(back.familyLink().colours, scheme);
            QCOMPARE(bytesOf(back), bytes);
            QVERIFY(updateChart(back, data, currentDate()));
            QCOMPARE(bytesOf(back), bytes);
            // A colour chosen by hand wins over the scheme's.
            back.tree().forEachPerson([&](const Person* box) {
                const auto found = own.find({box->column(), box->level()});
                QCOMPARE(box->ownColour, found == own.end() ? noColour : found->second);
                if (found != own.end())
                    QCOMPARE(box->fillColour(colours::paleyellow), found->second);
            });
        }
    }

    // Colour fields the reader must not take: in a cross-reference, broken digits.
    void colourFieldsRead_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<Colour>("scheme");
        QTest::addColumn<Colour>("own");
        QTest::newRow("both") << QByteArray("P 1j1 1:A 0j0 0 r2:I1 00000000 caabbcc Cddeeff")
                              << rgb(0xaa, 0xbb, 0xcc) << rgb(0xdd, 0xee, 0xff);
        QTest::newRow("own only") << QByteArray("P 1j1 1:A 0j0 0 C010203") << noColour
                                  << rgb(1, 2, 3);
        QTest::newRow("with name lines") << QByteArray("P 1j1 1:A 0j0 0 c0a0b0c w2")
                                         << rgb(10, 11, 12) << noColour;
        QTest::newRow("in a cross-reference")
            << QByteArray("P 1j1 1:A 0j0 0 r9:X caabbcc 00000000") << noColour << noColour;
        QTest::newRow("five digits") << QByteArray("P 1j1 1:A 0j0 0 caabbc") << noColour
                                     << noColour;
        QTest::newRow("not hex") << QByteArray("P 1j1 1:A 0j0 0 cgg0000") << noColour
                                 << noColour;
        QTest::newRow("seven digits") << QByteArray("P 1j1 1:A 0j0 0 caabbccd") << noColour
                                      << noColour;
    }
    void colourFieldsRead()
    {
        QFETCH(QByteArray, line);
        QFETCH(Colour, scheme);
        QFETCH(Colour, own);
        const Chart chart = readBack("Stirpa 120j50 50j200 d1 1\n" + line.toStdString() + "\n");
        QCOMPARE(chart.tree().size(), std::size_t(1));
        chart.tree().forEachPerson([&](const Person* box) {
            QCOMPARE(box->schemeColour, scheme);
            QCOMPARE(box->ownColour, own);
        });
    }
};

QTEST_GUILESS_MAIN(BoxColoursTest)
#include "box_colours_test.moc"
