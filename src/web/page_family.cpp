// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_family.h"

#include "gedcom/gedcom_data.h"
#include "layout/person_description.h"
#include "model/chart.h"
#include "web/data_pieces.h"

#include <algorithm>

namespace {

int parentOf(const GedcomData& data, int person, bool father)
{
    const std::vector<int>& families = data.persons[std::size_t(person)].childOf;
    if (families.empty())
        return -1;
    const GedcomFamily& family = data.families[std::size_t(families.front())];
    return father ? family.husband : family.wife;
}

template <typename Visit> void forEachSpouse(const GedcomData& data, int person, Visit visit)
{
    for (const int f : data.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data.families[std::size_t(f)];
        const int other = family.husband == person ? family.wife : family.husband;
        if (other >= 0 && other != person)
            visit(other);
    }
}

} // namespace

PageFamily::PageFamily(const GedcomData& data, const std::vector<const Chart*>& charts,
                       std::vector<bool> hidden)
    : data_(data), hidden_(std::move(hidden)), place_(data.persons.size(), -1)
{
    std::vector<char> taken(data.persons.size(), 0);
    std::vector<int> work;
    auto take = [&](int person) {
        if (person >= 0 && !taken[std::size_t(person)]) {
            taken[std::size_t(person)] = 1;
            work.push_back(person);
        }
    };
    for (const Chart* chart : charts)
        chart->tree().forEachPerson([&](const Person* box) {
            if (const RecordLink* link = chart->tree().records().find(box))
                take(data.findPerson(link->xref));
        });
    const std::size_t inCharts = work.size();
    for (std::size_t k = 0; k < inCharts; ++k)
        forEachSpouse(data, work[k], take);
    // Every ancestor, each taken once: linear in the persons taken.
    for (std::size_t k = 0; k < work.size(); ++k) {
        take(parentOf(data, work[k], true));
        take(parentOf(data, work[k], false));
    }
    for (std::size_t p = 0; p < taken.size(); ++p)
        if (taken[p]) {
            place_[p] = int(persons_.size());
            persons_.push_back(int(p));
        }
}

int PageFamily::indexOf(std::string_view xref) const
{
    const int person = data_.findPerson(xref);
    return person < 0 ? -1 : place_[std::size_t(person)];
}

void PageFamily::write(PieceBuffer& out) const
{
    const std::size_t n = persons_.size();
    auto person = [&](std::size_t k) -> const GedcomPerson& {
        return data_.persons[std::size_t(persons_[k])];
    };
    auto placePlusOne = [&](int p) { return p < 0 ? 0LL : place_[std::size_t(p)] + 1LL; };
    out.text() += "{\"count\":" + std::to_string(n);
    writeTexts(out, "ids", n, [&](std::size_t k) { return std::string(person(k).xref); });
    writeTexts(out, "names", n, [&](std::size_t k) {
        const std::size_t p = std::size_t(persons_[k]);
        // The words a chart writes for a person it keeps from view.
        return p < hidden_.size() && hidden_[p] ? std::string("Living") : displayName(person(k));
    });
    writeTexts(out, "sexes", 1, [&](std::size_t) {
        std::string sexes;
        for (std::size_t k = 0; k < n; ++k)
            sexes += person(k).sex == 'M' ? 'M' : person(k).sex == 'F' ? 'F' : 'U';
        return sexes;
    });
    writeNumbers(out, "fathers", n,
                 [&](std::size_t k) { return placePlusOne(parentOf(data_, persons_[k], true)); });
    writeNumbers(out, "mothers", n,
                 [&](std::size_t k) { return placePlusOne(parentOf(data_, persons_[k], false)); });
    std::vector<long long> spouses, counts(n, 0);
    for (std::size_t k = 0; k < n; ++k)
        forEachSpouse(data_, persons_[k], [&](int other) {
            if (place_[std::size_t(other)] >= 0) {
                spouses.push_back(place_[std::size_t(other)] + 1LL);
                ++counts[k];
            }
        });
    writeNumbers(out, "spouseCounts", n, [&](std::size_t k) { return counts[k]; });
    writeNumbers(out, "spouses", spouses.size(), [&](std::size_t k) { return spouses[k]; });
    out.text() += "}";
}
