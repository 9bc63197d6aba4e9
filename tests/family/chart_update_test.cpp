// SPDX-License-Identifier: GPL-3.0-or-later
// Updating a chart from its changed family file: a generated family imported,
// edited by hand, its file changed, the chart updated twice.
#include "chartfile/chart_writer.h"
#include "family/chart_update.h"
#include "layout/family_link_options.h"
#include "layout/chart_import.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom_generator.h"
#include "model/description_lines.h"

#include <QtTest>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

const CalendarDate today{2026, 1, 1};

std::string nameLine(const Person& box)
{
    const std::vector<std::string_view> lines = descriptionLines(box.text);
    std::string name(lines.empty() ? std::string_view() : lines[0]);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

GedcomData dataOf(const std::string& text)
{
    GedcomLoad load = readGedcom(text);
    if (!load)
        qFatal("generated file refused: %s", load.message().c_str());
    return std::move(load.data);
}

Chart importedChart(const std::string& text, LayoutKind kind, int generations,
                    bool otherChoices = false)
{
    const GedcomData data = dataOf(text);
    ImportOptions options;
    options.layout = {0, kind, generations};
    options.description.keepUnderscores = otherChoices;
    options.description.dates = otherChoices ? DateStyle::Long : DateStyle::Short;
    options.today = today;
    ChartImport result = importChart(data, options, "family");
    if (!result)
        qFatal("import failed: %s", result.message().c_str());
    result.chart.setFamilyLink(familyLinkFor(data, options, "/families/family.ged"));
    return std::move(result.chart);
}

std::string bytesOf(const Chart& chart)
{
    std::ostringstream out;
    writeChart(out, chart);
    return out.str();
}

// Edits of the generated file, record by record ("I5", "F3").
class FamilyFile {
public:
    explicit FamilyFile(std::string text) : text_(std::move(text)) {}
    const std::string& text() const { return text_; }

    void replaceIn(const std::string& xref, const std::string& from, const std::string& to)
    {
        auto [start, end] = span(xref);
        const std::size_t at = text_.find(from, start);
        QVERIFY2(at != std::string::npos && at < end, (xref + ": " + from).c_str());
        text_.replace(at, from.size(), to);
    }
    void append(const std::string& xref, const std::string& lines)
    {
        text_.insert(span(xref).second, lines);
    }
    void remove(const std::string& xref)
    {
        auto [start, end] = span(xref);
        text_.erase(start, end - start);
    }
    void removeLine(const std::string& line)
    {
        const std::size_t at = text_.find(line);
        QVERIFY2(at != std::string::npos, line.c_str());
        text_.erase(at, line.size());
    }
    void add(const std::string& record) { text_.insert(text_.find("0 TRLR"), record); }
    // The first family the person is a spouse in.
    std::string familyOf(const std::string& xref) const
    {
        auto [start, end] = span(xref);
        const std::size_t at = text_.find("1 FAMS @", start);
        return at < end ? text_.substr(at + 8, text_.find('@', at + 8) - at - 8) : "";
    }

private:
    std::pair<std::size_t, std::size_t> span(const std::string& xref) const
    {
        const std::size_t start = text_.find("0 @" + xref + "@ ");
        if (start == std::string::npos)
            qFatal("no record %s", xref.c_str());
        return {start, text_.find("\n0 ", start) + 1};
    }
    std::string text_;
};

std::string xrefOfName(const std::string& name) // "Given12 Surname12" -> "I12"
{
    return "I" + name.substr(5, name.find(' ') - 5);
}

QStringList namesOf(const std::vector<UpdatedBox>& list)
{
    QStringList names;
    for (const UpdatedBox& entry : list)
        names << QString::fromStdString(entry.name);
    names.sort();
    return names;
}

// Each box's cell, by box.
std::map<const Person*, Cell> cellsOf(const Tree& tree)
{
    std::map<const Person*, Cell> cells;
    tree.forEachPerson([&](const Person* box) { cells[box] = box->cell(); });
    return cells;
}

// Boxes keep their order on both axes: a line opened moves all beyond it alike.
void checkPlacesKept(const std::map<const Person*, Cell>& before)
{
    std::vector<std::pair<Cell, Cell>> moves; // old, new
    for (const auto& [box, cell] : before)
        moves.push_back({cell, box->cell()});
    for (const bool columns : {true, false}) {
        const auto axis = [columns](Cell c) { return columns ? c.column : c.level; };
        std::sort(moves.begin(), moves.end(),
                  [&](const auto& a, const auto& b) { return axis(a.first) < axis(b.first); });
        for (std::size_t i = 1; i < moves.size(); ++i) {
            const bool sameBefore = axis(moves[i - 1].first) == axis(moves[i].first);
            const int step = axis(moves[i].second) - axis(moves[i - 1].second);
            QVERIFY(sameBefore ? step == 0 : step > 0);
        }
    }
}

// The right connector of the nearest box left of the box on its level
// reaches it exactly.
void checkReachedFromLeft(const Tree& tree, const Person* box)
{
    const Person* left = nullptr;
    for (int column = box->column() - 1; column >= 0 && !left; --column)
        left = tree.findPerson({column, box->level()});
    QVERIFY(left);
    const TreeSettings& s = tree.settings();
    QCOMPARE(left->rightLink(), (box->column() - left->column() - 1) * s.pitchX() + gapX);
}

void checkCellsUnsharedConnectorsForward(const Tree& tree)
{
    std::set<std::pair<int, int>> cells;
    tree.forEachPerson([&](const Person* box) {
        // A continuation box's connector runs back across it to its person.
        QVERIFY2(box->kind() == BoxKind::Continuation ||
                     (box->rightLink() >= 0 && box->downLink() >= 0),
                 box->text.c_str());
        QVERIFY2(cells.insert({box->column(), box->level()}).second,
                 qPrintable(QString("two boxes at %1,%2").arg(box->column()).arg(box->level())));
    });
}

const Person* boxNamed(const Tree& tree, const std::string& name)
{
    const Person* found = nullptr;
    tree.forEachPerson([&](const Person* box) {
        if (!found && box->kind() == BoxKind::Person && nameLine(*box) == name)
            found = box;
    });
    return found;
}

} // namespace

