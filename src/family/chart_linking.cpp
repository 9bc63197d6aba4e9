// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/chart_linking.h"

#include "family/chart_update.h"
#include "gedcom/gedcom_date.h"
#include "layout/chart_import.h"
#include "layout/family_link_options.h"
#include "layout/person_description.h"
#include "layout/person_identity.h"
#include "model/description_lines.h"
#include "model/place_name.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

bool areSpouses(const GedcomData& data, int a, int b)
{
    for (const int f : data.persons[std::size_t(a)].spouseIn) {
        const GedcomFamily& family = data.families[std::size_t(f)];
        if (family.husband == b || family.wife == b)
            return true;
    }
    return false;
}

// The root's descendants and everyone married to one of them, the root included.
std::vector<bool> descendantsAndSpouses(const GedcomData& data, int root)
{
    std::vector<bool> found(data.persons.size());
    std::vector<int> waiting{root};
    found[std::size_t(root)] = true;
    while (!waiting.empty()) {
        const int person = waiting.back();
        waiting.pop_back();
        for (const int f : data.persons[std::size_t(person)].spouseIn) {
            const GedcomFamily& family = data.families[std::size_t(f)];
            for (const int partner : {family.husband, family.wife})
                if (partner >= 0)
                    found[std::size_t(partner)] = true;
            for (const int child : family.children)
                if (!found[std::size_t(child)]) {
                    found[std::size_t(child)] = true;
                    waiting.push_back(child);
                }
        }
    }
    return found;
}

// The person and their ancestors.
std::vector<bool> ancestorsOf(const GedcomData& data, int person)
{
    std::vector<bool> found(data.persons.size());
    std::vector<int> waiting{person};
    found[std::size_t(person)] = true;
    while (!waiting.empty()) {
        const int child = waiting.back();
        waiting.pop_back();
        for (const int f : data.persons[std::size_t(child)].childOf) {
            const GedcomFamily& family = data.families[std::size_t(f)];
            for (const int parent : {family.husband, family.wife})
                if (parent >= 0 && !found[std::size_t(parent)]) {
                    found[std::size_t(parent)] = true;
                    waiting.push_back(parent);
                }
        }
    }
    return found;
}

// A level with more boxes is no hourglass's waist: a person and their spouses.
constexpr std::size_t maxSpousesOnLevel = 16;

bool allSpousesShown(const GedcomData& data, int person, const std::vector<bool>& shown)
{
    for (const int f : data.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data.families[std::size_t(f)];
        const int partner = family.husband == person ? family.wife : family.husband;
        if (partner >= 0 && !shown[std::size_t(partner)])
            return false;
    }
    return true;
}

bool missesSibling(const GedcomData& data, int person, const std::vector<bool>& shown)
{
    for (const int f : data.persons[std::size_t(person)].childOf)
        for (const int child : data.families[std::size_t(f)].children)
            if (!shown[std::size_t(child)])
                return true;
    return false;
}

struct Match {
    const Person* box;
    int person;
};

// The rule the boxes were written by: of the date styles and languages and
// the titles an import offers, the one whose text most boxes have (the usual
// one on a tie), so that an update takes those boxes as the import's.
DescriptionOptions writtenDescription(const GedcomData& data, const std::vector<Match>& matched)
{
    DescriptionOptions best;
    std::size_t bestCount = 0;
    std::string text;
    for (const DateLanguage language : {DateLanguage::English, DateLanguage::German})
        for (const DateStyle dates : {DateStyle::Short, DateStyle::Long, DateStyle::Raw})
            for (const bool titles : {false, true}) {
                const DescriptionOptions options{
                    .dates = dates, .dateLanguage = language, .titles = titles};
                std::size_t count = 0;
                for (const Match& m : matched) {
                    describeBox(data, m.person, options, text, {});
                    count += text == m.box->text;
                }
                if (count > bestCount) {
                    best = options;
                    bestCount = count;
                }
            }
    return best;
}

// The layout the linked boxes show, and its root; kind stays unset when no
// rule fits.
struct Shape {
    std::optional<LayoutKind> kind;
    const Match* root = nullptr;
};

const Match* topLeft(const std::vector<Match>& matched)
{
    const Match* best = nullptr;
    for (const Match& m : matched)
        if (!best || m.box->level() < best->box->level() ||
            (m.box->level() == best->box->level() && m.box->column() < best->box->column()))
            best = &m;
    return best;
}

