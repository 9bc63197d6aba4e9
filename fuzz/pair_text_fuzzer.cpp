// SPDX-License-Identifier: GPL-3.0-or-later
// The pair reader on any text: the cursor only moves forward and stays within
// the text, and a written pair reads back as itself.
#include "fuzz_checks.h"
#include "model/pair_text.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A heap copy of exactly the text and its terminator, so AddressSanitizer
    // sees any read past the end.
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const char* begin = text.data();
    const char* end = begin + std::strlen(begin);

    const char* cursor = begin;
    while (true) {
        const char* before = cursor;
        const PairValue pair = readPair(cursor);
        require(cursor >= before && cursor <= end, "the cursor stays within the text");
        if (cursor == before || cursor == end)
            break;
        // A pair written from what was read reads back the same, when the second
        // number has no sign (the form the chart files use).
        if (pair.y >= 0) {
            const std::string written = writePair(pair.x, pair.y);
            const char* again = written.c_str();
            const PairValue back = readPair(again);
            require(back.x == pair.x && back.y == pair.y, "a written pair reads back");
            require(*again == '\0', "a written pair is read whole");
        }
    }
    return 0;
}
