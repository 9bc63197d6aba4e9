// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/person.h"

#include "model/pair_text.h"
#include "model/tree.h"

#include <string>

// A chart may hold a million boxes: keep the record small (the name's line
// count took 8 of these bytes, the two colours the last 8).
static_assert(sizeof(void*) != 8 || sizeof(Person) <= 96);

Person::Person(std::string_view description, Cell cell, Links links) : links_(links), cell_(cell)
{
    setText(description);
}

Person::~Person() = default;

void Person::describe(std::ostream& out) const
{
    if (kind() == BoxKind::Continuation)
        out << "  Continuation box, dir " << direction() << ": " << text;
    else
        out << "  Box " << text;
    out << " at " << writePair(column(), level()) << ", connected "
        << writePair(rightLink(), downLink()) << ", lineage " << lineage << '\n';
}

void Person::setLinks(Links links, int /*direction*/) { setLinkLengths(links); }

void Person::setText(std::string_view edit)
{
    std::string stored;
    const std::string_view source = edit.substr(0, edit.find('\0'));
    stored.reserve(source.size() + 8);
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < source.size() && source[i + 1] == '\n')
                ++i;
            stored += " |";
        } else {
            stored += c;
        }
    }
    text = std::move(stored);
}

std::string Person::editText() const
{
    std::string edit;
    const std::string_view source = text;
    edit.reserve(source.size() + 8);
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '|' && i > 0) {
            if (source[i - 1] == ' ')
                edit.pop_back();
            edit += "\r\n";
        } else {
            edit += source[i];
        }
    }
    return edit;
}

void Person::copyContentFrom(const Person& source)
{
    text = source.text;
    setLinkLengths(source.links());
    lineage = source.lineage;
    ownColour = source.ownColour;
    schemeColour = source.schemeColour;
    nameLines_ = source.nameLines_;
}

void Person::setNameLines(int lines)
{
    nameLines_ = std::uint8_t(lines >= 1 && lines <= 99 ? lines : 1);
}

void Person::setCell(Cell cell)
{
    if (cell == cell_)
        return;
    if (owner_)
        owner_->moveInIndex(this, cell);
    else
        cell_ = cell;
}

void Person::setLinkLengths(Links links)
{
    links_ = links;
    if (owner_)
        owner_->noteLinks(links);
}

ContPerson::ContPerson(std::string_view description, Cell cell, Links links, int direction)
    : Person(description, cell, links)
{
    setDirection(direction);
}

void ContPerson::setLinks(Links /*links*/, int direction) { setDirection(direction); }

void ContPerson::setDirection(int direction)
{
    direction_ = direction >= 0 && direction <= 4 ? direction : 4;
}

DirectionFactors directionFactors(int direction)
{
    static constexpr DirectionFactors table[] = {{1, 0}, {2, 1}, {1, 2}, {0, 1}, {1, 1}};
    return table[direction >= 0 && direction <= 4 ? direction : 4];
}
