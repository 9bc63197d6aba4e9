// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_generator.h"

#include <cmath>
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
    Chart chart(TreeSettings(), String("generated"));
    Tree& tree = chart.tree();
    const int columns = std::max(1, int(std::ceil(std::sqrt(boxes * 2.0 / 0.9))));
    int made = 0;
    for (int level = 0; made < boxes; ++level) {
        for (int column = 0; column < columns && made < boxes; ++column) {
            if (random() % 10 == 0)
                continue; // a gap in the chart
            if (random() % 20 == 0) {
                tree.append(
                    new ContPerson(String(("Branch " + std::to_string(made) + " |chart 2").c_str()),
                                   {column, level}, {20, 20}, int(random() % 5)));
            } else {
                const Links links{random() % 2 ? 20 : 0, random() % 5 < 2 ? 20 : 0};
                auto* box = new Person;
                box->text = String(description(random).c_str());
                box->setCell({column, level});
                box->setLinkLengths(links);
                box->lineage = random() % 30 == 0 ? int(random() % 4) : 0;
                tree.append(box);
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
        auto* child = new Person;
        child->text = String(("Child " + std::to_string(g) + " |b. 1900").c_str());
        child->setCell({column, level});
        child->setLinkLengths({20, 0});
        tree.append(child);
        auto* partner = new Person;
        partner->text = String(("Partner " + std::to_string(g) + " |b. 1901").c_str());
        partner->setCell({column + 1, level});
        partner->setLinkLengths({0, 20});
        tree.append(partner);
        if (!first)
            first = child;
    }
    return first;
}

Person* addLongRow(Tree& tree, int level, int columns)
{
    auto* first = new Person;
    first->text = String("Row start |b. 1850");
    first->setCell({0, level});
    first->setLinkLengths({20, 20});
    tree.append(first);
    auto* last = new Person;
    last->text = String("Row end |b. 1880");
    last->setCell({columns - 1, level});
    tree.append(last);
    return first;
}