bool allIn(const std::vector<Match>& matched, const std::vector<bool>& persons)
{
    return std::all_of(matched.begin(), matched.end(),
                       [&](const Match& m) { return persons[std::size_t(m.person)]; });
}

Shape shapeOf(const Chart& chart, const GedcomData& data, const std::vector<Match>& matched)
{
    // Ancestors: the lowest box alone on its level under a parent of its
    // person, every other person an ancestor.
    const Match* lowest = nullptr;
    for (const Match& m : matched)
        if (!lowest || m.box->level() > lowest->box->level() ||
            (m.box->level() == lowest->box->level() && m.box->column() < lowest->box->column()))
            lowest = &m;
    std::map<int, std::vector<const Match*>> byLevel;
    for (const Match& m : matched)
        byLevel[m.box->level()].push_back(&m);
    if (byLevel[lowest->box->level()].size() == 1)
        if (const Person* parent = chart.tree().findParent(lowest->box))
            for (const Match& m : matched)
                if (m.box == parent && data.isParent(m.person, lowest->person) &&
                    allIn(matched, ancestorsOf(data, lowest->person)))
                    return {LayoutKind::Ancestors, lowest};
    std::vector<bool> persons(data.persons.size());
    for (const Match& m : matched)
        persons[std::size_t(m.person)] = true;
    // An hourglass: the root and its spouses alone on their level, a parent
    // above, and a brother or sister missing (a descendants chart shows them);
    // the lowest such level, as the root's parents are a couple alone too.
    for (auto level = byLevel.rbegin(); level != byLevel.rend(); ++level) {
        const auto above = std::next(level);
        if (above == byLevel.rend() || level->second.size() > maxSpousesOnLevel)
            continue;
        for (const Match* root : level->second) {
            const bool spousesOnly =
                std::all_of(level->second.begin(), level->second.end(), [&](const Match* m) {
                    return m == root || areSpouses(data, m->person, root->person);
                });
            const bool parentAbove =
                above->first == level->first - 1 &&
                std::any_of(above->second.begin(), above->second.end(),
                            [&](const Match* m) { return data.isParent(m->person, root->person); });
            if (spousesOnly && parentAbove && missesSibling(data, root->person, persons))
                return {LayoutKind::Hourglass, root};
        }
    }
    // Descendants: everyone descends from the top-left person or married one
    // who does, and the top-left person's spouses stand beside them.
    const Match* top = topLeft(matched);
    if (allIn(matched, descendantsAndSpouses(data, top->person)) &&
        allSpousesShown(data, top->person, persons))
        return {LayoutKind::Descendants, top};
    // A person alone at the bottom is rather an ancestors chart's root.
    if (byLevel.rbegin()->second.size() == 1)
        return {LayoutKind::Ancestors, lowest};
    return {std::nullopt, top};
}

// Links each continuation box to the person whose branch it cuts (the linked
// box next to it in its column, above it when it points down), with the
// import's count for that cut: a box that shows other text is the user's.
void linkContinuations(Chart& chart, const GedcomData& data, const ChartTarget& target,
                       const std::unordered_map<const Person*, int>& personOfBox)
{
    std::unordered_map<std::uint64_t, const std::string*> importTexts;
    for (std::size_t i = 0; i < target.plan.size(); ++i)
        if (target.cuts[i] >= 0)
            importTexts.emplace(cutKey(target.cuts[i], target.plan[i].direction), &target.texts[i]);
    Tree& tree = chart.mutableTree();
    tree.forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Continuation)
            return;
        const Cell next{box->column(), box->level() + (box->direction() == 2 ? -1 : 1)};
        const auto found = personOfBox.find(tree.findPerson(next));
        if (found == personOfBox.end())
            return;
        const auto text = importTexts.find(cutKey(found->second, box->direction()));
        tree.mutableRecords().set(
            box, {std::string(data.persons[std::size_t(found->second)].xref),
                  textFingerprint(text != importTexts.end() ? *text->second : box->text)});
    });
}

// The chart's person boxes that name exactly one person of the file, with the
// levels they take; the others listed as unmatched.
struct BoxMatches {
    std::vector<Match> matched;
    std::vector<UpdatedBox> unmatched;
    int firstLevel = 0, lastLevel = -1;
};

