// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tree.h"

#include <QtTest>

// Boxes for editing tests, appended to a tree and returned for inspection.
inline Person* addBox(Tree& tree, const char* text, Cell cell, Links links = {})
{
    auto* box = new Person(text, cell, links);
    tree.append(box);
    return box;
}

inline Person* addCont(Tree& tree, const char* text, Cell cell, Links links, int direction)
{
    auto* box = new ContPerson(text, cell, links, direction);
    tree.append(box);
    return box;
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

// String compares by pointer through its conversion; compare the bytes instead.
inline QByteArray bytes(const String& text) { return QByteArray(text.c_str()); }
