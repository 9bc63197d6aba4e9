// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The year of a GEDCOM date ("12 MAR 1850", "ABT 1850", "BET 1850 AND 1860":
// the first year written), or 0 when it has none.
int dateYear(std::string_view date);

// A number that orders dates by year, month and day as far as they are given;
// 0 when the date has no year.
long dateOrder(std::string_view date);
