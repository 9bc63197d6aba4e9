// SPDX-License-Identifier: GPL-3.0-or-later
#include "description_lines.h"

std::vector<std::string_view> descriptionLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t cursor = 0;
    bool first = true;
    while (true) {
        if (!first)
            ++cursor; // the bar that ended the previous line
        first = false;
        if (cursor >= text.size())
            break;
        std::size_t bar = text.find('|', cursor);
        if (bar == std::string_view::npos)
            bar = text.size();
        lines.push_back(text.substr(cursor, bar - cursor));
        cursor = bar;
    }
    return lines;
}

int smallFontStart(int smallFontLine) { return smallFontLine <= 3 ? smallFontLine : 100; }
