// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/chart_linking.h"

#include "family/chart_update.h"
#include "gedcom/gedcom_date.h"
#include "layout/box_colours.h"
#include "layout/chart_import.h"
#include "layout/chart_kind.h"
#include "layout/family_link_options.h"
#include "layout/person_description.h"
#include "layout/person_identity.h"
#include "model/box_words.h"
#include "model/description_lines.h"
#include "model/place_name.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The language most of the program's own words in the chart are in (its
// continuation and see boxes'); English when none tell.
DateLanguage wordsLanguage(const Tree& tree)
{
    long german = 0;
    tree.forEachPerson([&](const Person* box) {
        if (const std::optional<DateLanguage> language = languageOfWords(box->text))
            german += *language == DateLanguage::German ? 1 : -1;
    });
    return german > 0 ? DateLanguage::German : DateLanguage::English;
}

// The rule the boxes were written by: of the date styles and languages and
// the titles an import offers, the one whose text most boxes have (the usual
// one on a tie, in the language of the chart's own words), so that an update
// takes those boxes as the import's.
DescriptionOptions writtenDescription(const GedcomData& data, const std::vector<LinkedBox>& matched,
                                      DateLanguage words)
{
    DescriptionOptions best;
    best.dateLanguage = words;
    std::size_t bestCount = 0;
    std::string text;
    const DateLanguage other =
        words == DateLanguage::German ? DateLanguage::English : DateLanguage::German;
    for (const DateLanguage language : {words, other})
        for (const DateStyle dates : {DateStyle::Short, DateStyle::Long, DateStyle::Raw})
            for (const bool titles : {false, true}) {
                const DescriptionOptions options{
                    .dates = dates, .dateLanguage = language, .titles = titles};
                std::size_t count = 0;
                for (const LinkedBox& m : matched) {
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

// Links each continuation box to the person whose branch it cuts (the linked
// box next to it in its column, above it when it points down), with the
// import's count for that cut, in either language: a box that shows other
// text is the user's.
void linkContinuations(Chart& chart, const GedcomData& data, const ChartTarget& target,
                       const std::unordered_map<const Person*, int>& personOfBox)
{
    std::unordered_map<std::uint64_t, const TargetBox*> importBoxes;
    for (const TargetBox& box : target.boxes)
        if (box.cut >= 0)
            importBoxes.emplace(cutKey(box.cut, box.planned.direction), &box);
    const auto importText = [&](const Person& box, std::uint64_t cut) -> const std::string& {
        const auto found = importBoxes.find(cut);
        if (found == importBoxes.end())
            return box.text;
        const PlannedBox& planned = found->second->planned;
        for (const DateLanguage language : {DateLanguage::English, DateLanguage::German})
            if (box.text == cutOffText(planned.direction, planned.beyond, language))
                return box.text;
        return found->second->text;
    };
    Tree& tree = chart.mutableTree();
    tree.forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Continuation)
            return;
        const Direction direction = directionOf(box->direction());
        const Cell next{box->column(), box->level() + (direction == Direction::Down ? -1 : 1)};
        const auto found = personOfBox.find(tree.findPerson(next));
        if (found == personOfBox.end())
            return;
        tree.mutableRecords().set(
            box, {std::string(data.persons[std::size_t(found->second)].xref),
                  textFingerprint(importText(*box, cutKey(found->second, direction)))});
    });
}

// The chart's person boxes that name exactly one person of the file, with the
// levels they take; the others listed as unmatched.
struct BoxMatches {
    std::vector<LinkedBox> matched;
    std::vector<UpdatedBox> unmatched;
    int firstLevel = 0, lastLevel = -1;
};

BoxMatches matchBoxes(const Chart& chart, const GedcomData& data)
{
    const PersonsByName byName(data);
    BoxMatches found;
    chart.tree().forEachPerson([&](const Person* box) {
        // A see box names its person first, but stands for no one.
        if (box->kind() != BoxKind::Person || seeBoxKey(box->text))
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
const LinkedBox* chooseRoot(const std::vector<LinkedBox>& matched, const ChartKind& kind,
                            const ShapeGuess& shape, int chosen)
{
    if (chosen < 0 && shape.kind == kind.kind() && shape.root)
        return shape.root;
    const LinkedBox* root = nullptr;
    const bool fromBottom = kind.rootAtBottom();
    for (const LinkedBox& m : matched) {
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

// Links each matched box (and the continuation boxes beside them) to its
// person's record, and the chart to the family file with the options.
void writeLinks(Chart& chart, const GedcomData& data, const std::vector<LinkedBox>& matched,
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
    for (const LinkedBox& m : matched) {
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
    const ShapeGuess shape = guessShape(LinkedShape(chart.tree(), data, boxes.matched));
    result.kind = choices.kind.value_or(shape.kind.value_or(LayoutKind::Descendants));
    const ChartKind& kind = chartKind(result.kind);
    const LinkedBox* root = chooseRoot(boxes.matched, kind, shape, choices.root);
    if (!root)
        return noBoxMatches(std::move(boxes.unmatched));
    result.root = root->person;
    const ShownGenerations shown =
        kind.shownGenerations(boxes.firstLevel, root->box->level(), boxes.lastLevel,
                              choices.generations, choices.ancestorGenerations);
    result.generations = shown.generations;
    result.ancestorGenerations = shown.ancestorGenerations;

    ImportOptions options;
    options.layout = {result.root, result.kind, result.generations, result.ancestorGenerations};
    options.description = writtenDescription(data, boxes.matched, wordsLanguage(chart.tree()));
    // Linked again, a chart keeps the colours it had.
    options.colours = chart.familyLink().colours;
    writeLinks(chart, data, boxes.matched, options, familyPath);
    applySchemeColours(chart, data);
    result.linked = int(boxes.matched.size());
    result.unmatched = std::move(boxes.unmatched);
    // Linked, the chart has a language to name places in.
    for (UpdatedBox& entry : result.unmatched)
        entry.place = placeName(chart, entry.cell);
    return result;
}
