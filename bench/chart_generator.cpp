// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_generator.h"

#include <cmath>
#include <memory>
#include <random>
#include <string>

namespace {

const char* const givenNames[] = {"Aldous", "Wilhelmina", "Edwin",  "Clara",    "Thomas",  "Ada",
                                  "Harold", "Mabel",      "Arthur", "Florence", "Leonard", "Zoë"};
const char* const surnames[] = {"Merrow", "Oakes", "Finch", "Pell", "Quill", "Tarnby"};
const char* const places[] = {"Tarnby", "Colbeck", "Ashworth", "Kettlewell", "Brindle"};
const char* const trades[] = {"miller", "schoolmaster", "weaver", "farmer", "clerk"};

template <std::size_t N> const char* pick(const char* const (&names)[N], std::mt19937& random)
{
    return names[random() % N];
}

std::string description(std::mt19937& random)
{
    const int born = 1700 + int(random() % 250);
    std::string text = std::string(pick(givenNames, random)) + " " + pick(surnames, random) +
                       " |b. " + std::to_string(born) + " " + pick(places, random) + " |d. " +
                       std::to_string(born + 20 + int(random() % 70));
    if (random() % 3 == 0)
        text += std::string(" |") + pick(trades, random);
    return text;
}

} // namespace

Chart generateChart(int boxes, unsigned seed)
{
    std::mt19937 random(seed);
    Chart chart(TreeSettings(), "generated");
    Tree& tree = chart.mutableTree();
    const int columns = std::max(1, int(std::ceil(std::sqrt(boxes * 2.0 / 0.9))));
    int made = 0;
    for (int level = 0; made < boxes; ++level) {
        for (int column = 0; column < columns && made < boxes; ++column) {
            if (random() % 10 == 0)
                continue; // a gap in the chart
            if (random() % 20 == 0) {
                tree.append(std::make_unique<ContPerson>(
                    "Branch " + std::to_string(made) + " |chart 2", Cell{column, level},
                    Links{20, 20}, int(random() % 5)));
            } else {
                const Links links{random() % 2 ? 20 : 0, random() % 5 < 2 ? 20 : 0};
                auto box = std::make_unique<Person>();
                box->text = description(random);
                box->setCell({column, level});
                box->setLinkLengths(links);
                box->lineage = random() % 30 == 0 ? int(random() % 4) : 0;
                tree.append(std::move(box));
            }
            ++made;
        }
    }
    return chart;
}

Person* addAncestorLine(Tree& tree, int column, int bottom, int generations)
{
    Person* first = nullptr;
    for (int g = 0; g < generations; ++g) {
        const int level = bottom - g;
        Person* child = tree.append(std::make_unique<Person>(
            "Child " + std::to_string(g) + " |b. 1900", Cell{column, level}, Links{20, 0}));
        tree.append(std::make_unique<Person>("Partner " + std::to_string(g) + " |b. 1901",
                                             Cell{column + 1, level}, Links{0, 20}));
        if (!first)
            first = child;
    }
    return first;
}

Person* addLongRow(Tree& tree, int level, int columns)
{
    Person* first =
        tree.append(std::make_unique<Person>("Row start |b. 1850", Cell{0, level}, Links{20, 20}));
    tree.append(std::make_unique<Person>("Row end |b. 1880", Cell{columns - 1, level}, Links{}));
    return first;
}
