// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/relationship.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// How an ancestor was first reached going up from one side: its generations
// above the side's nearest person, the child it was reached from (-1 for a
// person of the side itself) and that person.
struct Reach {
    int generations = 0;
    int below = -1;
    int source = -1;
};
using Ancestors = std::unordered_map<int, Reach>;

// Every ancestor of the persons given, themselves included, each at its
// fewest generations; breadth first, so a file that loops ends too.
Ancestors ancestorsOf(const GedcomData& data, const std::vector<int>& persons)
{
    Ancestors reached;
    std::vector<int> queue;
    for (const int person : persons)
        if (reached.try_emplace(person, Reach{0, -1, person}).second)
            queue.push_back(person);
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const int child = queue[next];
        const Reach reach = reached.at(child);
        for (const int family : data.persons[std::size_t(child)].childOf) {
            const GedcomFamily& parents = data.families[std::size_t(family)];
            for (const int parent : {parents.husband, parents.wife})
                if (parent >= 0 &&
                    reached.try_emplace(parent, Reach{reach.generations + 1, child, reach.source})
                        .second)
                    queue.push_back(parent);
        }
    }
    return reached;
}

bool holds(const Ancestors& ancestors, int person) { return ancestors.contains(person); }

// The persons from the side up to the ancestor, the ancestor last.
std::vector<int> lineUp(const Ancestors& ancestors, int ancestor)
{
    std::vector<int> line;
    for (int person = ancestor; person >= 0; person = ancestors.at(person).below)
        line.push_back(person);
    std::reverse(line.begin(), line.end());
    return line;
}

// The two sides of a search for common ancestors.
struct Sides {
    const GedcomData& data;
    Ancestors a;
    Ancestors b;

    bool common(int person) const { return holds(a, person) && holds(b, person); }

    // A common ancestor none of whose children is one.
    bool nearest(int person) const
    {
        for (const int family : data.persons[std::size_t(person)].spouseIn)
            for (const int child : data.families[std::size_t(family)].children)
                if (common(child))
                    return false;
        return true;
    }

    // A family of the ancestor with a child on each side, or -1: then only
    // the ancestor is shared, not a couple.
    int sharedFamily(int ancestor) const
    {
        for (const int family : data.persons[std::size_t(ancestor)].spouseIn) {
            const std::vector<int>& children = data.families[std::size_t(family)].children;
            const auto onSide = [&](const Ancestors& side) {
                return std::any_of(children.begin(), children.end(),
                                   [&](int child) { return holds(side, child); });
            };
            if (onSide(a) && onSide(b))
                return family;
        }
        return -1;
    }
};

// Of the persons given, the one a side reaches in the fewest generations; -1
// when it reaches none.
int nearestOf(const Ancestors& side, const std::vector<int>& persons)
{
    int nearest = -1;
    for (const int person : persons)
        if (const auto at = side.find(person);
            at != side.end() &&
            (nearest < 0 || at->second.generations < side.at(nearest).generations))
            nearest = person;
    return nearest;
}

// The relationship through one ancestor, or through a couple: then up from
// A and down to B through the couple's own children, each side's nearest.
Relationship relationThrough(const Sides& sides, int ancestor, bool half, int couple = -1)
{
    Relationship relation;
    relation.half = half;
    std::vector<int> top = {ancestor};
    if (couple >= 0) {
        const GedcomFamily& family = sides.data.families[std::size_t(couple)];
        top = {family.husband, family.wife};
        relation.line = lineUp(sides.a, nearestOf(sides.a, family.children));
        relation.line.insert(relation.line.end(), top.begin(), top.end());
        const std::vector<int> down = lineUp(sides.b, nearestOf(sides.b, family.children));
        relation.line.insert(relation.line.end(), down.rbegin(), down.rend());
    } else {
        relation.line = lineUp(sides.a, ancestor);
        const std::vector<int> down = lineUp(sides.b, ancestor);
        relation.line.insert(relation.line.end(), down.rbegin() + 1, down.rend());
    }
    const auto apex = std::find(relation.line.begin(), relation.line.end(), top.front());
    relation.up = int(apex - relation.line.begin());
    relation.down = int(relation.line.end() - apex) - int(top.size());
    relation.ancestors = std::move(top);
    return relation;
}

