// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// A cross-reference as a key: one of up to 16 bytes is held in two words, so
// that looking it up never reads the file's text again; a longer one is
// compared by its text.
struct XrefKey {
    std::string_view text;
    std::uint64_t words[2] = {0, 0};

    explicit XrefKey(std::string_view xref);
    bool operator==(const XrefKey& other) const;
    std::uint64_t hash() const;
};

// Cross-references to record indices, in one flat hash table of small slots: a
// node per entry, or a slot holding the key, would cost more in memory traffic
// than reading the file. The first record of a cross-reference wins.
class XrefIndex {
public:
    // The keys of records 0, 1, ... to their places.
    explicit XrefIndex(std::vector<XrefKey> keys);
    // The record, or -1.
    int find(const XrefKey& key) const;
    // Whether a cross-reference names more than one record.
    bool repeats() const { return repeats_; }
    // Starts fetching the key's slot, for a find() a little later: the table is
    // larger than the processor's caches.
    void prefetch(const XrefKey& key) const;

private:
    // Part of the key's hash beside the record, so that most slots that do not
    // match are passed over without looking at their key.
    struct Slot {
        std::uint32_t check = 0;
        int record = -1;
    };

    void insert(std::uint64_t hash, int record);

    std::vector<Slot> slots_;
    std::vector<XrefKey> keys_; // by record
    bool repeats_ = false;
};
