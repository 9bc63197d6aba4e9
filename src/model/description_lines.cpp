// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/description_lines.h"

std::vector<std::string_view> descriptionLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    forEachDescriptionLine(text, [&lines](std::string_view line) { lines.push_back(line); });
    return lines;
}

int smallFontStart(int smallFontLine, int nameLines)
{
    const int start = smallFontLine <= 3 ? smallFontLine : 100;
    return start > 0 ? start + nameLines - 1 : start;
}
