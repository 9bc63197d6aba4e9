// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"
#include "layout/family_layout.h"
#include "layout/person_filter.h"

#include <string_view>
#include <vector>

// The person a chart starts from when none is asked for.
struct DefaultRoot {
    int person = -1;         // -1 for a file without persons
    bool home = false;       // the file's home person
    std::size_t persons = 0; // else the persons of that person's chart
};

// The file's home person, else the person whose chart of the layout's kind
// and generations (its root ignored) holds the most persons, the earliest
// born on a tie (then the earlier in the file). Charts are ranked by a bound
// counted generation by generation (descendants along two lines twice) and
// the best few are laid out to count them exactly: time grows with the
// persons times the generations.
DefaultRoot defaultRoot(const GedcomData& data, const LayoutRequest& layout = {});

// The persons a text names: the person with that record id (with or without
// at signs); else the persons whose names hold every word of it, narrowed to
// the one whose whole name it is when exactly one's is (then others, when
// given, counts the rest). One person found is the one meant; none or
// several, in name order, leave the choice open.
std::vector<int> personsNamed(const GedcomData& data, const PersonFilter& filter,
                              std::string_view text, std::size_t* others = nullptr);
