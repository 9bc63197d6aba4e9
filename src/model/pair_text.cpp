// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/pair_text.h"

#include "base/number_text.h"

#include <cstdio>
#include <cstring>

std::string writePair(long x, long y)
{
    char text[48];
    std::snprintf(text, sizeof text, "%lij%li", x, y);
    return text;
}

PairValue readPair(const char*& cursor)
{
    PairValue pair;
    const char* p = cursor;
    pair.x = long(readDecimal(p));
    const char* j = std::strchr(cursor, 'j');
    if (!j) {
        cursor += std::strlen(cursor);
        pair.y = pair.x;
        return pair;
    }
    const char* afterJ = j + 1;
    pair.y = long(readDecimal(afterJ));
    cursor = j + 1;
    while (*cursor >= '0' && *cursor <= '9')
        ++cursor;
    return pair;
}