BoxMatches matchBoxes(const Chart& chart, const GedcomData& data)
{
    const PersonsByName byName(data);
    BoxMatches found;
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Person)
            return;
        if (const int person = byName.find(box->text); person >= 0) {
            found.matched.push_back({box, person});
            found.firstLevel = found.lastLevel < found.firstLevel
                                   ? box->level()
                                   : std::min(found.firstLevel, box->level());
            found.lastLevel = std::max(found.lastLevel, box->level());
        } else {
            found.unmatched.push_back({std::string(firstLine(box->text)), "", box->cell(), box,
                                       placeName(chart, box->cell()),
                                       generationNumber(chart, box->level())});
        }
    });
    return found;
}

// The root given, else the one the shape tells, else the top-left box (for
// ancestors the lowest); null when the root given has no box.
const Match* chooseRoot(const std::vector<Match>& matched, LayoutKind kind, const Shape& shape,
                        int chosen)
{
    if (chosen < 0 && shape.kind == kind && shape.root)
        return shape.root;
    const Match* root = nullptr;
    const bool fromBottom = kind == LayoutKind::Ancestors;
    for (const Match& m : matched) {
        if (chosen >= 0 && m.person != chosen)
            continue;
        const int level = fromBottom ? -m.box->level() : m.box->level();
        const int rootLevel = root ? (fromBottom ? -root->box->level() : root->box->level()) : 0;
        if (!root || level < rootLevel ||
            (level == rootLevel && m.box->column() < root->box->column()))
            root = &m;
    }
    return root;
}

// The generations the linked boxes take, unless the choices give them.
void countGenerations(ChartLinking& result, const LinkChoices& choices, const BoxMatches& boxes,
                      int rootLevel)
{
    const auto clamped = [](int levels) { return std::clamp(levels, 1, maxGenerations); };
    if (result.kind == LayoutKind::Hourglass) {
        result.ancestorGenerations =
            choices.ancestorGenerations.value_or(clamped(rootLevel - boxes.firstLevel + 1));
        result.generations = choices.generations.value_or(clamped(boxes.lastLevel - rootLevel + 1));
    } else {
        result.generations =
            choices.generations.value_or(clamped(boxes.lastLevel - boxes.firstLevel + 1));
        result.ancestorGenerations = result.generations;
    }
}

// Links each matched box (and the continuation boxes beside them) to its
// person's record, and the chart to the family file with the options.
void writeLinks(Chart& chart, const GedcomData& data, const std::vector<Match>& matched,
                const ImportOptions& options, const std::string& familyPath)
{
    FamilyLink link = familyLinkFor(data, options, familyPath);
    // Linked, the chart has not yet taken in the file's persons: the first
    // update must read it.
    link.fileFingerprint = 0;
    RecordLinks& records = chart.mutableTree().mutableRecords();
    records.clear();
    std::string text;
    std::unordered_map<const Person*, int> personOfBox;
    for (const Match& m : matched) {
        // The import's text for the person: a box that shows other text is the user's.
        describeBox(data, m.person, options.description, text, {});
        records.set(m.box,
                    {std::string(data.persons[std::size_t(m.person)].xref), textFingerprint(text)});
        personOfBox.emplace(m.box, m.person);
    }
    linkContinuations(chart, data, chartTarget(data, options), personOfBox);
    chart.setFamilyLink(link);
}

ChartLinking noBoxMatches(std::vector<UpdatedBox> unmatched)
{
    ChartLinking failed = Result::failure(
        Result::Failed,
        STIRPA_TR_NOOP("Message", "No box of the chart names a person of the file."));
    failed.unmatched = std::move(unmatched);
    return failed;
}

} // namespace

ChartLinking linkChart(Chart& chart, const GedcomData& data, const std::string& familyPath,
                       const LinkChoices& choices)
{
    BoxMatches boxes = matchBoxes(chart, data);
    if (boxes.matched.empty())
        return noBoxMatches(std::move(boxes.unmatched));
    ChartLinking result;
    const Shape shape = shapeOf(chart, data, boxes.matched);
    result.kind = choices.kind.value_or(shape.kind.value_or(LayoutKind::Descendants));
    const Match* root = chooseRoot(boxes.matched, result.kind, shape, choices.root);
    if (!root)
        return noBoxMatches(std::move(boxes.unmatched));
    result.root = root->person;
    countGenerations(result, choices, boxes, root->box->level());

    ImportOptions options;
    options.layout = {result.root, result.kind, result.generations, result.ancestorGenerations};
    options.description = writtenDescription(data, boxes.matched);
    writeLinks(chart, data, boxes.matched, options, familyPath);
    result.linked = int(boxes.matched.size());
    result.unmatched = std::move(boxes.unmatched);
    return result;
}
