// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/box_words.h"

#include <algorithm>

namespace {

struct Words {
    std::string_view child, children, parent, parents;
    std::string_view chart, mainChart, see, column, generation;
};

constexpr Words english{"child",      "children", "parent", "parents",   "chart",
                        "main chart", "see",      "column", "generation"};
constexpr Words german{"Kind",       "Kinder", "Elternteil", "Eltern",    "Karte",
                       "Hauptkarte", "siehe",  "Spalte",     "Generation"};
constexpr DateLanguage languages[] = {DateLanguage::English, DateLanguage::German};

const Words& wordsOf(DateLanguage language)
{
    return language == DateLanguage::German ? german : english;
}

bool isDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool consume(std::string_view& text, std::string_view prefix)
{
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

bool consumeBack(std::string_view& text, std::string_view suffix)
{
    if (!text.ends_with(suffix))
        return false;
    text.remove_suffix(suffix.size());
    return true;
}

struct Read {
    std::string key; // the same in either language
    DateLanguage language;
};

std::optional<Read> readChartName(std::string_view line)
{
    for (const DateLanguage language : languages) {
        const Words& words = wordsOf(language);
        std::string_view rest = line;
        if (rest == words.mainChart)
            return Read{"#", language};
        if (consume(rest, words.chart) && consume(rest, " ") && isDigits(rest))
            return Read{"#" + std::string(rest), language};
    }
    return std::nullopt;
}

std::optional<Read> readCellName(std::string_view text)
{
    for (const DateLanguage language : languages) {
        const Words& words = wordsOf(language);
        std::string_view rest = text;
        if (!consume(rest, words.column) || !consume(rest, " "))
            continue;
        const std::size_t comma = rest.find(", ");
        const std::string_view column = rest.substr(0, comma);
        if (comma == rest.npos || !isDigits(column))
            continue;
        rest.remove_prefix(comma + 2);
        if (!consume(rest, words.generation) || !consume(rest, " "))
            continue;
        const std::string_view generation = rest.substr(rest.starts_with('-'));
        if (isDigits(generation))
            return Read{std::string(column) + "," + std::string(rest), language};
    }
    return std::nullopt;
}

// The place a flattened see box text ends in, taken off it.
std::optional<Read> takePlace(std::string_view& text)
{
    // A place is a few words: try each start of a word from the end.
    for (std::size_t start = text.size(), words = 0; start > 0 && words < 4; ++words) {
        start = text.rfind(' ', start - 1);
        if (start == text.npos)
            return std::nullopt;
        const std::string_view place = text.substr(start + 1);
        std::optional<Read> read = readChartName(place);
        if (!read)
            read = readCellName(place);
        if (read) {
            text = text.substr(0, start);
            return read;
        }
    }
    return std::nullopt;
}

// The text on one line: each line break and run of blanks a single blank, as
// wrapping a line adds and takes away nothing else.
std::string flattened(std::string_view text)
{
    std::string flat;
    flat.reserve(text.size());
    for (const char c : text) {
        const bool blank = c == ' ' || c == '|';
        if (blank && (flat.empty() || flat.back() == ' '))
            continue;
        flat += blank ? ' ' : c;
    }
    if (!flat.empty() && flat.back() == ' ')
        flat.pop_back();
    return flat;
}

std::optional<Read> readSeeBox(std::string_view text)
{
    const std::string flat = flattened(text);
    std::string_view rest = flat;
    const std::optional<Read> place = takePlace(rest);
    if (!place)
        return std::nullopt;
    const auto key = [&](std::string_view name, DateLanguage language) {
        return Read{std::string(name) + '\n' + place->key, language};
    };
    // Older charts: "see |NAME, |PLACE", in English whatever the chart's language.
    if (std::string_view name = rest;
        consume(name, "see ") && consumeBack(name, ",") && !name.empty())
        return key(name, DateLanguage::English);
    for (const DateLanguage language : languages) {
        std::string_view name = rest;
        if (consumeBack(name, wordsOf(language).see) && consumeBack(name, " ") && !name.empty())
            return key(name, language);
    }
    return std::nullopt;
}

std::optional<DateLanguage> cutOffLanguage(std::string_view text)
{
    const std::size_t blank = text.find(' ');
    if (blank == text.npos || !isDigits(text.substr(0, blank)))
        return std::nullopt;
    const std::string_view word = text.substr(blank + 1);
    for (const DateLanguage language : languages) {
        const Words& words = wordsOf(language);
        for (const std::string_view own :
             {words.child, words.children, words.parent, words.parents})
            if (word == own)
                return language;
    }
    return std::nullopt;
}

} // namespace

std::string cutOffText(Direction direction, int beyond, DateLanguage language)
{
    const Words& words = wordsOf(language);
    const bool parents = direction == Direction::Up;
    const std::string_view word = beyond == 1 ? (parents ? words.parent : words.child)
                                              : (parents ? words.parents : words.children);
    return std::to_string(beyond) + ' ' + std::string(word);
}

std::string chartName(std::string_view suffix, DateLanguage language)
{
    const Words& words = wordsOf(language);
    if (suffix.empty())
        return std::string(words.mainChart);
    return std::string(words.chart) + ' ' + std::string(suffix);
}

std::optional<std::string_view> chartNameSuffix(std::string_view line)
{
    const std::optional<Read> read = readChartName(line);
    if (!read)
        return std::nullopt;
    return line.substr(line.size() - (read->key.size() - 1)); // the key is "#" and the suffix
}

std::string cellName(long column, long long generation, DateLanguage language)
{
    const Words& words = wordsOf(language);
    return std::string(words.column) + ' ' + std::to_string(column) + ", " +
           std::string(words.generation) + ' ' + std::to_string(generation);
}

std::string seeBoxText(std::string_view name, std::string_view place, DateLanguage language)
{
    return std::string(name) + " |" + std::string(wordsOf(language).see) + ' ' + std::string(place);
}

std::optional<std::string> seeBoxKey(std::string_view text)
{
    std::optional<Read> read = readSeeBox(text);
    if (!read)
        return std::nullopt;
    return std::move(read->key);
}

std::optional<DateLanguage> languageOfWords(std::string_view text)
{
    if (const std::optional<DateLanguage> cutOff = cutOffLanguage(text))
        return cutOff;
    // A book's continuation box: "NAME|chart 03".
    if (const std::size_t bar = text.rfind('|'); bar != text.npos)
        if (const std::optional<Read> chart = readChartName(text.substr(bar + 1)))
            return chart->language;
    if (const std::optional<Read> see = readSeeBox(text))
        return see->language;
    return std::nullopt;
}
