// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/person_description.h"

#include "gedcom/gedcom_date.h"

namespace {

// Appends text as one line of box text: blanks and line breaks collapsed, and
// no bar, which would start a new line.
void appendOneLine(std::string& out, std::string_view text, bool dropSlashes = false)
{
    const std::size_t start = out.size();
    // Most values need no change: taken whole.
    bool plain = text.empty() || (text.front() != ' ' && text.back() != ' ');
    for (std::size_t i = 0; plain && i < text.size(); ++i) {
        const char c = text[i];
        plain = c != '|' && c != '\t' && c != '\n' && c != '\r' && !(dropSlashes && c == '/') &&
                !(c == ' ' && text[i + 1] == ' ');
    }
    if (plain) {
        out.append(text);
        return;
    }
    bool blank = false;
    for (char c : text) {
        if (dropSlashes && c == '/')
            c = ' ';
        if (c == '|')
            c = '/';
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = out.size() > start;
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
}

// Appends " |" and the line "prefix DATE, PLACE" when the event has either.
void appendEventLine(std::string& out, std::string_view prefix, const GedcomEvent& event,
                     bool places)
{
    const std::size_t start = out.size();
    out.append(" |").append(prefix);
    const std::size_t body = out.size();
    appendOneLine(out, event.date);
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

void appendName(std::string& out, const GedcomPerson& person)
{
    if (!person.name.empty())
        appendOneLine(out, person.name, true);
    else
        appendOneLine(out, std::string(person.given).append(" ").append(person.surname));
}

} // namespace

std::string displayName(const GedcomPerson& person)
{
    std::string name;
    appendName(name, person);
    return name;
}

NameParts nameParts(const GedcomPerson& person)
{
    NameParts parts;
    const std::size_t open = person.name.find('/');
    const std::size_t close =
        open == std::string_view::npos ? open : person.name.find('/', open + 1);
    if (close != std::string_view::npos) {
        appendOneLine(parts.given, std::string(person.name.substr(0, open))
                                       .append(" ")
                                       .append(person.name.substr(close + 1)));
        appendOneLine(parts.surname, person.name.substr(open + 1, close - open - 1));
    } else {
        appendOneLine(parts.given, person.name.empty() ? person.given : person.name, true);
        appendOneLine(parts.surname, person.surname);
    }
    return parts;
}

std::string lifeYears(const GedcomPerson& person)
{
    const int born =
        dateYear(person.birth.date.empty() ? person.christening.date : person.birth.date);
    const int died = dateYear(person.death.date.empty() ? person.burial.date : person.death.date);
    if (!born && !died)
        return {};
    return (born ? std::to_string(born) : "") + "\u2013" + (died ? std::to_string(died) : "");
}

void describePerson(const GedcomData& data, int index, const DescriptionOptions& options,
                    std::string& text, const std::vector<bool>& living)
{
    const auto isPrivate = [&](int p) {
        return options.living != LivingPolicy::Show && p >= 0 && std::size_t(p) < living.size() &&
               living[std::size_t(p)];
    };
    const GedcomPerson& person = data.persons[std::size_t(index)];
    text.clear();
    if (isPrivate(index) && options.living == LivingPolicy::Hide) {
        text = "Living";
        return;
    }
    appendName(text, person);
    if (text.empty())
        text.push_back('?');
    if (isPrivate(index))
        return;
    const bool born = !person.birth.empty();
    appendEventLine(text, born ? "b. " : "chr. ", born ? person.birth : person.christening,
                    options.places);
    const bool died = !person.death.empty();
    appendEventLine(text, died ? "d. " : "bur. ", died ? person.death : person.burial,
                    options.places);
    if (options.marriages) {
        for (const int f : person.spouseIn) {
            const GedcomFamily& family = data.families[std::size_t(f)];
            const int partner = family.husband == index ? family.wife : family.husband;
            if (!isPrivate(partner))
                appendEventLine(text, "m. ", family.marriage, false);
        }
    }
}
