// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/chart_search.h"

#include "model/chart_limits.h"
#include "model/person.h"
#include "model/text_codec.h"
#include "model/tree.h"

#include <algorithm>
#include <cstdint>

namespace {

// Latin-1 letters U+00C0 to U+00FF without accents, lower case; '\0' where the
// character is no letter to fold.
constexpr char latin1Base[] = "aaaaaaaceeeeiiii"   // C0-CF
                              "dnooooo\0ouuuuyts"  // D0-DF (x, thorn, sharp s)
                              "aaaaaaaceeeeiiii"   // E0-EF
                              "dnooooo\0ouuuuyty"; // F0-FF (division sign, thorn)

// Latin Extended-A U+0100 to U+017F: each pair of capital and small letter.
constexpr char extendedABase[] = "aaaaaaccccccccdd"  // 0100-010F
                                 "ddeeeeeeeeeegggg"  // 0110-011F
                                 "gggghhhhiiiiiiii"  // 0120-012F
                                 "iijjjjkkklllllll"  // 0130-013F
                                 "lllnnnnnnnnnoooo"  // 0140-014F
                                 "oooorrrrrrssssss"  // 0150-015F
                                 "ssttttttuuuuuuuu"  // 0160-016F
                                 "uuuuwwyyyzzzzzzs"; // 0170-017F

// Folds one text character by character onto a string: blanks and line breaks
// become one blank between words, none at either end.
struct Folder {
    std::string& out;
    bool started = false;
    bool blank = false;

    void add(char32_t code);
};

void Folder::add(char32_t code)
{
    if (code == '|' || code == ' ' || code == '\t' || code == '\n' || code == '\r') {
        blank = started;
        return;
    }
    if (blank)
        out += ' ';
    blank = false;
    started = true;
    if (code >= 'A' && code <= 'Z') {
        out += char(code - 'A' + 'a');
    } else if (code < 0x80) {
        out += char(code);
    } else if (code == 0xDF) {
        out += "ss";
    } else if (code == 0xC6 || code == 0xE6) {
        out += "ae";
    } else if (code == 0x152 || code == 0x153) {
        out += "oe";
    } else if (code >= 0xC0 && code <= 0xFF && latin1Base[code - 0xC0] != '\0') {
        out += latin1Base[code - 0xC0];
    } else if (code >= 0x100 && code <= 0x17F) {
        out += extendedABase[code - 0x100];
    } else {
        appendUtf8(out, code);
    }
}

void appendFoldedText(std::string& out, std::string_view description)
{
    Folder folder{out};
    // Most descriptions are plain ASCII: no decoding needed.
    const bool ascii = std::all_of(description.begin(), description.end(),
                                   [](char c) { return std::uint8_t(c) < 0x80; });
    if (ascii) {
        for (const char c : description)
            folder.add(std::uint8_t(c));
        return;
    }
    const std::string text = displayText(description);
    for (std::size_t i = 0; i < text.size();)
        folder.add(nextCodePoint(text, i));
}

} // namespace

std::string foldedForSearch(std::string_view description)
{
    std::string folded;
    folded.reserve(description.size());
    appendFoldedText(folded, description);
    return folded;
}

ChartSearch::ChartSearch(const Tree& tree)
{
    // Sorted by a key held beside each box, so the sort never reads the boxes.
    struct Entry {
        long long key; // level, then column
        const Person* box;
    };
    std::vector<Entry> entries;
    entries.reserve(tree.size());
    std::size_t bytes = 0;
    tree.forEachPerson([&](const Person* box) {
        const Cell cell = box->cell();
        entries.push_back({(long long)(cell.level - chartLimits::minCell) << 32 |
                               std::uint32_t(cell.column - chartLimits::minCell),
                           box});
        bytes += box->text.size() + 1;
    });
    // Counted from the grid's first cell, the key orders as the cells do.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    texts_.reserve(bytes);
    cells_.reserve(entries.size());
    ends_.reserve(entries.size());
    for (const Entry& entry : entries) {
        appendFoldedText(texts_, entry.box->text);
        ends_.push_back(texts_.size());
        texts_ += '\n';
        cells_.push_back(entry.box->cell());
    }
}

std::vector<Cell> ChartSearch::find(std::string_view query) const
{
    std::vector<Cell> found;
    const std::string folded = foldedForSearch(query);
    if (folded.empty())
        return found;
    std::size_t box = 0;
    for (std::size_t at = texts_.find(folded); at != std::string::npos;) {
        box = std::size_t(std::upper_bound(ends_.begin() + std::ptrdiff_t(box), ends_.end(), at) -
                          ends_.begin());
        if (found.empty() || !(found.back() == cells_[box]))
            found.push_back(cells_[box]);
        // The rest of this box's text can add nothing.
        at = texts_.find(folded, ends_[box] + 1);
    }
    return found;
}
