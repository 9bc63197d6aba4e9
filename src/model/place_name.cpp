// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/place_name.h"

#include "model/box_words.h"

long long generationNumber(const TreeSettings& settings, int level, int levels)
{
    const bool downward = settings.generationMode == 'd';
    return (long long)settings.generationStart + (downward ? level : levels - 1 - level);
}

std::string placeName(const TreeSettings& settings, int levels, Cell cell, DateLanguage language)
{
    return cellName(long(cell.column) + 1, generationNumber(settings, cell.level, levels),
                    language);
}

namespace {
int levelsOf(const Chart& chart)
{
    const Person* deepest = chart.tree().deepestPerson();
    return deepest ? deepest->level() + 1 : 1;
}
} // namespace

long long generationNumber(const Chart& chart, int level)
{
    return generationNumber(chart.settings(), level, levelsOf(chart));
}

std::string placeName(const Chart& chart, Cell cell)
{
    return placeName(chart.settings(), levelsOf(chart), cell, chart.familyLink().dateLanguage);
}
