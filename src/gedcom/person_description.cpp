// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/person_description.h"

#include "gedcom/gedcom_date.h"

namespace {

// One line of box text: blanks and line breaks collapsed, and no bar, which
// would start a new line.
std::string oneLine(std::string_view text, bool dropSlashes = false)
{
    std::string out;
    out.reserve(text.size());
    bool blank = false;
    for (char c : text) {
        if (dropSlashes && c == '/')
            c = ' ';
        if (c == '|')
            c = '/';
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

std::string eventLine(std::string_view prefix, const GedcomEvent& event, bool places)
{
    std::string text = oneLine(event.date);
    if (places) {
        const std::string place =
            oneLine(std::string_view(event.place).substr(0, event.place.find(',')));
        if (!place.empty())
            text += (text.empty() ? "" : ", ") + place;
    }
    return text.empty() ? text : std::string(prefix) + text;
}

} // namespace

std::string displayName(const GedcomPerson& person)
{
    if (!person.name.empty())
        return oneLine(person.name, true);
    return oneLine(person.given + " " + person.surname);
}

std::string lifeYears(const GedcomPerson& person)
{
    const int born =
        dateYear(person.birth.date.empty() ? person.christening.date : person.birth.date);
    const int died = dateYear(person.death.date);
    if (!born && !died)
        return {};
    return (born ? std::to_string(born) : "") + "\u2013" + (died ? std::to_string(died) : "");
}

std::string describePerson(const GedcomData& data, int index, const DescriptionOptions& options)
{
    const GedcomPerson& person = data.persons[std::size_t(index)];
    std::string text = displayName(person);
    if (text.empty())
        text = "?";
    auto add = [&text](const std::string& line) {
        if (!line.empty())
            text += " |" + line;
    };
    const bool born = !person.birth.empty();
    add(eventLine(born ? "b. " : "chr. ", born ? person.birth : person.christening,
                  options.places));
    add(eventLine("d. ", person.death, options.places));
    if (options.marriages) {
        for (const int family : person.spouseIn)
            add(eventLine("m. ", {data.families[std::size_t(family)].marriage.date, {}}, false));
    }
    return text;
}
