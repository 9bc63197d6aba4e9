// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/root_person.h"

#include "gedcom/gedcom_date.h"
#include "layout/chart_kind.h"

#include <algorithm>
#include <climits>

namespace {

// The laid-out charts that confirm the ranking: enough for the few close
// bounds real files have, few enough to stay quick on any.
constexpr int maxExactCounts = 8;

std::size_t chartPersons(const GedcomData& data, LayoutRequest layout, int root)
{
    layout.root = root;
    const std::vector<PlannedBox> plan = chartKind(layout.kind).plan(data, layout);
    return std::size_t(std::count_if(plan.begin(), plan.end(),
                                     [](const PlannedBox& box) { return box.person >= 0; }));
}

// Orders births, the unknown last.
long bornOrder(const GedcomPerson& person)
{
    const long born =
        dateOrder(person.birth.date.empty() ? person.christening.date : person.birth.date);
    return born > 0 ? born : LONG_MAX;
}

} // namespace

DefaultRoot defaultRoot(const GedcomData& data, const LayoutRequest& layout)
{
    if (data.home >= 0)
        return {data.home, true, 0};
    const std::vector<double> bounds = chartKind(layout.kind).chartBounds(data, layout);
    // The candidates, the highest bound on top, then the first in the file; a
    // heap, made in one pass, gives the few looked at without a sort.
    std::vector<int> candidates(bounds.size());
    for (std::size_t p = 0; p < candidates.size(); ++p)
        candidates[p] = int(p);
    const auto lower = [&](int a, int b) {
        return bounds[std::size_t(a)] < bounds[std::size_t(b)] ||
               (bounds[std::size_t(a)] == bounds[std::size_t(b)] && a > b);
    };
    std::make_heap(candidates.begin(), candidates.end(), lower);
    DefaultRoot best;
    long bestBorn = LONG_MAX;
    for (int counted = 0; counted < maxExactCounts && !candidates.empty(); ++counted) {
        std::pop_heap(candidates.begin(), candidates.end(), lower);
        const int candidate = candidates.back();
        candidates.pop_back();
        if (bounds[std::size_t(candidate)] < double(best.persons))
            break;
        const std::size_t persons = chartPersons(data, layout, candidate);
        const long born = bornOrder(data.persons[std::size_t(candidate)]);
        if (persons > best.persons || (persons == best.persons && born < bestBorn)) {
            best = {candidate, false, persons};
            bestBorn = born;
        }
    }
    return best;
}

std::vector<int> personsNamed(const GedcomData& data, const PersonFilter& filter,
                              std::string_view text, std::size_t* others)
{
    if (const int record = text.empty() ? -1 : data.findPerson(text); record >= 0)
        return {record};
    std::vector<int> found = filter.matching(text, PersonFilter::Scope::Name);
    if (found.size() > 1) {
        const std::vector<int> whole = filter.withWholeName(text, found);
        if (whole.size() == 1) {
            if (others)
                *others = found.size() - 1;
            return whole;
        }
    }
    return found;
}
