// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"
#include "gedcom/gedcom_date.h"
#include "layout/family_layout.h"

#include <vector>

// Who is living on the given day, by person: no death or burial record, and
// born (else christened) less than 100 years before, or without such a date
// but with a child born (else christened) less than 80 years before. A date of
// only a year or a month counts as its last day, so a doubt counts as living.
// A record the file marks private counts as living whatever its dates.
std::vector<bool> livingPersons(const GedcomData& data, const CalendarDate& today);

// How many persons of the plan are living, each counted once however many
// boxes they have.
int livingCount(const std::vector<PlannedBox>& plan, const std::vector<bool>& living);
