// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "family/relationship.h"
#include "model/family_link.h"

#include <string>
#include <string_view>

// A relationship in words, English or German, for a person of sex 'M', 'F' or
// anything else (unknown: the forms that name no sex).
//
// The term, for A, by the generations up from A and down to B:
//   up 0, down 1, 2, 3, 4, 5, 6: mother, grandmother, great-grandmother,
//     great-great-grandmother, 3rd great-grandmother, 4th great-grandmother
//     (father, parent; Mutter, Großmutter, Urgroßmutter, Ururgroßmutter,
//     3-fach-Urgroßmutter; Vater, Elternteil, Großelternteil)
//   down 0, up 1, 2, 3, ...: daughter, granddaughter, great-granddaughter, ...
//     (son, child, grandchild; Tochter, Enkelin, Urenkelin, Ururenkelin,
//     3-fach-Urenkelin; Sohn, Kind, Enkel, Enkelkind)
//   up 1, down 1: sister, half-sister (brother, sibling; Schwester,
//     Halbschwester, Bruder, Geschwister, Halbgeschwister)
//   up 1, down 2, 3, 4, 5: aunt, great-aunt, great-great-aunt, 3rd great-aunt
//     (uncle, "uncle or aunt", half-aunt; Tante, Großtante, Urgroßtante,
//     Ururgroßtante; Onkel, "Onkel oder Tante", Halbtante)
//   down 1, up 2, 3, ...: niece, great-niece, ... (nephew, "nephew or niece";
//     Nichte, Großnichte, Urgroßnichte; Neffe)
//   up and down 2 or more: first cousin, second cousin once removed, third
//     cousin twice removed, fourth cousin three times removed, 11th cousin 4
//     times removed, half first cousin (Cousine, Cousin, "Cousin oder
//     Cousine", Cousine 2. Grades, Cousin 3. Grades (1 Generation versetzt),
//     Cousin (2 Generationen versetzt), Halbcousine); the degree is the fewer
//     generations less one, the removal the difference.
// The spouse: husband, wife, spouse (Ehemann, Ehefrau, Ehepartner).
std::string relationTerm(int up, int down, bool half, char sex, DateLanguage language);

// The sentence, A and B by their names, sexA A's sex, sexInLaw the sex of the
// spouse a relationship by marriage goes through:
//   Blood:            "A is the grandmother of B"       "A ist die Großmutter von B"
//   Spouses:          "A is the husband of B"           "A ist der Ehemann von B"
//   SpouseOfRelative: "A is the husband of a granddaughter of B"
//                     "A ist der Ehemann einer Enkelin von B"
//                     ("the mother"/"der Mutter", "the father"/"des Vaters" as
//                     there is one; "an uncle", "eines Onkels", "eines Neffen")
//   RelativeOfSpouse: "A is the grandmother of the wife of B"
//                     "A ist die Großmutter der Ehefrau von B" ("des Ehemanns",
//                     "des Ehepartners")
// English says "the" before every term of A; German the article of the term
// ("der Onkel oder die Tante" for both).
std::string relationshipSentence(const Relationship& relationship, char sexA, char sexInLaw,
                                 std::string_view nameA, std::string_view nameB,
                                 DateLanguage language);

// "A is not related to B", "A ist nicht mit B verwandt".
std::string notRelatedSentence(std::string_view nameA, std::string_view nameB,
                               DateLanguage language);
