// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/person_filter.h"

#include "gedcom/person_description.h"

#include <algorithm>

std::string foldCase(std::string_view utf8)
{
    std::string out(utf8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto byte = static_cast<unsigned char>(out[i]);
        if (byte >= 'A' && byte <= 'Z') {
            out[i] = char(byte + 32);
        } else if (byte == 0xC3 && i + 1 < out.size()) {
            // U+00C0 to U+00DE (not U+00D7) are the capitals of U+00E0 to U+00FE.
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                out[i + 1] = char(next + 0x20);
            ++i;
        }
    }
    return out;
}

PersonFilter::PersonFilter(const GedcomData& data)
{
    labels_.reserve(data.persons.size());
    starts_.reserve(data.persons.size() + 1);
    for (const GedcomPerson& person : data.persons) {
        std::string label = displayName(person);
        const std::string years = lifeYears(person);
        if (!years.empty())
            label += ", " + years;
        starts_.push_back(folded_.size());
        folded_ += foldCase(label);
        folded_ += '\n';
        labels_.push_back(std::move(label));
    }
    starts_.push_back(folded_.size());
}

std::vector<int> PersonFilter::matching(std::string_view query) const
{
    std::vector<std::string> words;
    const std::string folded = foldCase(query);
    for (std::size_t at = 0; at < folded.size();) {
        const std::size_t end = std::min(folded.find(' ', at), folded.size());
        if (end > at)
            words.push_back(folded.substr(at, end - at));
        at = end + 1;
    }
    std::vector<int> found;
    if (words.empty()) {
        found.resize(labels_.size());
        for (std::size_t i = 0; i < found.size(); ++i)
            found[i] = int(i);
        return found;
    }
    // Searches the whole text for the first word, then checks the other words
    // only in the lines it hit.
    const std::string_view text(folded_);
    for (std::size_t at = text.find(words[0]); at != std::string_view::npos;) {
        const auto line =
            std::size_t(std::upper_bound(starts_.begin(), starts_.end(), at) - starts_.begin() - 1);
        const std::string_view lineText =
            text.substr(starts_[line], starts_[line + 1] - starts_[line]);
        if (std::all_of(words.begin() + 1, words.end(), [&](const std::string& word) {
                return lineText.find(word) != std::string_view::npos;
            }))
            found.push_back(int(line));
        at = text.find(words[0], starts_[line + 1]);
    }
    return found;
}
