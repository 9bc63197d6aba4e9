// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/box_text.h"

#include "layout/text_width.h"
#include "model/description_lines.h"

#include <algorithm>
#include <vector>

namespace {

std::string_view withoutTrailingBlanks(std::string_view line)
{
    const std::size_t end = line.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// Greedy breaking: each word goes on the current line while it fits. Word
// widths are summed, never the line measured again, so a long line costs its
// length once.
void wrapLine(std::string_view line, int width, bool bold, std::vector<std::string>& out)
{
    std::string current;
    int used = 0;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos)
            end = line.size();
        const std::string_view word = line.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const bool lineBold = bold && out.empty();
        const int wordWidth = textWidth(word, lineBold);
        const int blank = current.empty() ? 0 : textWidth(" ", lineBold);
        if (!current.empty() && used + blank + wordWidth > width) {
            out.push_back(std::move(current));
            used = textWidth(word, false);
            current = word;
            continue;
        }
        used += blank + wordWidth;
        if (!current.empty())
            current += ' ';
        current += word;
    }
    if (!current.empty())
        out.push_back(std::move(current));
}

} // namespace

std::string wrapDescription(std::string_view text, int width)
{
    const std::vector<std::string_view> lines = descriptionLines(text);
    bool fits = true;
    for (std::size_t i = 0; i < lines.size() && fits; ++i)
        fits = textWidth(withoutTrailingBlanks(lines[i]), i == 0) <= width;
    if (fits)
        return std::string(text);
    std::vector<std::string> wrapped;
    for (const std::string_view line : lines) {
        const bool bold = wrapped.empty();
        if (textWidth(withoutTrailingBlanks(line), bold) <= width)
            wrapped.emplace_back(withoutTrailingBlanks(line));
        else
            wrapLine(line, width, bold, wrapped);
    }
    std::string out;
    for (const std::string& line : wrapped) {
        if (!out.empty())
            out += " |";
        out += line;
    }
    return out;
}

int firstLineCount(std::string_view text, int width)
{
    const std::string_view first = text.substr(0, std::min(text.find('|'), text.size()));
    if (textWidth(withoutTrailingBlanks(first), true) <= width)
        return 1;
    std::vector<std::string> lines;
    wrapLine(first, width, true, lines);
    return std::max(1, int(lines.size()));
}

TextSize measureDescription(std::string_view text, bool boldFirstLine)
{
    TextSize size;
    forEachDescriptionLine(text, [&](std::string_view line) {
        const bool bold = boldFirstLine && size.lines == 0;
        size.width = std::max(size.width, textWidth(withoutTrailingBlanks(line), bold));
        ++size.lines;
    });
    return size;
}
