// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/root_person.h"

#include <cstdint>

namespace {

// Each person's descendants, counted once per line of descent, by a walk down
// every family that keeps its own stack: a line may be thousands deep.
std::vector<double> descendantCounts(const GedcomData& data)
{
    enum : std::uint8_t { New, Open, Done };
    const std::size_t count = data.persons.size();
    std::vector<double> descendants(count, 0);
    std::vector<std::uint8_t> state(count, New);
    struct Step {
        int person;
        std::size_t family = 0; // the next of the person's families to go through
        std::size_t child = 0;  // and the next child in it
    };
    std::vector<Step> stack;
    for (std::size_t start = 0; start < count; ++start) {
        if (state[start] != New)
            continue;
        state[start] = Open;
        stack.push_back({int(start)});
        while (!stack.empty()) {
            Step& step = stack.back();
            const GedcomPerson& person = data.persons[std::size_t(step.person)];
            if (step.family == person.spouseIn.size()) {
                state[std::size_t(step.person)] = Done;
                const int finished = step.person;
                stack.pop_back();
                if (!stack.empty())
                    descendants[std::size_t(stack.back().person)] +=
                        1 + descendants[std::size_t(finished)];
                continue;
            }
            const std::vector<int>& children =
                data.families[std::size_t(person.spouseIn[step.family])].children;
            if (step.child == children.size()) {
                ++step.family;
                step.child = 0;
                continue;
            }
            const int child = children[step.child++];
            if (state[std::size_t(child)] == Done) {
                descendants[std::size_t(step.person)] += 1 + descendants[std::size_t(child)];
            } else if (state[std::size_t(child)] == New) {
                state[std::size_t(child)] = Open;
                stack.push_back({child});
            } // an open child is the person's own ancestor: a loop
        }
    }
    return descendants;
}

} // namespace

int defaultRoot(const GedcomData& data)
{
    if (data.home >= 0)
        return data.home;
    const std::vector<double> descendants = descendantCounts(data);
    int best = data.persons.empty() ? -1 : 0;
    for (std::size_t p = 1; p < descendants.size(); ++p)
        if (descendants[p] > descendants[std::size_t(best)])
            best = int(p);
    return best;
}

std::vector<int> personsNamed(const GedcomData& data, const PersonFilter& filter,
                              std::string_view text)
{
    if (const int record = text.empty() ? -1 : data.findPerson(text); record >= 0)
        return {record};
    std::vector<int> found = filter.matching(text, PersonFilter::Scope::Name);
    if (found.size() > 1) {
        const std::vector<int> whole = filter.withWholeName(text, found);
        if (whole.size() == 1)
            return whole;
    }
    return found;
}