class ChartUpdateTest : public QObject {
    Q_OBJECT
private slots:
    void descendantsScenario();
    void ancestorsGainParentsAtTheTop_data();
    void ancestorsGainParentsAtTheTop();
    void unchangedFileChangesNothing_data();
    void unchangedFileChangesNothing();
    void refusals();
};

void ChartUpdateTest::descendantsScenario()
{
    const GeneratedFamilies generated = generateDescendants({6, 4, 4, 600, 3, false});
    QVERIFY2(generated.persons > 200, qPrintable(QString::number(generated.persons)));
    Chart chart = importedChart(generated.text, LayoutKind::Descendants, 4);
    Tree& tree = chart.mutableTree();

    // Persons by the level their box stands on: blood descendants only.
    std::map<int, std::vector<std::string>> blood;
    tree.forEachPerson([&](const Person* box) {
        const std::string name = nameLine(*box);
        if (box->kind() == BoxKind::Person && !generated.inLaws.count(name))
            blood[box->level()].push_back(name);
    });
    QVERIFY(blood[1].size() >= 2 && blood[2].size() >= 4 && blood[3].size() >= 4);
    const std::string parent = blood[1][0];    // gets a new child
    const std::string bornAgain = blood[1][1]; // a new birth date
    const std::string renamed = blood[2][0];
    const std::string retyped = blood[2][1];    // renamed in the file, retyped by hand
    const std::string married = blood[2][2];    // a new spouse
    const std::string reparented = blood[2][3]; // now a child of another family
    const std::string removed = blood[3].back();

    // Hand edits: a typed note, a box typed by hand, a stretched connector,
    // a move to a free cell, a switch of two siblings, an inserted column.
    Person* typed = tree.own(boxNamed(tree, retyped));
    typed->setText("My own note");
    const Cell extent = tree.extentCells();
    tree.append(std::make_unique<Person>("Hand-typed", Cell{extent.column + 3, 0}, Links{}));
    Person* stretched = tree.own(boxNamed(tree, parent));
    if (stretched->rightLink() != 0)
        stretched->setLinkLengths({stretched->rightLink() + 300, stretched->downLink()});
    const Person* inLaw = nullptr;
    tree.forEachPerson([&](const Person* box) {
        if (box->level() == 3 && generated.inLaws.count(nameLine(*box)))
            inLaw = box;
    });
    QVERIFY(inLaw);
    QVERIFY(tree.move(inLaw->cell(), {extent.column + 5, 6}));
    QVERIFY(tree.insertLine('x', boxNamed(tree, blood[1][1])->column()));
    const std::map<const Person*, Cell> before = cellsOf(tree);
    const std::size_t boxCount = tree.size();

    // The file changes.
    FamilyFile file(generated.text);
    const std::string renamedXref = xrefOfName(renamed);
    file.replaceIn(renamedXref, "1 NAME Given", "1 NAME Renamed");
    file.replaceIn(xrefOfName(retyped), "1 NAME Given", "1 NAME Retitled");
    file.replaceIn(xrefOfName(bornAgain), "1 BIRT\n2 DATE ", "1 BIRT\n2 DATE 2 FEB 1777\n2 _OLD ");
    const std::string family = file.familyOf(xrefOfName(parent));
    file.append(family, "1 CHIL @I9001@\n");
    file.add("0 @I9001@ INDI\n1 NAME Newchild /Born/\n1 SEX F\n1 BIRT\n2 DATE 1899\n1 FAMC @" +
             family + "@\n");
    file.add("0 @I9002@ INDI\n1 NAME Newspouse /Wed/\n1 SEX M\n1 FAMS @F9002@\n");
    file.add("0 @F9002@ FAM\n1 HUSB @I9002@\n1 WIFE @" + xrefOfName(married) + "@\n");
    file.append(xrefOfName(married), "1 FAMS @F9002@\n");
    file.remove(xrefOfName(removed));
    file.removeLine("1 CHIL @" + xrefOfName(removed) + "@\n");
    // A family of the level above that is not the reparented person's own.
    std::string otherFamily;
    for (const std::string& name : blood[1]) {
        const std::vector<std::string>& parents = generated.parentsOf.at(reparented);
        if (std::find(parents.begin(), parents.end(), name) == parents.end())
            otherFamily = file.familyOf(xrefOfName(name));
    }
    QVERIFY(!otherFamily.empty());
    file.removeLine("1 CHIL @" + xrefOfName(reparented) + "@\n");
    file.append(otherFamily, "1 CHIL @" + xrefOfName(reparented) + "@\n");
    file.replaceIn(xrefOfName(reparented), "1 FAMC @", "1 FAMC @" + otherFamily + "@\n1 _OLD @");

    const GedcomData data = dataOf(file.text());
    const ChartUpdate update = updateChart(chart, data, today);
    QVERIFY(update);
    const ChartUpdateReport& report = update.report;

    checkPlacesKept(before);
    checkCellsUnsharedConnectorsForward(tree);
    QCOMPARE(tree.size(), boxCount + 2);
    QCOMPARE(namesOf(report.added), QStringList({"Newchild Born", "Newspouse Wed"}));
    QVERIFY(
        namesOf(report.changed).contains(QString::fromStdString("Renamed" + renamed.substr(5))));
    QVERIFY(namesOf(report.changed).contains(QString::fromStdString(bornAgain)));
    QCOMPARE(namesOf(report.kept),
             QStringList({QString::fromStdString("Retitled" + retyped.substr(5))}));
    QCOMPARE(namesOf(report.removed), QStringList({QString::fromStdString(removed)}));
    QVERIFY(namesOf(report.reparented).contains(QString::fromStdString(reparented)));
    QVERIFY(report.unplaced.empty());

    QCOMPARE(typed->text, std::string("My own note"));
    QVERIFY(boxNamed(tree, "Hand-typed"));
    QVERIFY(!tree.records().find(boxNamed(tree, "Hand-typed")));
    QVERIFY(boxNamed(tree, removed));
    QVERIFY(boxNamed(tree, bornAgain)->text.find("b. 2 Feb 1777") != std::string::npos);
    const Person* child = boxNamed(tree, "Newchild Born");
    QVERIFY(child);
    const Person* found = tree.findParent(child);
    QVERIFY(found);
    QCOMPARE(nameLine(*found), parent);
    checkReachedFromLeft(tree, child);
    const Person* spouse = boxNamed(tree, "Newspouse Wed");
    QVERIFY(spouse);
    checkReachedFromLeft(tree, spouse);
    QCOMPARE(spouse->level(), boxNamed(tree, married)->level());

    // A second update of the same file changes nothing.
    const std::string saved = bytesOf(chart);
    const ChartUpdate again = updateChart(chart, data, today);
    QVERIFY(again);
    QVERIFY(!again.report.changesChart());
    QCOMPARE(bytesOf(chart), saved);
}

