// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/one_sided_kind.h"

#include <algorithm>

ShownGenerations OneSidedKind::shownGenerations(int firstLevel, int /*rootLevel*/, int lastLevel,
                                                std::optional<int> generations,
                                                std::optional<int> /*ancestorGenerations*/) const
{
    const int shown =
        generations.value_or(std::clamp(lastLevel - firstLevel + 1, 1, maxGenerations));
    return {shown, shown};
}
