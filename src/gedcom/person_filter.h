// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"

#include <string>
#include <string_view>
#include <vector>

// The persons of a file as a list to choose from: "Name, years" for each, and
// a search over those lines that ignores case.
class PersonFilter {
public:
    explicit PersonFilter(const GedcomData& data);

    const std::string& label(int person) const { return labels_[std::size_t(person)]; }
    // The persons whose line holds every word of the query, in file order.
    std::vector<int> matching(std::string_view query) const;

private:
    std::vector<std::string> labels_;
    std::string folded_;              // every line folded, one after the other
    std::vector<std::size_t> starts_; // where each line begins in folded_, and the end
};

// Lower case for ASCII and the Latin-1 letters, so "é" finds "É".
std::string foldCase(std::string_view utf8);