void ChartUpdateTest::ancestorsGainParentsAtTheTop_data()
{
    QTest::addColumn<int>("generations");
    QTest::addColumn<int>("added");
    // The pedigree takes 3 levels; the new parents make a fourth.
    QTest::newRow("room for them") << 5 << 2;
    QTest::newRow("just room") << 4 << 2;
    QTest::newRow("at the limit") << 3 << 0;
}

void ChartUpdateTest::ancestorsGainParentsAtTheTop()
{
    QFETCH(int, generations);
    QFETCH(int, added);
    const GeneratedFamilies generated = generatePedigree(3, 0);
    Chart chart = importedChart(generated.text, LayoutKind::Ancestors, generations);
    Tree& tree = chart.mutableTree();
    const std::map<const Person*, Cell> before = cellsOf(tree);
    // I5 is on the top level; it gets a father and a mother.
    FamilyFile file(generated.text);
    file.add("0 @I801@ INDI\n1 NAME Topfather /Up/\n1 SEX M\n1 FAMS @F801@\n");
    file.add("0 @I802@ INDI\n1 NAME Topmother /Up/\n1 SEX F\n1 FAMS @F801@\n");
    file.add("0 @F801@ FAM\n1 HUSB @I801@\n1 WIFE @I802@\n1 CHIL @I5@\n");
    file.append("I5", "1 FAMC @F801@\n");
    const GedcomData data = dataOf(file.text());
    const ChartUpdate update = updateChart(chart, data, today);
    QVERIFY(update);
    QCOMPARE(int(update.report.added.size()), added);
    checkPlacesKept(before);
    checkCellsUnsharedConnectorsForward(tree);
    if (added > 0) {
        const Person* found = tree.findParent(boxNamed(tree, "Given5 Surname5"));
        QVERIFY(found);
        QCOMPARE(nameLine(*found), std::string("Topfather Up"));
        QCOMPARE(boxNamed(tree, "Topmother Up")->level(), found->level());
    }
    const std::string saved = bytesOf(chart);
    QVERIFY(!updateChart(chart, data, today).report.changesChart());
    QCOMPARE(bytesOf(chart), saved);
}

