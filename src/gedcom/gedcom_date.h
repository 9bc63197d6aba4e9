// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The year of a GEDCOM date ("12 MAR 1850", "ABT 1850", "BET 1850 AND 1860":
// the first year written), or 0 when it has none.
int dateYear(std::string_view date);

// A number that orders dates by year, month and day as far as they are given;
// 0 when the date has no year.
long dateOrder(std::string_view date);

// A day of the Gregorian calendar.
struct CalendarDate {
    int year = 0;
    int month = 1;
    int day = 1;
};

// Today by the system's clock, in its time zone.
CalendarDate currentDate();

// dateOrder() of the last day the date can mean, a missing month or day taken
// as the last one ("1925" as 31 DEC 1925); 0 when the date has no year.
long latestOrder(std::string_view date);

// dateOrder() of the day the given number of years before the date.
long yearsBefore(const CalendarDate& date, int years);
