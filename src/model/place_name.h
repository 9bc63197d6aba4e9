// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chart.h"

#include <string>

// The number the generation column shows for a level of a chart whose lowest
// box stands on level levels - 1.
long long generationNumber(const TreeSettings& settings, int level, int levels);
long long generationNumber(const Chart& chart, int level);

// A cell as reports and see boxes name it: "column 3, generation 2" ("Spalte
// 3, Generation 2"), columns counted from 1, generations as the generation
// column numbers them; of a chart, in its language.
std::string placeName(const TreeSettings& settings, int levels, Cell cell, DateLanguage language);
std::string placeName(const Chart& chart, Cell cell);