void ChartUpdateTest::unchangedFileChangesNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("generations");
    QTest::addColumn<bool>("otherChoices"); // of names written "Given_3 /Sur_name3/"
    QTest::newRow("descendants, cut") << int(LayoutKind::Descendants) << 3 << false;
    QTest::newRow("descendants, whole") << int(LayoutKind::Descendants) << 6 << false;
    QTest::newRow("ancestors") << int(LayoutKind::Ancestors) << 4 << false;
    QTest::newRow("underscores kept, long dates") << int(LayoutKind::Descendants) << 6 << true;
}

void ChartUpdateTest::unchangedFileChangesNothing()
{
    QFETCH(int, kind);
    QFETCH(int, generations);
    QFETCH(bool, otherChoices);
    const GeneratedFamilies generated = LayoutKind(kind) == LayoutKind::Descendants
                                            ? generateDescendants({5, 3, 3, 500, 5, false})
                                            : generatePedigree(5, 4);
    const std::string text =
        std::regex_replace(generated.text, std::regex(" /Surname"), "_ /Sur_name");
    Chart chart = importedChart(text, LayoutKind(kind), generations, otherChoices);
    const std::string saved = bytesOf(chart);
    const ChartUpdate update = updateChart(chart, dataOf(text), today);
    QVERIFY(update);
    QCOMPARE(QString::fromStdString(updateReportText(update.report)), QString("No changes.\n"));
    QCOMPARE(bytesOf(chart), saved);
}

void ChartUpdateTest::refusals()
{
    const GeneratedFamilies generated = generatePedigree(3, 0);
    Chart unlinked;
    QVERIFY(!updateChart(unlinked, dataOf(generated.text), today));
    Chart chart = importedChart(generated.text, LayoutKind::Ancestors, 3);
    FamilyFile file(generated.text);
    file.remove("I1");
    const std::string saved = bytesOf(chart);
    const ChartUpdate update = updateChart(chart, dataOf(file.text()), today);
    QVERIFY(!update);
    QVERIFY(update.message().find("I1") != std::string::npos);
    QCOMPARE(bytesOf(chart), saved);
}

QTEST_APPLESS_MAIN(ChartUpdateTest)
#include "chart_update_test.moc"
