// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/chart_bounds.h"
#include "layout/chart_kind.h"
#include "layout/hourglass_layout.h"

#include <algorithm>

namespace {

// A level with more boxes is no hourglass's waist: a person and their spouses.
constexpr std::size_t maxSpousesOnLevel = 16;

bool areSpouses(const GedcomData& data, int a, int b)
{
    for (const int f : data.persons[std::size_t(a)].spouseIn) {
        const GedcomFamily& family = data.families[std::size_t(f)];
        if (family.husband == b || family.wife == b)
            return true;
    }
    return false;
}

bool missesSibling(const GedcomData& data, int person, const std::vector<bool>& shown)
{
    for (const int f : data.persons[std::size_t(person)].childOf)
        for (const int child : data.families[std::size_t(f)].children)
            if (!shown[std::size_t(child)])
                return true;
    return false;
}

class HourglassKind final : public ChartKind {
public:
    LayoutKind kind() const override { return LayoutKind::Hourglass; }
    const char* name() const override { return "hourglass"; }
    std::string describe(const ShownGenerations& shown, const LayoutPhrases& phrases) const override
    {
        return phrases.hourglass(shown.ancestorGenerations - 1, shown.generations - 1);
    }

    std::vector<PlannedBox> plan(const GedcomData& data,
                                 const LayoutRequest& request) const override
    {
        return planHourglass(data, request);
    }
    // Only a link written by hand asks for a book of an hourglass: it grows
    // upward, as one of ancestors.
    std::vector<PlannedBox> sidePlan(const GedcomData& data, const LayoutRequest& request,
                                     const std::function<bool(int)>& elsewhere) const override
    {
        return planAncestors(data, request, elsewhere);
    }
    bool splitsIntoBook() const override { return false; }
    Direction branchDirection() const override { return Direction::Up; }

    std::vector<double> chartBounds(const GedcomData& data,
                                    const LayoutRequest& request) const override
    {
        std::vector<double> bounds = descendantBounds(data, request.generations);
        const std::vector<double> up = ancestorBounds(data, request.ancestorGenerations);
        for (std::size_t p = 0; p < bounds.size(); ++p)
            bounds[p] += up[p] - 1; // the root is in both
        return bounds;
    }

    // The root and its spouses alone on their level, a parent above, and a
    // brother or sister missing (a descendants chart shows them); the lowest
    // such level, as the root's parents are a couple alone too.
    const LinkedBox* shapeRoot(const LinkedShape& shape) const override
    {
        for (auto level = shape.byLevel.rbegin(); level != shape.byLevel.rend(); ++level) {
            const auto above = std::next(level);
            if (above == shape.byLevel.rend() || level->second.size() > maxSpousesOnLevel)
                continue;
            for (const LinkedBox* root : level->second)
                if (isWaist(shape, level->second, *above, root))
                    return root;
        }
        return nullptr;
    }
    bool rootAtBottom() const override { return false; }
    ShownGenerations shownGenerations(int firstLevel, int rootLevel, int lastLevel,
                                      std::optional<int> generations,
                                      std::optional<int> ancestorGenerations) const override
    {
        const auto clamped = [](int levels) { return std::clamp(levels, 1, maxGenerations); };
        return {generations.value_or(clamped(lastLevel - rootLevel + 1)),
                ancestorGenerations.value_or(clamped(rootLevel - firstLevel + 1))};
    }

private:
    using Level = std::pair<const int, std::vector<const LinkedBox*>>;

    static bool isWaist(const LinkedShape& shape, const std::vector<const LinkedBox*>& level,
                        const Level& above, const LinkedBox* root)
    {
        const GedcomData& data = shape.data;
        const bool spousesOnly = std::all_of(level.begin(), level.end(), [&](const LinkedBox* m) {
            return m == root || areSpouses(data, m->person, root->person);
        });
        const int levelIndex = level.front()->box->level();
        const bool parentAbove =
            above.first == levelIndex - 1 &&
            std::any_of(above.second.begin(), above.second.end(),
                        [&](const LinkedBox* m) { return data.isParent(m->person, root->person); });
        return spousesOnly && parentAbove && missesSibling(data, root->person, shape.shown);
    }
};

} // namespace

const ChartKind& hourglassKind()
{
    static const HourglassKind kind;
    return kind;
}
