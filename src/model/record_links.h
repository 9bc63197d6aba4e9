// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

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
// destroys a box drops its entry first.
class RecordLinks {
public:
    // The box's record, or null for a box typed by hand.
    const RecordLink* find(const Person* box) const;
    RecordLink* find(const Person* box);
    void set(const Person* box, RecordLink link);
    // Sets or (with null) drops the box's record.
    void assign(const Person* box, const RecordLink* link);
    void erase(const Person* box) { links_.erase(box); }
    void reserve(std::size_t count) { links_.reserve(count); }
    bool empty() const { return links_.empty(); }
    std::size_t size() const { return links_.size(); }
    void clear() { links_.clear(); }

private:
    std::unordered_map<const Person*, RecordLink> links_;
};

// Whether the box's text is still the text its family file gave it (false for
// a box without a record, or one the user has retyped).
bool hasFileText(const Person& box, const RecordLink* link);
