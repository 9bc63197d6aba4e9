// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

// Generated lineage-linked GEDCOM files and what they say, for checking a chart
// against. Every person has a name of their own, "Given<n> Surname<n>".
struct GeneratedFamilies {
    std::string text; // the file, UTF-8 with LF line ends
    int persons = 0;
    std::map<std::string, std::vector<std::string>> parentsOf; // by name
    std::set<std::string> inLaws; // spouses from outside the root's family
};

struct DescendantShape {
    int generations = 4;
    int maxChildren = 4;    // each family has 0 to this many (at least 1 while young)
    int marriagesEvery = 0; // every n-th descendant marries this often: 3 times; 0: never
    int maxPersons = 1000000;
    unsigned seed = 1;
    bool rootIsOwnDescendant = false; // the root also a child of a family of the last generation
};

// The root (I1) and all their descendants over the generations, each married to
// a person from outside.
GeneratedFamilies generateDescendants(const DescendantShape& shape);

// The root's ancestors over the generations; with missingEvery n, every n-th
// person has no parents in the file.
GeneratedFamilies generatePedigree(int generations, int missingEvery);

// The root (I1) with their descendants as the shape says and, over generationsUp
// (the root's own counted), their ancestors as generatePedigree makes them.
GeneratedFamilies generateHourglass(int generationsUp, int missingEvery,
                                    const DescendantShape& down);
struct VillageShape {
    int generations = 8;
    int founders = 10; // unrelated couples of the first generation
    int maxPersons = 3000;
    unsigned seed = 1;
    bool singleWomenWait = false; // women left single may marry in the next generation
};

// A village over the generations: families with no child and families with a
// dozen, persons who stay single, who marry someone from outside (who has no
// parents in the file), who marry again, and cousins who marry each other;
// with singleWomenWait, relatives a generation apart too, so that a descendant
// meets an ancestor along lines of different lengths.
GeneratedFamilies generateVillage(const VillageShape& shape);