// The relationships between the two sides through their nearest common
// ancestors, a couple counted once.
std::vector<Relationship> bloodRelations(const GedcomData& data, const std::vector<int>& sideA,
                                         const std::vector<int>& sideB)
{
    Sides sides{data, ancestorsOf(data, sideA), ancestorsOf(data, sideB)};
    const Ancestors& smaller = sides.a.size() <= sides.b.size() ? sides.a : sides.b;
    std::vector<int> nearest;
    // A or B themselves always count: in a file that loops, their children
    // may be their ancestors too.
    for (const auto& [person, reach] : smaller)
        if (sides.common(person) && (sides.a.at(person).generations == 0 ||
                                     sides.b.at(person).generations == 0 || sides.nearest(person)))
            nearest.push_back(person);
    std::sort(nearest.begin(), nearest.end());

    std::vector<Relationship> relations;
    std::unordered_set<int> paired; // the partners already counted with their couple
    for (const int ancestor : nearest) {
        if (paired.contains(ancestor))
            continue;
        const bool directLine =
            sides.a.at(ancestor).generations == 0 || sides.b.at(ancestor).generations == 0;
        const int family = directLine ? -1 : sides.sharedFamily(ancestor);
        if (family < 0) {
            relations.push_back(relationThrough(sides, ancestor, !directLine));
            continue;
        }
        const GedcomFamily& couple = data.families[std::size_t(family)];
        const int partner = couple.husband == ancestor ? couple.wife : couple.husband;
        if (partner >= 0 && std::binary_search(nearest.begin(), nearest.end(), partner)) {
            paired.insert(partner);
            relations.push_back(relationThrough(sides, ancestor, false, family));
        } else {
            relations.push_back(relationThrough(sides, ancestor, false));
        }
    }
    return relations;
}

// The spouses of a person, each once.
std::vector<int> spousesOf(const GedcomData& data, int person)
{
    std::vector<int> spouses;
    for (const int family : data.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& couple = data.families[std::size_t(family)];
        const int spouse = couple.husband == person ? couple.wife : couple.husband;
        if (spouse >= 0 && spouse != person &&
            std::find(spouses.begin(), spouses.end(), spouse) == spouses.end())
            spouses.push_back(spouse);
    }
    return spouses;
}

// The blood relationships of the sides made relationships by marriage: the
// side that stands for a person's spouses names the spouse it went through.
void addByMarriage(std::vector<Relationship>& relations, std::vector<Relationship> found,
                   RelationKind kind, int person)
{
    for (Relationship& relation : found) {
        relation.kind = kind;
        if (kind == RelationKind::SpouseOfRelative) {
            relation.inLaw = relation.line.front();
            relation.line.insert(relation.line.begin(), person);
        } else {
            relation.inLaw = relation.line.back();
            relation.line.push_back(person);
        }
        relations.push_back(std::move(relation));
    }
}

} // namespace

std::vector<Relationship> relationshipsOf(const GedcomData& data, int a, int b)
{
    const int persons = int(data.persons.size());
    if (a == b || a < 0 || b < 0 || a >= persons || b >= persons)
        return {};
    std::vector<Relationship> relations = bloodRelations(data, {a}, {b});
    const std::vector<int> spousesOfA = spousesOf(data, a);
    if (std::find(spousesOfA.begin(), spousesOfA.end(), b) != spousesOfA.end()) {
        Relationship spouses;
        spouses.kind = RelationKind::Spouses;
        spouses.line = {a, b};
        relations.push_back(std::move(spouses));
    }
    if (relations.empty()) {
        // All of a person's spouses as one side, so that many spouses cost
        // one search.
        if (!spousesOfA.empty())
            addByMarriage(relations, bloodRelations(data, spousesOfA, {b}),
                          RelationKind::SpouseOfRelative, a);
        if (const std::vector<int> spousesOfB = spousesOf(data, b); !spousesOfB.empty())
            addByMarriage(relations, bloodRelations(data, {a}, spousesOfB),
                          RelationKind::RelativeOfSpouse, b);
    }
    std::stable_sort(
        relations.begin(), relations.end(),
        [](const Relationship& x, const Relationship& y) { return x.line.size() < y.line.size(); });
    return relations;
}

Relationship reversed(Relationship relationship)
{
    std::swap(relationship.up, relationship.down);
    std::vector<int>& line = relationship.line;
    std::reverse(line.begin(), line.end());
    // A couple stays husband first.
    if (const std::vector<int>& couple = relationship.ancestors; couple.size() == 2) {
        const auto wife = std::find(line.begin(), line.end(), couple[1]);
        if (wife + 1 < line.end() && wife[1] == couple[0])
            std::iter_swap(wife, wife + 1);
    }
    if (relationship.kind == RelationKind::SpouseOfRelative)
        relationship.kind = RelationKind::RelativeOfSpouse;
    else if (relationship.kind == RelationKind::RelativeOfSpouse)
        relationship.kind = RelationKind::SpouseOfRelative;
    return relationship;
}
