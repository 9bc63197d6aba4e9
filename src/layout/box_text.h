// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The widest line a box may hold before it wraps: a 240-pixel box less the
// text's insets.
inline constexpr int maxLineWidth = 234;
// The pixels between a box's side and its text, both sides together.
inline constexpr int lineInsets = 6;

// A stored description with every line wider than width pixels broken at its
// blanks onto further lines (the first line measured in the bold name font, the
// others in the line font); a word wider than width stays whole on a line of
// its own. A description that fits comes back unchanged.
std::string wrapDescription(std::string_view text, int width = maxLineWidth);

// How many lines the first line of a description takes in wrapDescription.
int firstLineCount(std::string_view text, int width = maxLineWidth);

// The widest line of a description in pixels and its line count, the first
// line bold unless all are in the line font.
struct TextSize {
    int width = 0;
    int lines = 0;
};
TextSize measureDescription(std::string_view text, bool boldFirstLine = true);
