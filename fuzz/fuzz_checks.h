// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart_reader.h"

#include <string>
#include <string_view>

// Aborts with the message when the condition fails, so libFuzzer keeps the input.
void require(bool condition, const char* what);

// Reads chart bytes as a file named "fuzz" would be read.
ChartLoad loadChartBytes(std::string bytes, const TreeSettings& current);

// The first difference between two trees' boxes (order, kind, cell, links, text,
// lineage, direction), or the empty text when they hold the same boxes.
std::string treeDifference(const Tree& a, const Tree& b);
