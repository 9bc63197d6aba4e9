// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_date.h"

#include <array>
#include <ctime>

namespace {

constexpr std::array<std::string_view, 12> months = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// ASCII only, without the locale lookups of <cctype>: dates are ASCII.
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetterOrDigit(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Reads words up to the first year (three or four digits); the month and day
// are the words just before it.
DateParts dateParts(std::string_view date)
{
    DateParts parts;
    std::size_t at = 0;
    while (at < date.size()) {
        while (at < date.size() && !isLetterOrDigit(date[at]))
            ++at;
        std::size_t end = at;
        while (end < date.size() && isLetterOrDigit(date[end]))
            ++end;
        const std::string_view word = date.substr(at, end - at);
        at = end;
        bool digits = !word.empty();
        for (const char c : word)
            digits = digits && isDigit(c);
        if (digits && word.size() >= 3 && word.size() <= 4) {
            for (const char c : word)
                parts.year = parts.year * 10 + (c - '0');
            return parts;
        }
        if (digits && word.size() <= 2) {
            parts.day = (word[0] - '0') * (word.size() == 2 ? 10 : 1) +
                        (word.size() == 2 ? word[1] - '0' : 0);
            continue;
        }
        parts.month = 0;
        for (std::size_t m = 0; m < months.size(); ++m) {
            if (word.size() == 3 && upper(word[0]) == months[m][0] &&
                upper(word[1]) == months[m][1] && upper(word[2]) == months[m][2])
                parts.month = int(m) + 1;
        }
        if (parts.month == 0)
            parts.day = 0;
    }
    return {};
}

} // namespace

int dateYear(std::string_view date) { return dateParts(date).year; }

long dateOrder(std::string_view date)
{
    const DateParts parts = dateParts(date);
    return parts.year == 0 ? 0 : parts.year * 10000L + parts.month * 100 + parts.day;
}

CalendarDate currentDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

long latestOrder(std::string_view date)
{
    const DateParts parts = dateParts(date);
    if (parts.year == 0)
        return 0;
    return parts.year * 10000L + (parts.month ? parts.month : 12) * 100 +
           (parts.day ? parts.day : 31);
}

long yearsBefore(const CalendarDate& date, int years)
{
    return (date.year - years) * 10000L + date.month * 100 + date.day;
}
