// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/chart_linking.h"

#include "family/chart_update.h"
#include "layout/family_link_options.h"
#include "layout/chart_import.h"
#include "layout/chart_kind.h"
#include "gedcom/gedcom_date.h"
#include "layout/person_description.h"
#include "layout/person_identity.h"
#include "model/description_lines.h"
#include "model/place_name.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The rule the boxes were written by: of the date styles and languages and
// the titles an import offers, the one whose text most boxes have (the usual
// one on a tie), so that an update takes those boxes as the import's.
DescriptionOptions writtenDescription(const GedcomData& data, const std::vector<LinkedBox>& matched)
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
// import's count for that cut: a box that shows other text is the user's.
void linkContinuations(Chart& chart, const GedcomData& data, const ChartTarget& target,
                       const std::unordered_map<const Person*, int>& personOfBox)
{
    std::unordered_map<std::uint64_t, const std::string*> importTexts;
    for (const TargetBox& box : target.boxes)
        if (box.cut >= 0)
            importTexts.emplace(cutKey(box.cut, box.planned.direction), &box.text);
    Tree& tree = chart.mutableTree();
    tree.forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Continuation)
            return;
        const Direction direction = directionOf(box->direction());
        const Cell next{box->column(), box->level() + (direction == Direction::Down ? -1 : 1)};
        const auto found = personOfBox.find(tree.findPerson(next));
        if (found == personOfBox.end())
            return;
        const auto text = importTexts.find(cutKey(found->second, direction));
        tree.mutableRecords().set(
            box, {std::string(data.persons[std::size_t(found->second)].xref),
                  textFingerprint(text != importTexts.end() ? *text->second : box->text)});
    });
}

} // namespace

ChartLinking linkChart(Chart& chart, const GedcomData& data, const std::string& familyPath,
                       const LinkChoices& choices)
{
    const PersonsByName byName(data);

    ChartLinking result;
    std::vector<LinkedBox> matched;
    int firstLevel = 0, lastLevel = -1;
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Person)
            return;
        if (const int person = byName.find(box->text); person >= 0) {
            matched.push_back({box, person});
            firstLevel = lastLevel < firstLevel ? box->level() : std::min(firstLevel, box->level());
            lastLevel = std::max(lastLevel, box->level());
        } else {
            result.unmatched.push_back({std::string(firstLine(box->text)), "", box->cell(), box,
                                        placeName(chart, box->cell()),
                                        generationNumber(chart, box->level())});
        }
    });
    if (matched.empty())
        return {Result::failure(
                    Result::Failed,
                    STIRPA_TR_NOOP("Message", "No box of the chart names a person of the file.")),
                0, std::move(result.unmatched)};

    const ShapeGuess shape = guessShape(LinkedShape(chart.tree(), data, matched));
    result.kind = choices.kind.value_or(shape.kind.value_or(LayoutKind::Descendants));
    const ChartKind& kind = chartKind(result.kind);
    // The root given, else the one the shape tells, else the top-left box
    // (for ancestors the lowest).
    const LinkedBox* root = shape.kind == result.kind ? shape.root : nullptr;
    if (choices.root >= 0 || !root) {
        root = nullptr;
        const bool fromBottom = kind.rootAtBottom();
        for (const LinkedBox& m : matched) {
            if (choices.root >= 0 && m.person != choices.root)
                continue;
            const int level = fromBottom ? -m.box->level() : m.box->level();
            const int rootLevel =
                root ? (fromBottom ? -root->box->level() : root->box->level()) : 0;
            if (!root || level < rootLevel ||
                (level == rootLevel && m.box->column() < root->box->column()))
                root = &m;
        }
    }
    if (!root)
        return {Result::failure(
                    Result::Failed,
                    STIRPA_TR_NOOP("Message", "No box of the chart names a person of the file.")),
                0, std::move(result.unmatched)};
    result.root = root->person;
    const ShownGenerations shown =
        kind.shownGenerations(firstLevel, root->box->level(), lastLevel, choices.generations,
                              choices.ancestorGenerations);
    result.generations = shown.generations;
    result.ancestorGenerations = shown.ancestorGenerations;

    ImportOptions options;
    options.layout = {result.root, result.kind, result.generations, result.ancestorGenerations};
    options.description = writtenDescription(data, matched);
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
    result.linked = int(matched.size());
    return result;
}
