// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/person_description.h"

#include "gedcom/gedcom_date.h"
#include "layout/date_text.h"

#include <algorithm>

namespace {

// Characters a name shows as a blank besides blanks and line breaks: files
// join the words of a name part with underscores.
constexpr std::string_view underscores = "_";
constexpr std::string_view slashesAndUnderscores = "/_";
constexpr std::string_view slashes = "/";

bool isBreak(char c, std::string_view breaks)
{
    // Searched by hand: a library call a character costs more than the copying.
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' ||
           std::find(breaks.begin(), breaks.end(), c) != breaks.end();
}

// Appends text as one line of box text: blanks, line breaks and the given
// breaks collapsed, and no bar, which would start a new line. Runs of plain
// characters are copied whole: most values are one run.
void appendOneLine(std::string& out, std::string_view text, std::string_view breaks = {})
{
    const std::size_t start = out.size();
    bool blank = false;
    for (std::size_t at = 0; at < text.size();) {
        if (isBreak(text[at], breaks)) {
            blank = out.size() > start;
            ++at;
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        if (text[at] == '|') {
            out += '/';
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        while (end < text.size() && !isBreak(text[end], breaks) && text[end] != '|')
            ++end;
        out.append(text.substr(at, end - at));
        at = end;
    }
}

// Appends " |" and the line "prefix DATE, PLACE" when the event has either.
void appendEventLine(std::string& out, std::string_view prefix, const GedcomEvent& event,
                     bool places, const DescriptionOptions& options)
{
    const std::size_t start = out.size();
    out.append(" |").append(prefix);
    const std::size_t body = out.size();
    appendOneLine(out, dateText(event.date, options.dates, options.dateLanguage));
    if (places) {
        const std::size_t beforePlace = out.size();
        out.append(", ");
        const std::size_t place = out.size();
        appendOneLine(out, event.place.substr(0, event.place.find(',')));
        if (out.size() == place)
            out.resize(beforePlace);
        else if (beforePlace == body)
            out.erase(beforePlace, 2); // no date before the place
    }
    if (out.size() == body)
        out.resize(start);
}

void appendNameOnly(std::string& out, const GedcomPerson& person, const DescriptionOptions& options)
{
    if (!person.name.empty())
        appendOneLine(out, person.name, options.keepUnderscores ? slashes : slashesAndUnderscores);
    else
        appendOneLine(out, std::string(person.given).append(" ").append(person.surname),
                      options.keepUnderscores ? std::string_view() : underscores);
}

void appendName(std::string& out, const GedcomPerson& person, const DescriptionOptions& options)
{
    const std::size_t start = out.size();
    appendNameOnly(out, person, options);
    if (!options.titles || out.size() == start)
        return;
    std::string title;
    appendOneLine(title, person.title);
    // "Dr. John Smith" titled "Dr." keeps one.
    const std::string_view name = std::string_view(out).substr(start);
    if (title.empty() ||
        (name.starts_with(title) && (name.size() == title.size() || name[title.size()] == ' ')))
        return;
    out.insert(start, title + ' ');
}

} // namespace

std::string displayName(const GedcomPerson& person, const DescriptionOptions& options)
{
    std::string name;
    appendName(name, person, options);
    return name;
}

NameParts nameParts(const GedcomPerson& person)
{
    NameParts parts;
    const std::size_t open = person.name.find('/');
    const std::size_t close =
        open == std::string_view::npos ? open : person.name.find('/', open + 1);
    if (close != std::string_view::npos) {
        appendOneLine(parts.given, person.name.substr(0, open), underscores);
        // A blank before what follows the surname ("Jr."), if anything does.
        if (!parts.given.empty())
            parts.given += ' ';
        const std::size_t before = parts.given.size();
        appendOneLine(parts.given, person.name.substr(close + 1), underscores);
        if (parts.given.size() == before && before > 0)
            parts.given.pop_back();
        appendOneLine(parts.surname, person.name.substr(open + 1, close - open - 1), underscores);
    } else {
        appendOneLine(parts.given, person.name.empty() ? person.given : person.name,
                      slashesAndUnderscores);
        appendOneLine(parts.surname, person.surname, underscores);
    }
    return parts;
}

std::string lifeYears(const GedcomPerson& person)
{
    return lifeYears(
        dateYear(person.birth.date.empty() ? person.christening.date : person.birth.date),
        dateYear(person.death.date.empty() ? person.burial.date : person.death.date));
}

std::string lifeYears(int born, int died)
{
    if (!born && !died)
        return {};
    return (born ? std::to_string(born) : "") + "\u2013" + (died ? std::to_string(died) : "");
}

void describePerson(const GedcomData& data, int index, const DescriptionOptions& options,
                    std::string& text, const std::vector<bool>& living)
{
    const auto isPrivate = [&](int p) {
        return options.living != LivingPolicy::ShowAll && p >= 0 &&
               std::size_t(p) < living.size() && living[std::size_t(p)];
    };
    const GedcomPerson& person = data.persons[std::size_t(index)];
    text.clear();
    // Showing the living, the ones left in living are the records marked private.
    const bool hidden =
        options.living == LivingPolicy::Hide || options.living == LivingPolicy::Show;
    if (isPrivate(index) && hidden) {
        text = hiddenPersonText;
        return;
    }
    appendName(text, person, options);
    if (text.empty())
        text.append(namelessText);
    if (isPrivate(index))
        return;
    const EventWords& words = eventWords(options.dateLanguage);
    const bool born = !person.birth.empty();
    appendEventLine(text, born ? words.born : words.christened,
                    born ? person.birth : person.christening, options.places, options);
    const bool died = !person.death.empty();
    appendEventLine(text, died ? words.died : words.buried, died ? person.death : person.burial,
                    options.places, options);
    if (options.marriages) {
        for (const int f : person.spouseIn) {
            const GedcomFamily& family = data.families[std::size_t(f)];
            const int partner = family.husband == index ? family.wife : family.husband;
            if (!isPrivate(partner))
                appendEventLine(text, words.married, family.marriage, false, options);
        }
    }
}
