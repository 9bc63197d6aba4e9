// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

// Splits a stored description into its lines at each '|'. An empty text has no
// lines, a trailing bar gives no empty last line, and a leading bar or two bars in
// a row give an empty line. Lines keep their bytes (the blank before a bar too).
std::vector<std::string_view> descriptionLines(std::string_view text);

// The first line in the small font: smallFontLine when it is 3 or less (a negative
// value matches no line), otherwise 100, in effect never.
int smallFontStart(int smallFontLine);
