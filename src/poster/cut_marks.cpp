// SPDX-License-Identifier: GPL-3.0-or-later
#include "poster/cut_marks.h"

#include <algorithm>
#include <tuple>

std::vector<CutMark> cutMarks(const ChartStrip& strip, const PosterPlan& plan)
{
    std::vector<int> cuts;
    for (std::size_t b = 1; b < plan.bands.size(); ++b)
        cuts.push_back(plan.bands[b].left);
    if (cuts.empty())
        return {};

    // Lines at one height joined where they overlap, so that each cut takes at
    // most one mark per height however many lines lie on top of each other.
    std::vector<HorizontalLine> lines = strip.lines;
    std::sort(lines.begin(), lines.end(), [](const HorizontalLine& a, const HorizontalLine& b) {
        return std::tie(a.y, a.x1) < std::tie(b.y, b.x1);
    });
    std::vector<CutMark> marks;
    const auto markCuts = [&](const HorizontalLine& line) {
        for (auto cut = std::upper_bound(cuts.begin(), cuts.end(), line.x1);
             cut != cuts.end() && *cut < line.x2; ++cut)
            marks.push_back({std::size_t(cut - cuts.begin()), line.y, {}});
    };
    for (std::size_t i = 0; i < lines.size();) {
        HorizontalLine joined = lines[i];
        for (++i; i < lines.size() && lines[i].y == joined.y && lines[i].x1 <= joined.x2; ++i)
            joined.x2 = std::max(joined.x2, lines[i].x2);
        markCuts(joined);
    }
    std::sort(marks.begin(), marks.end(), [](const CutMark& a, const CutMark& b) {
        return std::tie(a.band, a.y) < std::tie(b.band, b.y);
    });
    for (std::size_t i = 0; i < marks.size(); ++i)
        marks[i].label = std::to_string(i + 1);
    return marks;
}
