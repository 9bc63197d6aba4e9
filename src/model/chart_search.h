// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"

#include <string>
#include <string_view>
#include <vector>

class Tree;

// A description as the find compares it: decoded as the view shows it (UTF-8,
// else Windows-1252), letters in lower case and without their accents, line
// breaks and runs of blanks as one blank. So "zoe pell" finds "Zoë |Pell".
std::string foldedForSearch(std::string_view description);

// The boxes of a chart whose description holds a text, in reading order (level,
// then column). The descriptions are folded once, when the search is made; a
// find then scans them in one pass.
class ChartSearch {
public:
    explicit ChartSearch(const Tree& tree);

    // Every matching box's cell, in reading order; none for an empty query.
    std::vector<Cell> find(std::string_view query) const;

private:
    // The folded descriptions one after another, each ended by a line feed that
    // no folded query holds, so no match runs across two boxes.
    std::string texts_;
    std::vector<std::size_t> ends_; // where each box's text ends in texts_
    std::vector<Cell> cells_;
};
