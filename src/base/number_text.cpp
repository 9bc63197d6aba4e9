// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_text.h"

#include <climits>

namespace {

bool isAtolSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

long long readDecimal(const char*& cursor)
{
    const char* p = cursor;
    while (isAtolSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (!isDigit(*p))
        return 0;
    // Saturate well beyond the int range; callers clamp.
    constexpr long long limit = 1'000'000'000'000LL;
    long long value = 0;
    while (isDigit(*p)) {
        if (value < limit)
            value = value * 10 + (*p - '0');
        ++p;
    }
    cursor = p;
    return negative ? -value : value;
}

int clampToInt(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return int(value);
}

int digitsValue(std::string_view digits)
{
    int value = 0;
    for (const char digit : digits)
        value = 10 * value + (digit - '0');
    return value;
}
