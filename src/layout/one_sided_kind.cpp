// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/one_sided_kind.h"

#include <algorithm>

std::string OneSidedKind::describe(const ShownGenerations& shown) const
{
    const int count = shown.generations;
    return std::string(name()) + ", " + std::to_string(count) +
           (count == 1 ? " generation" : " generations");
}

ShownGenerations OneSidedKind::shownGenerations(int firstLevel, int /*rootLevel*/, int lastLevel,
                                                std::optional<int> generations,
                                                std::optional<int> /*ancestorGenerations*/) const
{
    const int shown =
        generations.value_or(std::clamp(lastLevel - firstLevel + 1, 1, maxGenerations));
    return {shown, shown};
}
