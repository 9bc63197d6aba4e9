// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/chart_kind.h"

// A kind that shows one side of the root, its generations counted one way.
class OneSidedKind : public ChartKind {
public:
    ShownGenerations shownGenerations(int firstLevel, int rootLevel, int lastLevel,
                                      std::optional<int> generations,
                                      std::optional<int> ancestorGenerations) const override;
};
