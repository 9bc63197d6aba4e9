// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

class Chart;
class PieceBuffer;
struct GedcomData;

// The persons of a family file a page needs to follow lines and tell
// relationships: those in its charts, their spouses, and every ancestor of
// both; each with parents and spouses as places in the table. A chart's boxes
// point into it through their records.
class PageFamily {
public:
    // hidden: by the file's person, those whose names the charts keep from
    // view (the living); empty for none. Their names are "Living".
    PageFamily(const GedcomData& data, const std::vector<const Chart*>& charts,
               std::vector<bool> hidden);

    // The person's place in the table by cross-reference, or -1.
    int indexOf(std::string_view xref) const;
    std::size_t size() const { return persons_.size(); }

    // The table as the page's "family" object: ids, names and sexes, then
    // fathers, mothers and spouses as places plus 1 (0: none); spouseCounts
    // tells how many of spouses are each person's.
    void write(PieceBuffer& out) const;

private:
    const GedcomData& data_;
    std::vector<bool> hidden_;
    std::vector<int> persons_; // the file's persons in the table, in file order
    std::vector<int> place_;   // of each of the file's persons: its place, or -1
};
