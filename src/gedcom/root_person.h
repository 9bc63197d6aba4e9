// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"
#include "gedcom/person_filter.h"

#include <string_view>
#include <vector>

// The person a chart starts from when none is asked for: the file's home
// person, else the one with the most descendants (the earlier in the file on
// a tie); -1 for a file without persons. Descendants reached along two lines
// count twice; a family loop adds nothing.
int defaultRoot(const GedcomData& data);

// The persons a text names: the person with that record id (with or without
// at signs); else the persons whose name holds every word of it, narrowed to
// the one whose whole name it is when exactly one's is. One person found is
// the one meant; none or several, in name order, leave the choice open.
std::vector<int> personsNamed(const GedcomData& data, const PersonFilter& filter,
                              std::string_view text);
