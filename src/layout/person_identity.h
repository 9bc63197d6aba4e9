// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A person as a box shows them: the name ("Given Surname", with or without
// the title before it) on the first line or the first lines joined by blanks
// (a wrapped name), and the birth (else christening) year when the box shows
// one. Linking and updating compare boxes with persons by this alone.

// The year of the box's birth (else christening) line, in English or German,
// or 0 when it shows none.
int shownBirthYear(std::string_view text);

// Whether the box's text shows the person (names as the file writes them,
// underscores and all, when keepUnderscores).
bool namesPerson(const GedcomData& data, std::string_view text, int person,
                 bool keepUnderscores = false);

// The text's first line without the blanks at its end: what a report names
// a box by.
std::string_view firstLine(std::string_view text);

// Whether the text shows no identity to compare: a person kept from view, or
// one without a name.
bool hidesIdentity(std::string_view text);

// The file's persons by the names a box may show, to find the one a box names.
class PersonsByName {
public:
    explicit PersonsByName(const GedcomData& data, bool keepUnderscores = false);
    // The person the text shows: of its first line, then its first lines
    // joined, the first that leaves exactly one person; -1 when none does.
    int find(std::string_view text) const;

private:
    struct Found {
        int person = -1; // -1 while none or several are
        int count = 0;
    };
    // By name, and by name and birth year: looked up once a name, however
    // many share it.
    std::unordered_map<std::string, Found> byName_;
};
