// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/living_persons.h"

namespace {

constexpr int livingYears = 100;
constexpr int parentYears = 80;

// The last day the birth (else the christening) date can mean; 0 with neither.
long latestBirth(const GedcomPerson& person)
{
    const long born = latestOrder(person.birth.date);
    return born ? born : latestOrder(person.christening.date);
}

bool hasYoungChild(const GedcomData& data, const GedcomPerson& person, long after)
{
    for (const int f : person.spouseIn)
        for (const int child : data.families[std::size_t(f)].children)
            if (latestBirth(data.persons[std::size_t(child)]) > after)
                return true;
    return false;
}

} // namespace

std::vector<bool> livingPersons(const GedcomData& data, const CalendarDate& today)
{
    const long bornAfter = yearsBefore(today, livingYears);
    const long childBornAfter = yearsBefore(today, parentYears);
    std::vector<bool> living(data.persons.size(), false);
    for (std::size_t p = 0; p < data.persons.size(); ++p) {
        const GedcomPerson& person = data.persons[p];
        if (person.restricted) {
            living[p] = true;
            continue;
        }
        if (person.death.recorded || person.burial.recorded)
            continue;
        const long born = latestBirth(person);
        living[p] = born ? born > bornAfter : hasYoungChild(data, person, childBornAfter);
    }
    return living;
}

int livingCount(const std::vector<PlannedBox>& plan, const std::vector<bool>& living)
{
    std::vector<bool> counted(living.size(), false);
    int count = 0;
    for (const PlannedBox& box : plan) {
        const auto p = std::size_t(box.person);
        if (box.person >= 0 && p < living.size() && living[p] && !counted[p]) {
            counted[p] = true;
            ++count;
        }
    }
    return count;
}
