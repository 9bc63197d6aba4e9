// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tree.h"

#include <QtTest>
#include <memory>
#include <string_view>

// Boxes for editing tests, appended to a tree and returned for inspection.
inline Person* addBox(Tree& tree, const char* text, Cell cell, Links links = {})
{
    return tree.append(std::make_unique<Person>(text, cell, links));
}

inline Person* addCont(Tree& tree, const char* text, Cell cell, Links links, int direction)
{
    return tree.append(std::make_unique<ContPerson>(text, cell, links, direction));
}

// A plain box that counts the live instances, to see boxes destroyed exactly once.
class CountedPerson : public Person {
public:
    CountedPerson(const char* text, Cell cell) : Person(text, cell, {}) { ++live; }
    ~CountedPerson() override { --live; }
    static inline int live = 0;
};

// Readable cells in failed comparisons.
inline char* toString(const Cell& cell)
{
    return QTest::toString(QStringLiteral("%1j%2").arg(cell.column).arg(cell.level));
}

// Texts compared as bytes, shown readably when they differ.
inline QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}
