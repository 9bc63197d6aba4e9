// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chartfile/chart_reader.h"
#include "tree_difference.h"

#include <string>
#include <string_view>

// Aborts with the message when the condition fails, so libFuzzer keeps the input.
void require(bool condition, const char* what);

// Reads chart bytes as a file named "fuzz" would be read.
ChartLoad loadChartBytes(std::string bytes, const TreeSettings& current);

// Whether the chart's descriptions hold more than 64 KiB. Declared lengths pad
// descriptions up to megabytes; the fuzzers read such charts but skip the costly
// rest of their checks, which the bad-input catalogue covers, to keep their pace.
bool hasBulkyText(const Tree& tree);
