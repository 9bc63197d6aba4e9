// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour.h"
#include "model/geometry.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

class DrawContext;
class Tree;
struct TreeSettings;

// Connector lengths: the right connector, then the down connector.
struct Links {
    int right = 0;
    int down = 0;
};

// A person box; a continuation box; a box held aside (the copy buffer, the
// undo record's saved copy). The values are the letters the log writes.
enum class BoxKind : char { Person = 'P', Continuation = 'p', HeldAside = 'Z' };

// A person box: a description and up to two connectors (rightward, downward).
// The cell and the connector lengths change only through the setters, so that
// the Tree holding the box keeps its cell index right.
class Person {
public:
    Person() = default;
    // A box typed in the dialog; the description is taken through setText().
    Person(std::string_view description, Cell cell, Links links);
    Person(const Person&) = delete;
    Person& operator=(const Person&) = delete;
    virtual ~Person();

    virtual BoxKind kind() const { return BoxKind::Person; }

    // Sets both links from the pair; a continuation box takes the direction instead.
    virtual void setLinks(Links links, int direction);
    // Draws the box at its cell with the chart's box size and small-font line.
    virtual void draw(DrawContext& dc, const TreeSettings& settings, bool selected) const;
    virtual int direction() const { return 4; }

    // The describe line of the log, with its end of line.
    void describe(std::ostream& out) const;

    // Stores edit-control text: every line break (CR LF, LF or a lone CR) becomes
    // a blank and a bar, so no character is lost.
    void setText(std::string_view edit);
    // The text for an edit control: each stored line break (" |", or a bare '|'
    // after the first byte) comes back as CR LF.
    std::string editText() const;

    // Text, links, lineage and colours of another box (not its cell, kind or direction).
    void copyContentFrom(const Person& source);

    Cell cell() const { return cell_; }
    int column() const { return cell_.column; }
    int level() const { return cell_.level; }
    void setCell(Cell cell);

    int rightLink() const { return links_.right; }
    int downLink() const { return links_.down; }
    Links links() const { return links_; }
    void setLinkLengths(Links links);

    // The lines the name takes (a long name wrapped), all in the name's font:
    // 1 to 99, a value outside taken as 1.
    int nameLines() const { return nameLines_; }
    void setNameLines(int lines);

    // The stored description: bytes, line breaks as " |".
    std::string text;
    // Which connectors lie on a drawn lineage (1 right, 2 down).
    int lineage = 0;
    // The box's fill: a colour chosen by hand wins over the one its chart's
    // colour scheme gives it; noColour for none.
    Colour ownColour = noColour;
    Colour schemeColour = noColour;
    // The colour the box is filled with, standard when it has none of its own.
    Colour fillColour(Colour standard) const
    {
        return ownColour != noColour ? ownColour : schemeColour != noColour ? schemeColour : standard;
    }

private:
    friend class Tree;
    friend class CellIndex;

    Links links_;
    Cell cell_;
    // Kept by the Tree that holds the box: its place in list order and the next
    // box at the same cell.
    std::uint32_t listOrder_ = 0;
    std::uint8_t nameLines_ = 1;
    Tree* owner_ = nullptr;
    Person* nextAtCell_ = nullptr;
};

// A continuation box: stands for a branch continued in another chart and points
// toward one side (0 up, 1 right, 2 down, 3 left, 4 none).
class ContPerson : public Person {
public:
    ContPerson() = default;
    ContPerson(std::string_view description, Cell cell, Links links, int direction);

    BoxKind kind() const override { return BoxKind::Continuation; }
    void setLinks(Links links, int direction) override;
    void draw(DrawContext& dc, const TreeSettings& settings, bool selected) const override;
    int direction() const override { return direction_; }

    // Any value outside 0 to 4 becomes 4.
    void setDirection(int direction);

private:
    int direction_ = 4;
};

// A box held aside, outside any tree: the copy buffer, the undo record's copy.
class StorePerson : public Person {
public:
    BoxKind kind() const override { return BoxKind::HeldAside; }
};

// Fractions of a continuation box's cell by direction: the side it touches.
struct DirectionFactors {
    int x;
    int y;
};
DirectionFactors directionFactors(int direction);
