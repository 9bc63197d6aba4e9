// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The grid pair text form: first number, 'j', second number ("3j12").
struct PairValue {
    long x = 0;
    long y = 0;
};

std::string writePair(long x, long y);

// Reads X with atol semantics, moves to the next 'j' (or the end), reads Y after
// it (Y = X without a 'j'), then moves past the 'j' and the digits after it (a
// sign or a blank stops it). Never moves past the terminator.
PairValue readPair(const char*& cursor);
