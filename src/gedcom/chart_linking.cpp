// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/chart_linking.h"

#include "gedcom/family_link_options.h"
#include "gedcom/gedcom_date.h"
#include "gedcom/person_description.h"
#include "model/description_lines.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::string firstLine(const std::string& text)
{
    const std::vector<std::string_view> lines = descriptionLines(text);
    std::string line(lines.empty() ? std::string_view() : lines[0]);
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// The year of a "b. " (else "chr. ") line, or 0 when the box shows none.
int shownBirthYear(const std::string& text)
{
    for (const char* tag : {"b. ", "chr. "})
        for (const std::string_view line : descriptionLines(text))
            if (line.starts_with(tag)) {
                const std::string_view rest = line.substr(std::string_view(tag).size());
                for (std::size_t i = 0; i + 4 <= rest.size(); ++i)
                    if (std::all_of(rest.begin() + long(i), rest.begin() + long(i) + 4,
                                    [](char c) { return c >= '0' && c <= '9'; }) &&
                        (i + 4 == rest.size() || rest[i + 4] < '0' || rest[i + 4] > '9'))
                        return std::stoi(std::string(rest.substr(i, 4)));
            }
    return 0;
}

int birthYear(const GedcomPerson& person)
{
    const GedcomEvent& event = person.birth.date.empty() ? person.christening : person.birth;
    return shownBirthYear("b. " + std::string(event.date));
}

bool isParentOf(const GedcomData& data, int parent, int child)
{
    for (const int f : data.persons[std::size_t(child)].childOf) {
        const GedcomFamily& family = data.families[std::size_t(f)];
        if (family.husband == parent || family.wife == parent)
            return true;
    }
    return false;
}

} // namespace

ChartLinking linkChart(Chart& chart, const GedcomData& data, const std::string& familyPath,
                       const LinkChoices& choices)
{
    std::unordered_map<std::string, std::vector<int>> byName;
    for (std::size_t i = 0; i < data.persons.size(); ++i)
        byName[displayName(data.persons[i])].push_back(int(i));

    ChartLinking result;
    std::vector<std::pair<const Person*, int>> matched;
    int firstLevel = 0, lastLevel = -1;
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->kind() != 'P')
            return;
        const std::string name = firstLine(box->text);
        const auto found = byName.find(name);
        const int year = shownBirthYear(box->text);
        int match = -1, count = 0;
        if (found != byName.end())
            for (const int person : found->second)
                if (year == 0 || birthYear(data.persons[std::size_t(person)]) == year) {
                    match = person;
                    ++count;
                }
        if (count == 1) {
            matched.push_back({box, match});
            firstLevel = lastLevel < firstLevel ? box->level() : std::min(firstLevel, box->level());
            lastLevel = std::max(lastLevel, box->level());
        } else
            result.unmatched.push_back({name, "", box->cell(), box});
    });

    // Ancestors when the lowest linked box stands alone on its level under a
    // parent of its person: the root is at the bottom then, else top-left.
    const Person* lowest = nullptr;
    int onLowestLevel = 0;
    for (const auto& [box, person] : matched) {
        if (!lowest || box->level() > lowest->level() ||
            (box->level() == lowest->level() && box->column() < lowest->column()))
            lowest = box;
    }
    for (const auto& [box, person] : matched)
        onLowestLevel += lowest && box->level() == lowest->level();
    result.kind = LayoutKind::Descendants;
    if (lowest && onLowestLevel == 1)
        if (const Person* parent = chart.tree().findParent(lowest))
            for (const auto& [box, person] : matched)
                if (box == parent)
                    for (const auto& [low, child] : matched)
                        if (low == lowest && isParentOf(data, person, child))
                            result.kind = LayoutKind::Ancestors;
    result.kind = choices.kind.value_or(result.kind);
    const bool fromBottom = result.kind == LayoutKind::Ancestors;
    result.root = choices.root;
    const Person* rootBox = nullptr;
    for (const auto& [box, person] : matched) {
        if (choices.root >= 0 && person != choices.root)
            continue;
        const int level = fromBottom ? -box->level() : box->level();
        const int rootLevel = rootBox ? (fromBottom ? -rootBox->level() : rootBox->level()) : 0;
        if (!rootBox || level < rootLevel ||
            (level == rootLevel && box->column() < rootBox->column())) {
            rootBox = box;
            result.root = person;
        }
    }
    if (result.root < 0)
        return {Result::failure(
                    Result::Failed,
                    STIRPA_TR_NOOP("Message", "No box of the chart names a person of the file.")),
                0, std::move(result.unmatched)};
    result.generations =
        choices.generations.value_or(std::clamp(lastLevel - firstLevel + 1, 1, maxGenerations));

    ImportOptions options;
    options.layout = {result.root, result.kind, result.generations};
    FamilyLink link = familyLinkFor(data, options, familyPath);
    // Linked, the chart has not yet taken in the file's persons: the first
    // update must read it.
    link.fileFingerprint = 0;
    RecordLinks& records = chart.mutableTree().mutableRecords();
    records.clear();
    std::string text;
    for (const auto& [box, person] : matched) {
        // The import's text for the person: a box that shows other text is the user's.
        describePerson(data, person, options.description, text);
        records.set(box,
                    {std::string(data.persons[std::size_t(person)].xref), textFingerprint(text)});
    }
    chart.setFamilyLink(link);
    result.linked = int(matched.size());
    return result;
}
