// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Person;

// A box's record in the family file it was imported from: the person's
// cross-reference and a fingerprint of the text the import wrote, which tells
// whether the user has changed the text since.
struct RecordLink {
    std::string xref;
    std::uint32_t fingerprint = 0;
};

// The fingerprint of a box text: FNV-1a over its bytes.
std::uint32_t textFingerprint(std::string_view text);

// The records of a chart's linked boxes, beside the boxes so that a chart
// without links pays for an empty table only. Keyed by the box: whoever
// destroys a box drops its entry first. One flat table: a node per record
// cost a load of a large linked chart more than reading its records.
class RecordLinks {
public:
    // The box's record, or null for a box typed by hand.
    const RecordLink* find(const Person* box) const;
    RecordLink* find(const Person* box);
    void set(const Person* box, RecordLink link);
    // Sets or (with null) drops the box's record.
    void assign(const Person* box, const RecordLink* link);
    void erase(const Person* box);
    // Makes room for this many records at once.
    void reserve(std::size_t count);
    bool empty() const { return used_ == 0; }
    std::size_t size() const { return used_; }
    void clear();

private:
    struct Slot {
        const Person* box = nullptr; // null: empty
        RecordLink link;
    };
    std::size_t home(const Person* box) const;
    // The slot holding the box, or the empty slot where it would go.
    std::size_t slotOf(const Person* box) const;
    void rehash(std::size_t slotCount);

    std::vector<Slot> slots_; // a power of two of them, at most three quarters used
    std::size_t used_ = 0;
};

// Whether the box's text is still the text its family file gave it (false for
// a box without a record, or one the user has retyped).
bool hasFileText(const Person& box, const RecordLink* link);
