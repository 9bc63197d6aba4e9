// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/chart_bounds.h"
#include "layout/one_sided_kind.h"

namespace {

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

class AncestorsKind final : public OneSidedKind {
public:
    LayoutKind kind() const override { return LayoutKind::Ancestors; }
    const char* name() const override { return "ancestors"; }
    std::string describe(const ShownGenerations& shown, const LayoutPhrases& phrases) const override
    {
        return phrases.ancestors(shown.generations);
    }

    std::vector<PlannedBox> plan(const GedcomData& data,
                                 const LayoutRequest& request) const override
    {
        return planAncestors(data, request, {});
    }
    std::vector<PlannedBox> sidePlan(const GedcomData& data, const LayoutRequest& request,
                                     const std::function<bool(int)>& elsewhere) const override
    {
        return planAncestors(data, request, elsewhere);
    }
    bool splitsIntoBook() const override { return true; }
    Direction branchDirection() const override { return Direction::Up; }

    std::vector<double> chartBounds(const GedcomData& data,
                                    const LayoutRequest& request) const override
    {
        return ancestorBounds(data, request.generations);
    }

    // The lowest box alone on its level under a parent of its person, every
    // other person an ancestor.
    const LinkedBox* shapeRoot(const LinkedShape& shape) const override
    {
        const LinkedBox* lowest = shape.lowest;
        if (shape.byLevel.rbegin()->second.size() != 1)
            return nullptr;
        const Person* parent = shape.tree.findParent(lowest->box);
        if (!parent)
            return nullptr;
        for (const LinkedBox& m : shape.boxes)
            if (m.box == parent && shape.data.isParent(m.person, lowest->person) &&
                shape.allAmong(ancestorsOf(shape.data, lowest->person)))
                return lowest;
        return nullptr;
    }
    // A person alone at the bottom is rather an ancestors chart's root.
    const LinkedBox* looseShapeRoot(const LinkedShape& shape) const override
    {
        return shape.byLevel.rbegin()->second.size() == 1 ? shape.lowest : nullptr;
    }
    bool rootAtBottom() const override { return true; }
};

} // namespace

const ChartKind& ancestorsKind()
{
    static const AncestorsKind kind;
    return kind;
}
