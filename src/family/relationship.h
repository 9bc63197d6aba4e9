// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"

#include <vector>

// How person A of a family file is related to person B.
enum class RelationKind : char {
    Blood,            // through common ancestors
    Spouses,          // A and B married each other
    SpouseOfRelative, // A married a blood relative of B: "the husband of a granddaughter of B"
    RelativeOfSpouse, // A is a blood relative of B's spouse: "the grandmother of the wife of B"
};

struct Relationship {
    RelationKind kind = RelationKind::Blood;
    // Generations from A (or, for SpouseOfRelative, from A's spouse) up to the
    // common ancestors, and from them down to B (or, for RelativeOfSpouse, to
    // B's spouse). 0 up: A is the ancestor; 0 down: B is. Both 0 for Spouses.
    int up = 0;
    int down = 0;
    // Only one of the ancestors is shared: half-siblings, half first cousins.
    bool half = false;
    // The nearest common ancestors: one person, or a couple (husband first).
    std::vector<int> ancestors;
    // The spouse the marriage goes through, for the two kinds by marriage; else -1.
    int inLaw = -1;
    // The persons from A to B: up to the ancestors (both of a couple), down to
    // B; through the spouse for the kinds by marriage.
    std::vector<int> line;

    friend bool operator==(const Relationship&, const Relationship&) = default;
};

// Every relationship of A to B, nearest first. Blood relationships are counted
// by their nearest common ancestors (the common ancestors none of whose
// children is one): a couple counts once, one parent shared alone is a half
// relationship, so cousins twice over have two. A marriage of A and B is
// listed beside them. Only without either: A married to a blood relative of B,
// then A a blood relative of a spouse of B. Empty when A and B are not
// related or are the same person. Time grows with the ancestors of A and B
// (and of their spouses), not with the file.
std::vector<Relationship> relationshipsOf(const GedcomData& data, int a, int b);

// The same relationship seen from B: up and down swapped, the line reversed,
// the two kinds by marriage exchanged.
Relationship reversed(Relationship relationship);
