// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/chart_bounds.h"
#include "layout/one_sided_kind.h"

namespace {

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

class DescendantsKind final : public OneSidedKind {
public:
    LayoutKind kind() const override { return LayoutKind::Descendants; }
    const char* name() const override { return "descendants"; }
    std::string describe(const ShownGenerations& shown, const LayoutPhrases& phrases) const override
    {
        return phrases.descendants(shown.generations);
    }

    std::vector<PlannedBox> plan(const GedcomData& data,
                                 const LayoutRequest& request) const override
    {
        return planDescendants(data, request, {});
    }
    std::vector<PlannedBox> sidePlan(const GedcomData& data, const LayoutRequest& request,
                                     const std::function<bool(int)>& elsewhere) const override
    {
        return planDescendants(data, request, elsewhere);
    }
    bool splitsIntoBook() const override { return true; }
    Direction branchDirection() const override { return Direction::Down; }

    std::vector<double> chartBounds(const GedcomData& data,
                                    const LayoutRequest& request) const override
    {
        return descendantBounds(data, request.generations);
    }

    // Everyone descends from the top-left person or married one who does, and
    // the top-left person's spouses stand beside them.
    const LinkedBox* shapeRoot(const LinkedShape& shape) const override
    {
        const LinkedBox* top = shape.topLeft;
        return shape.allAmong(descendantsAndSpouses(shape.data, top->person)) &&
                       allSpousesShown(shape.data, top->person, shape.shown)
                   ? top
                   : nullptr;
    }
    bool rootAtBottom() const override { return false; }
};

} // namespace

const ChartKind& descendantsKind()
{
    static const DescendantsKind kind;
    return kind;
}
