// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart_reader.h"
#include "tree_difference.h"

#include <string>
#include <string_view>

// Aborts with the message when the condition fails, so libFuzzer keeps the input.
void require(bool condition, const char* what);

// Reads chart bytes as a file named "fuzz" would be read.
ChartLoad loadChartBytes(std::string bytes, const TreeSettings& current);
