// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/person_filter.h"

#include "gedcom/gedcom_date.h"
#include "layout/person_description.h"
#include "model/chart_search.h"

#include <algorithm>

namespace {

// Sorts before every folded name: the parts of a key.
constexpr char keySeparator = '\x01';
// Ends the name in a folded line; the other names of the person follow.
constexpr char nameEnd = '\x02';

// The title, name prefix and suffix and nickname, which a search finds too
// ("Queen Victoria" for Victoria titled "Queen").
std::string otherNames(const GedcomData& data, const GedcomPerson& person)
{
    std::string names(person.title);
    if (person.otherNames >= 0) {
        const GedcomNames& other = data.otherNames[std::size_t(person.otherNames)];
        for (const std::string_view part : {other.prefix, other.suffix, other.nickname})
            names.append(" ").append(part);
    }
    return names;
}

// What the list is sorted by: the folded surname and given names, then the
// birth (a dateOrder(), at most eight digits) as a number of fixed width.
// Persons without a name sort last (no UTF-8 byte is 0xFF).
void appendSortKey(std::string& keys, const GedcomPerson& person, long born)
{
    const NameParts parts = nameParts(person);
    if (parts.given.empty() && parts.surname.empty())
        keys += '\xFF';
    keys += foldedForSearch(parts.surname);
    keys += keySeparator;
    keys += foldedForSearch(parts.given);
    keys += keySeparator;
    char digits[8];
    for (long rest = std::clamp(born, 0L, 99999999L), i = 7; i >= 0; --i, rest /= 10)
        digits[i] = char('0' + rest % 10);
    keys.append(digits, sizeof digits);
}

} // namespace

PersonFilter::PersonFilter(const GedcomData& data)
{
    const std::size_t count = data.persons.size();
    labelStarts_.reserve(count + 1);
    nameSizes_.reserve(count);
    std::string keys;
    std::vector<std::size_t> keyEnds;
    keyEnds.reserve(count + 1);
    keyEnds.push_back(0);
    for (const GedcomPerson& person : data.persons) {
        const long born =
            dateOrder(person.birth.date.empty() ? person.christening.date : person.birth.date);
        const int died =
            dateYear(person.death.date.empty() ? person.burial.date : person.death.date);
        labelStarts_.push_back(labels_.size());
        labels_ += displayName(person);
        nameSizes_.push_back(std::uint32_t(labels_.size() - labelStarts_.back()));
        const std::string years = lifeYears(int(born / 10000), died);
        if (!years.empty())
            labels_.append(", ").append(years);
        appendSortKey(keys, person, born);
        keyEnds.push_back(keys.size());
    }
    labelStarts_.push_back(labels_.size());
    const auto key = [&](int p) {
        return std::string_view(keys).substr(keyEnds[std::size_t(p)],
                                             keyEnds[std::size_t(p) + 1] - keyEnds[std::size_t(p)]);
    };
    order_.resize(count);
    for (std::size_t p = 0; p < count; ++p)
        order_[p] = int(p);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) { return key(a) < key(b); });

    ranks_.resize(count);
    starts_.reserve(count + 1);
    folded_.reserve(keys.size() + count * 12);
    for (std::size_t rank = 0; rank < count; ++rank) {
        const int p = order_[rank];
        ranks_[std::size_t(p)] = std::uint32_t(rank);
        starts_.push_back(folded_.size());
        folded_ += foldedForSearch(name(p));
        folded_ += nameEnd;
        if (const std::string others = otherNames(data, data.persons[std::size_t(p)]);
            !others.empty())
            folded_ += foldedForSearch(others);
        folded_ += '\t';
        folded_ += years(p);
        folded_ += '\n';
    }
    starts_.push_back(folded_.size());
}

std::string_view PersonFilter::label(int person) const
{
    const auto p = std::size_t(person);
    return std::string_view(labels_).substr(labelStarts_[p], labelStarts_[p + 1] - labelStarts_[p]);
}

std::string_view PersonFilter::name(int person) const
{
    return label(person).substr(0, nameSizes_[std::size_t(person)]);
}

std::string_view PersonFilter::years(int person) const
{
    const std::string_view rest = label(person).substr(name(person).size());
    return rest.substr(std::min<std::size_t>(2, rest.size())); // past the ", "
}

std::string_view PersonFilter::foldedLine(std::size_t rank) const
{
    return std::string_view(folded_).substr(starts_[rank], starts_[rank + 1] - starts_[rank]);
}

std::vector<int> PersonFilter::matching(std::string_view query, Scope scope) const
{
    std::vector<std::string> words;
    const std::string folded = foldedForSearch(query);
    for (std::size_t at = 0; at < folded.size();) {
        const std::size_t end = std::min(folded.find(' ', at), folded.size());
        words.push_back(folded.substr(at, end - at));
        at = end + 1;
    }
    std::vector<int> found;
    if (words.empty())
        return order_;
    // Searches the whole text for the first word, then checks the words only
    // in the lines it hit.
    const std::string_view text(folded_);
    for (std::size_t at = text.find(words[0]); at != std::string_view::npos;) {
        const auto rank =
            std::size_t(std::upper_bound(starts_.begin(), starts_.end(), at) - starts_.begin() - 1);
        std::string_view line = foldedLine(rank);
        if (scope == Scope::Name)
            line = line.substr(0, line.find('\t'));
        if (std::all_of(words.begin(), words.end(), [&](const std::string& word) {
                return line.find(word) != std::string_view::npos;
            }))
            found.push_back(order_[rank]);
        at = text.find(words[0], starts_[rank + 1]);
    }
    return found;
}

std::vector<int> PersonFilter::withWholeName(std::string_view query,
                                             const std::vector<int>& among) const
{
    const std::string folded = foldedForSearch(query);
    std::vector<int> found;
    for (const int p : among) {
        const std::string_view line = foldedLine(rankOf(p));
        if (line.substr(0, line.find(nameEnd)) == folded)
            found.push_back(p);
    }
    return found;
}
