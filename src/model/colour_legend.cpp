// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/colour_legend.h"

#include "model/chart.h"
#include "model/colour_scheme.h"
#include "model/place_name.h"
#include "model/text_codec.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

struct Words {
    const char* men;
    const char* women;
    const char* unknownSex;
    const char* generation;
    const char* generations;
};
constexpr Words englishWords{"Men", "Women", "Sex unknown", "Generation ", "Generations "};
constexpr Words germanWords{"Männer", "Frauen", "Geschlecht unbekannt", "Generation ",
                            "Generationen "};

// The level of the root's box, else of the top linked box.
int rootLevel(const Chart& chart)
{
    const Tree& tree = chart.tree();
    const std::string& root = chart.familyLink().root;
    int level = -1, top = -1;
    tree.forEachPerson([&](const Person* box) {
        const RecordLink* record = tree.records().find(box);
        if (!record)
            return;
        if (top < 0 || box->level() < top)
            top = box->level();
        if (level < 0 && box->kind() == BoxKind::Person && record->xref == root)
            level = box->level();
    });
    return level >= 0 ? level : std::max(top, 0);
}

std::string firstLineOf(const Person& box)
{
    std::string_view line = std::string_view(box.text).substr(0, box.text.find('|'));
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    return displayText(line);
}

std::vector<LegendEntry> branchLegend(const Chart& chart)
{
    // By colour: the box nearest the root's level, the leftmost of equals.
    const int root = rootLevel(chart);
    std::map<Colour, const Person*> heads;
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->schemeColour == noColour)
            return;
        const Person*& head = heads[box->schemeColour];
        const auto distance = [root](const Person* b) { return std::abs(b->level() - root); };
        if (!head || distance(box) < distance(head) ||
            (distance(box) == distance(head) && box->column() < head->column()))
            head = box;
    });
    std::vector<std::pair<const Person*, Colour>> ordered;
    for (const auto& [colour, head] : heads)
        ordered.emplace_back(head, colour);
    std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        return a.first->column() != b.first->column() ? a.first->column() < b.first->column()
                                                      : a.first->level() < b.first->level();
    });
    std::vector<LegendEntry> legend;
    for (const auto& [head, colour] : ordered)
        legend.push_back({colour, firstLineOf(*head)});
    return legend;
}

std::vector<LegendEntry> generationLegend(const Chart& chart, const Words& words)
{
    std::map<int, Colour> levels;
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->schemeColour != noColour)
            levels.emplace(box->level(), box->schemeColour);
    });
    // Past the palette's end the colours come again: a colour names each of its generations.
    std::vector<LegendEntry> legend;
    std::map<Colour, std::size_t> entryOf;
    std::vector<std::vector<long long>> numbers;
    std::map<long long, int> byNumber;
    for (const auto& [level, colour] : levels)
        byNumber.emplace(generationNumber(chart, level), level);
    for (const auto& [number, level] : byNumber) {
        const Colour colour = levels.at(level);
        const auto [at, isNew] = entryOf.emplace(colour, legend.size());
        if (isNew) {
            legend.push_back({colour, {}});
            numbers.emplace_back();
        }
        numbers[at->second].push_back(number);
    }
    for (std::size_t i = 0; i < legend.size(); ++i) {
        std::string label = numbers[i].size() > 1 ? words.generations : words.generation;
        for (std::size_t n = 0; n < numbers[i].size(); ++n)
            label += (n ? ", " : "") + std::to_string(numbers[i][n]);
        legend[i].label = std::move(label);
    }
    return legend;
}

std::vector<LegendEntry> sexLegend(const Chart& chart, const Words& words)
{
    bool present[3] = {};
    chart.tree().forEachPerson([&](const Person* box) {
        present[0] = present[0] || box->schemeColour == boxColours::men;
        present[1] = present[1] || box->schemeColour == boxColours::women;
        present[2] = present[2] || box->schemeColour == boxColours::unknownSex;
    });
    const LegendEntry all[3] = {{boxColours::men, words.men},
                                {boxColours::women, words.women},
                                {boxColours::unknownSex, words.unknownSex}};
    std::vector<LegendEntry> legend;
    for (int i = 0; i < 3; ++i)
        if (present[i])
            legend.push_back(all[i]);
    return legend;
}

} // namespace

std::vector<LegendEntry> colourLegend(const Chart& chart)
{
    const FamilyLink& link = chart.familyLink();
    const Words& words = link.dateLanguage == DateLanguage::German ? germanWords : englishWords;
    switch (link.colours) {
    case ColourScheme::None:
        break;
    case ColourScheme::Branch:
        return branchLegend(chart);
    case ColourScheme::Sex:
        return sexLegend(chart, words);
    case ColourScheme::Generation:
        return generationLegend(chart, words);
    }
    return {};
}
