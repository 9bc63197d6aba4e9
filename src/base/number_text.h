// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Decimal reading with the semantics of atol: leading white space, an optional
// sign, digits; 0 when there are none. The cursor ends after the last digit (or
// where it started when nothing was read). The value saturates instead of
// overflowing. Never reads past the terminator.
long long readDecimal(const char*& cursor);

int clampToInt(long long value);

// The value of a few decimal digits (a day, a year): every character must be one.
int digitsValue(std::string_view digits);
