// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The persons of a file as a list to choose from, in name order (surname, then
// given names, then date of birth; persons without a name last), each shown as
// "Name, years"; and a search over the list that ignores case and accents as
// the editor's find does ("zoe" finds "Zoë").
class PersonFilter {
public:
    enum class Scope { Name, NameAndYears };

    explicit PersonFilter(const GedcomData& data);

    std::size_t size() const { return order_.size(); }
    // "Given Surname, 1850–1911", and its two parts.
    std::string_view label(int person) const;
    std::string_view name(int person) const;
    std::string_view years(int person) const;
    // The person at a place in name order, and the place of a person.
    int personAt(std::size_t rank) const { return order_[rank]; }
    std::size_t rankOf(int person) const { return ranks_[std::size_t(person)]; }

    // The persons whose names (the name, title, prefix, suffix and nickname),
    // or names and years, hold every word of the query, in name order;
    // everyone for a query without words.
    std::vector<int> matching(std::string_view query, Scope scope = Scope::NameAndYears) const;
    // Of the persons given, those whose whole name is the query.
    std::vector<int> withWholeName(std::string_view query, const std::vector<int>& among) const;

private:
    std::string_view foldedLine(std::size_t rank) const;

    std::string labels_;                   // one after another
    std::vector<std::size_t> labelStarts_; // by person, and the end
    std::vector<std::uint32_t> nameSizes_; // by person: the name's bytes in the label
    std::vector<int> order_;               // the persons in name order
    std::vector<std::uint32_t> ranks_;     // by person
    // By rank, one after another: the folded name, a mark, the person's other
    // names, a tab, the years, a line feed.
    std::string folded_;
    std::vector<std::size_t> starts_; // by rank, where each line begins; and the end
};
