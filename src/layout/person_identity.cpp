// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/person_identity.h"

#include "base/number_text.h"
#include "layout/person_description.h"
#include "model/description_lines.h"

#include <algorithm>
#include <array>

namespace {

// A name wraps over a few lines at most.
constexpr std::size_t maxNameLines = 4;

std::string_view trimmed(std::string_view line)
{
    const std::size_t end = line.find_last_not_of(' ');
    return end == line.npos ? std::string_view() : line.substr(0, end + 1);
}

// The names the text may show: its first line, then the first lines joined.
std::vector<std::string> shownNames(std::string_view text)
{
    std::vector<std::string> names;
    std::string name;
    for (const std::string_view line : descriptionLines(text)) {
        if (names.size() == maxNameLines)
            break;
        if (!names.empty())
            name += ' ';
        name += trimmed(line);
        names.push_back(name);
    }
    return names;
}

// Whether the name is one of shownNames(text), told without building them.
bool showsName(std::string_view text, std::string_view name)
{
    std::size_t start = 0;
    for (std::size_t lines = 0; lines < maxNameLines && start < text.size(); ++lines) {
        const std::size_t bar = std::min(text.find('|', start), text.size());
        const std::string_view line = trimmed(text.substr(start, bar - start));
        if (!name.starts_with(line))
            return false;
        name.remove_prefix(line.size());
        if (name.empty())
            return true;
        if (name.front() != ' ')
            return false;
        name.remove_prefix(1);
        start = bar + 1;
    }
    return false;
}

// The names a box may show the person by: plain, and with the title.
std::vector<std::string> nameForms(const GedcomPerson& person, bool keepUnderscores)
{
    std::vector<std::string> forms{displayName(person, {.keepUnderscores = keepUnderscores})};
    if (person.title.empty())
        return forms;
    if (std::string titled =
            displayName(person, {.keepUnderscores = keepUnderscores, .titles = true});
        titled != forms.front())
        forms.push_back(std::move(titled));
    return forms;
}

bool isYear(std::string_view text, std::size_t at)
{
    return std::all_of(text.begin() + long(at), text.begin() + long(at) + 4,
                       [](char c) { return c >= '0' && c <= '9'; }) &&
           (at + 4 == text.size() || text[at + 4] < '0' || text[at + 4] > '9');
}

// The first run of exactly four digits in the text, or 0.
int firstYear(std::string_view text)
{
    for (std::size_t i = 0; i + 4 <= text.size(); ++i)
        if (isYear(text, i))
            return digitsValue(text.substr(i, 4));
    return 0;
}

int birthYear(const GedcomPerson& person)
{
    return firstYear(person.birth.date.empty() ? person.christening.date : person.birth.date);
}

// A box that shows no year fits any.
bool yearFits(int shownYear, const GedcomPerson& person)
{
    return shownYear == 0 || birthYear(person) == shownYear;
}

} // namespace

int shownBirthYear(std::string_view text)
{
    // By the tag first, then by the line.
    const std::array<std::string_view, 4> tags = {englishEventWords.born, germanEventWords.born,
                                                  englishEventWords.christened,
                                                  germanEventWords.christened};
    std::size_t shownTag = tags.size();
    int year = 0;
    forEachDescriptionLine(text, [&](std::string_view line) {
        for (std::size_t tag = 0; tag < shownTag; ++tag)
            if (line.starts_with(tags[tag]))
                if (const int shown = firstYear(line.substr(tags[tag].size()))) {
                    shownTag = tag;
                    year = shown;
                }
    });
    return year;
}

bool namesPerson(const GedcomData& data, std::string_view text, int person, bool keepUnderscores)
{
    const GedcomPerson& shown = data.persons[std::size_t(person)];
    if (!yearFits(shownBirthYear(text), shown))
        return false;
    // The forms of nameForms, the titled one only when the plain one fails.
    if (showsName(text, displayName(shown, {.keepUnderscores = keepUnderscores})))
        return true;
    return !shown.title.empty() &&
           showsName(text,
                     displayName(shown, {.keepUnderscores = keepUnderscores, .titles = true}));
}

std::string_view firstLine(std::string_view text)
{
    return trimmed(text.substr(0, text.find('|')));
}

bool hidesIdentity(std::string_view text)
{
    return text == hiddenPersonText || firstLine(text) == namelessText || firstLine(text).empty();
}

namespace {

// Of a name, and of a name and birth year: one key.
std::string yearKey(const std::string& name, int year)
{
    return name + '\n' + std::to_string(year);
}

} // namespace

PersonsByName::PersonsByName(const GedcomData& data, bool keepUnderscores)
{
    byName_.reserve(data.persons.size());
    const auto count = [](Found& found, int person) {
        found.person = found.count++ == 0 ? person : -1;
    };
    for (std::size_t i = 0; i < data.persons.size(); ++i) {
        const int year = birthYear(data.persons[i]);
        for (const std::string& name : nameForms(data.persons[i], keepUnderscores)) {
            count(byName_[name], int(i));
            if (year != 0)
                count(byName_[yearKey(name, year)], int(i));
        }
    }
}

int PersonsByName::find(std::string_view text) const
{
    // A box that shows a year fits only persons born that year.
    const int year = shownBirthYear(text);
    for (const std::string& name : shownNames(text)) {
        const auto found = byName_.find(year == 0 ? name : yearKey(name, year));
        if (found != byName_.end() && found->second.count == 1)
            return found->second.person;
    }
    return -1;
}
