// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/box_colours.h"

#include "layout/family_layout.h"
#include "model/chart.h"
#include "model/colour_scheme.h"

#include <array>

namespace {

// Gives colour to person and to everyone reached from them through next
// (children or parents) who has none yet: the first line to reach a person
// (cousins who married, an ancestor along two lines) keeps them.
template <typename Next>
void colourReached(int person, Colour colour, std::vector<Colour>& colours, Next next)
{
    std::vector<int> stack{person};
    colours[std::size_t(person)] = colour;
    while (!stack.empty()) {
        const int at = stack.back();
        stack.pop_back();
        next(at, [&](int reached) {
            if (colours[std::size_t(reached)] == noColour) {
                colours[std::size_t(reached)] = colour;
                stack.push_back(reached);
            }
        });
    }
}

void colourDescendants(const GedcomData& data, int person, Colour colour,
                       std::vector<Colour>& colours)
{
    colourReached(person, colour, colours, [&](int at, const auto& reach) {
        for (const int f : data.persons[std::size_t(at)].spouseIn)
            for (const int child : data.families[std::size_t(f)].children)
                reach(child);
    });
}

void colourAncestors(const GedcomData& data, int person, Colour colour,
                     std::vector<Colour>& colours)
{
    colourReached(person, colour, colours, [&](int at, const auto& reach) {
        for (const int parent : shownParents(data, at))
            reach(parent);
    });
}

// By person: their branch's colour in a chart of the kind about root.
std::vector<Colour> branchColours(const GedcomData& data, int root, LayoutKind kind)
{
    std::vector<Colour> colours(data.persons.size(), noColour);
    const auto& rootPerson = data.persons[std::size_t(root)];
    if (kind != LayoutKind::Descendants) {
        // The root and the parents are set first, so no line passes through them.
        colours[std::size_t(root)] = colours::white;
        std::size_t line = 0;
        const std::vector<int> parents = shownParents(data, root);
        for (const int parent : parents)
            colours[std::size_t(parent)] = colours::white;
        for (const int parent : parents) {
            std::array<Colour, 2> lines{noColour, noColour};
            std::size_t count = 0;
            for (const int grandparent : shownParents(data, parent)) {
                if (colours[std::size_t(grandparent)] == noColour && count < lines.size()) {
                    lines[count] = boxColours::nth(line);
                    colourAncestors(data, grandparent, lines[count++], colours);
                }
                ++line;
            }
            colours[std::size_t(parent)] =
                count == 2 ? boxColours::between(lines[0], lines[1]) : count == 1 ? lines[0]
                                                                                 : noColour;
        }
        colours[std::size_t(root)] = noColour;
    }
    if (kind != LayoutKind::Ancestors) {
        const Colour rootMark = colours[std::size_t(root)];
        colours[std::size_t(root)] = colours::white;
        std::size_t branch = 0;
        for (const int f : rootPerson.spouseIn)
            for (const int child : data.families[std::size_t(f)].children)
                if (colours[std::size_t(child)] == noColour)
                    colourDescendants(data, child, boxColours::nth(branch++), colours);
        colours[std::size_t(root)] = rootMark;
        // Those who married into a branch take its colour.
        for (std::size_t f = 0; f < data.families.size(); ++f) {
            const GedcomFamily& family = data.families[f];
            if (family.husband < 0 || family.wife < 0)
                continue;
            Colour& husband = colours[std::size_t(family.husband)];
            Colour& wife = colours[std::size_t(family.wife)];
            if (husband == noColour && family.wife != root)
                husband = wife;
            else if (wife == noColour && family.husband != root)
                wife = husband;
        }
    }
    return colours;
}

Colour sexColour(char sex)
{
    return sex == 'M' ? boxColours::men : sex == 'F' ? boxColours::women : boxColours::unknownSex;
}

// The level of the root's own box; the top box's when the root has none.
int rootLevel(const Tree& tree, const GedcomData& data, int root)
{
    int level = -1, top = -1;
    tree.forEachPerson([&](const Person* box) {
        const RecordLink* record = tree.records().find(box);
        if (box->kind() != BoxKind::Person || !record)
            return;
        if (top < 0 || box->level() < top)
            top = box->level();
        if (level < 0 && data.findPerson(record->xref) == root)
            level = box->level();
    });
    return level >= 0 ? level : std::max(top, 0);
}

} // namespace

void applySchemeColours(Chart& chart, const GedcomData& data)
{
    const FamilyLink& link = chart.familyLink();
    const ColourScheme scheme = link.colours;
    const int root = link.root.empty() ? -1 : data.findPerson(link.root);
    Tree& tree = chart.mutableTree();
    std::vector<Colour> branches;
    if (scheme == ColourScheme::Branch && root >= 0)
        branches = branchColours(data, root, link.layout);
    const int level0 =
        scheme == ColourScheme::Generation && root >= 0 ? rootLevel(tree, data, root) : 0;
    tree.forEachPerson([&](Person* box) {
        box->schemeColour = noColour;
        const RecordLink* record = tree.records().find(box);
        if (scheme == ColourScheme::None || root < 0 || box->kind() != BoxKind::Person || !record)
            return;
        const int person = data.findPerson(record->xref);
        if (person < 0)
            return;
        switch (scheme) {
        case ColourScheme::None:
            break;
        case ColourScheme::Branch:
            box->schemeColour = branches[std::size_t(person)];
            break;
        case ColourScheme::Sex:
            box->schemeColour = sexColour(data.persons[std::size_t(person)].sex);
            break;
        case ColourScheme::Generation:
            // Signed, so an hourglass's upper levels take colours of their own.
            box->schemeColour = boxColours::nth(std::size_t(
                box->level() - level0 + int(boxColours::palette.size()) * maxGenerations));
            break;
        }
    });
}
