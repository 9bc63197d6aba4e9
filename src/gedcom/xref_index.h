// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Cross-references to record indices, in one flat hash table: a node per entry
// would cost more than reading the file. The first record of a cross-reference
// wins.
class XrefIndex {
public:
    explicit XrefIndex(std::size_t expected);
    void add(std::string_view xref, int record);
    // The record, or -1.
    int find(std::string_view xref) const;

private:
    struct Slot {
        std::string_view xref;
        int record = -1;
    };
    std::size_t slotOf(std::string_view xref) const;

    std::vector<Slot> slots_;
};
