// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/relationship_boxes.h"

#include "model/person.h"

#include <unordered_map>
#include <unordered_set>

int personOfBox(const Tree& tree, const GedcomData& data, const Person* box)
{
    const RecordLink* link = box ? tree.records().find(box) : nullptr;
    return link ? data.findPerson(link->xref) : -1;
}

RedLine relationshipLine(const Tree& tree, const GedcomData& data,
                         const std::vector<Relationship>& relationships)
{
    std::unordered_set<int> onLine;
    for (const Relationship& relationship : relationships)
        onLine.insert(relationship.line.begin(), relationship.line.end());
    RedLine red;
    std::unordered_map<int, std::vector<const Person*>> boxesOf;
    tree.forEachPerson([&](const Person* box) {
        if (const int person = personOfBox(tree, data, box); onLine.contains(person)) {
            boxesOf[person].push_back(box);
            red.boxes.push_back(box);
        }
    });
    std::unordered_map<const Person*, int> bits; // the connectors, by box
    for (const Relationship& relationship : relationships) {
        const std::vector<int>& line = relationship.line;
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            const bool up = data.isParent(line[i + 1], line[i]);
            if (!up && !data.isParent(line[i], line[i + 1]))
                continue; // spouses, or the two of a couple
            const int child = up ? line[i] : line[i + 1];
            const auto childBoxes = boxesOf.find(child);
            if (childBoxes == boxesOf.end())
                continue;
            for (const Person* box : childBoxes->second) {
                LineagePath steps;
                const Person* parent = tree.findParent(box, &steps);
                if (!parent || !onLine.contains(personOfBox(tree, data, parent)))
                    continue;
                for (const LineageMark& step : steps)
                    bits[step.box] |= step.bits;
            }
        }
    }
    for (const auto& [box, connectors] : bits)
        red.connectors.push_back({box, connectors});
    return red;
}
