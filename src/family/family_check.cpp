// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/family_check.h"

#include "base/parallel.h"
#include "layout/person_identity.h"
#include "model/place_name.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace {

// A person of the charts: their record's number and what their first box
// that shows anyone shows; the file's person of that number, whether the
// number is as the file writes it, and whether the box names the person.
struct ShownPerson {
    std::string_view xref;
    std::string_view text;
    int numbered = -1;
    bool written = false;
    bool named = false;
};

// Every linked box that shows anyone, its record looked up in the file.
std::vector<ShownPerson> linkedBoxes(const std::vector<const Chart*>& charts,
                                     const GedcomData& data)
{
    std::vector<ShownPerson> boxes;
    for (const Chart* chart : charts)
        chart->tree().forEachPerson([&](const Person* box) {
            const RecordLink* record = chart->tree().records().find(box);
            if (box->kind() == BoxKind::Person && record && !hidesIdentity(box->text))
                boxes.push_back({record->xref, box->text});
        });
    // In parts at once: each writes only its own boxes.
    const std::size_t parts = parallelParts(boxes.size(), std::size_t(1) << 13);
    runInParallel(parts, [&](std::size_t part) {
        const std::size_t end = boxes.size() * (part + 1) / parts;
        const std::size_t begin = boxes.size() * part / parts;
        // The index is larger than the processor's caches: what a box needs
        // is fetched a few boxes ahead.
        constexpr std::size_t ahead = 16;
        for (std::size_t i = begin; i < end; ++i) {
            if (data.personIndex && i + ahead < end)
                data.personIndex->prefetch(XrefKey(boxes[i + ahead].xref));
            ShownPerson& box = boxes[i];
            box.numbered = data.findPerson(box.xref);
            box.written =
                box.numbered >= 0 && data.persons[std::size_t(box.numbered)].xref == box.xref;
        }
    });
    return boxes;
}

// Each person of the charts once, by their first box. A number as the file
// writes it stands for one person, so those are told apart without hashing.
std::vector<ShownPerson> shownPersons(const std::vector<const Chart*>& charts,
                                      const GedcomData& data)
{
    std::vector<ShownPerson> persons;
    std::vector<char> seen(data.persons.size());
    std::unordered_set<std::string_view> unknown;
    for (const ShownPerson& box : linkedBoxes(charts, data))
        if (box.written ? !std::exchange(seen[std::size_t(box.numbered)], 1)
                        : unknown.insert(box.xref).second)
            persons.push_back(box);
    return persons;
}

// Tells whether each person's box names the person of its number, in order,
// until more than half do (all that decides then) or every one is told.
// Returns how many do; those not told are left unnamed.
std::size_t confirmNames(std::vector<ShownPerson>& persons, const GedcomData& data,
                         bool keepUnderscores)
{
    std::size_t confirmed = 0;
    for (std::size_t begin = 0; begin < persons.size() && 2 * confirmed <= persons.size();) {
        // At least as many as are still wanting, and enough to share out.
        const std::size_t wanting = persons.size() / 2 + 1 - confirmed;
        const std::size_t end =
            std::min(persons.size(), begin + std::max(wanting, std::size_t(1) << 13));
        const std::size_t parts = parallelParts(end - begin, std::size_t(1) << 13);
        runInParallel(parts, [&](std::size_t part) {
            const std::size_t count = end - begin;
            const std::size_t last = begin + count * (part + 1) / parts;
            // The persons are larger than the processor's caches: each is
            // fetched a few boxes ahead.
            constexpr std::size_t ahead = 16;
            for (std::size_t i = begin + count * part / parts; i < last; ++i) {
                if (i + ahead < last && persons[i + ahead].numbered >= 0)
                    __builtin_prefetch(&data.persons[std::size_t(persons[i + ahead].numbered)]);
                ShownPerson& person = persons[i];
                person.named = person.numbered >= 0 &&
                               namesPerson(data, person.text, person.numbered, keepUnderscores);
            }
        });
        confirmed +=
            std::size_t(std::count_if(persons.begin() + long(begin), persons.begin() + long(end),
                                      [](const ShownPerson& p) { return p.named; }));
        begin = end;
    }
    return confirmed;
}

} // namespace

FamilyCheck checkFamily(const std::vector<const Chart*>& charts, const GedcomData& data,
                        const std::string& shownPath)
{
    if (charts.empty())
        return {};
    const bool keepUnderscores = charts.front()->familyLink().keepUnderscores;
    std::vector<ShownPerson> persons = shownPersons(charts, data);
    if (2 * confirmNames(persons, data, keepUnderscores) > persons.size() || persons.empty())
        return {};
    std::vector<int> found;
    for (const ShownPerson& person : persons)
        found.push_back(person.named ? person.numbered : -1);

    // A person found by two boxes of different records is neither's.
    const PersonsByName byName(data, keepUnderscores);
    std::vector<int> claims(data.persons.size());
    for (std::size_t i = 0; i < persons.size(); ++i) {
        if (found[i] < 0)
            found[i] = byName.find(persons[i].text);
        if (found[i] >= 0)
            ++claims[std::size_t(found[i])];
    }
    std::size_t foundCount = 0;
    bool renumbers = false;
    FamilyCheck check;
    for (std::size_t i = 0; i < persons.size(); ++i)
        if (found[i] >= 0 && claims[std::size_t(found[i])] == 1) {
            ++foundCount;
            const std::string_view xref = data.persons[std::size_t(found[i])].xref;
            renumbers = renumbers || xref != persons[i].xref;
            check.renumbering.emplace(persons[i].xref, xref);
        }
    if (!renumbers)
        check.renumbering.clear();
    if (2 * (persons.size() - foundCount) > persons.size())
        return Result::failure(
            Result::Failed,
            STIRPA_TR_NOOP("Message",
                           "%1 does not hold this chart's family: %2 of %3 persons found"),
            {shownPath, std::to_string(foundCount), std::to_string(persons.size())});
    return check;
}

void renumberChart(Chart& chart, const std::unordered_map<std::string, std::string>& renumbering,
                   ChartUpdateReport& report)
{
    RecordLinks& records = chart.mutableTree().mutableRecords();
    chart.tree().forEachPerson([&](const Person* box) {
        RecordLink* record = records.find(box);
        if (!record)
            return;
        const auto found = renumbering.find(record->xref);
        if (found != renumbering.end()) {
            if (record->xref != found->second) {
                record->xref = found->second;
                ++report.renumbered;
            }
            return;
        }
        // Its number may be someone else's now: the box keeps its text only.
        if (box->kind() == BoxKind::Person)
            report.removed.push_back({std::string(firstLine(box->text)), record->xref, box->cell(),
                                      box, placeName(chart, box->cell()),
                                      generationNumber(chart, box->level())});
        records.erase(box);
    });
    FamilyLink link = chart.familyLink();
    if (const auto found = renumbering.find(link.root); found != renumbering.end())
        link.root = found->second;
    chart.setFamilyLink(std::move(link));
}
