// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

// Splits a stored description into its lines at each '|'. An empty text has no
// lines, a trailing bar gives no empty last line, and a leading bar or two bars in
// a row give an empty line. Lines keep their bytes (the blank before a bar too).
std::vector<std::string_view> descriptionLines(std::string_view text);

// Calls visit with each line of descriptionLines(text), in order, without
// collecting them.
template <typename Visit> void forEachDescriptionLine(std::string_view text, Visit visit)
{
    std::size_t cursor = 0;
    while (cursor < text.size()) {
        std::size_t bar = text.find('|', cursor);
        if (bar == std::string_view::npos)
            bar = text.size();
        visit(text.substr(cursor, bar - cursor));
        cursor = bar + 1; // past the bar that ended the line
    }
}

// The first line in the small font: smallFontLine when it is 3 or less (a negative
// value matches no line), otherwise 100, in effect never; a name on nameLines
// lines counts as one line.
int smallFontStart(int smallFontLine, int nameLines = 1);
