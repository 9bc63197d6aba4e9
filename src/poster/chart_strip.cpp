// SPDX-License-Identifier: GPL-3.0-or-later
#include "poster/chart_strip.h"

#include "model/chart.h"
#include "model/parent_table.h"
#include "poster/poster_title.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

// The horizontal part of a box's drawing: a plain box's right connector, or a
// continuation box's pointer to the left or right.
std::optional<HorizontalLine> horizontalLine(const Person& box, const TreeSettings& s)
{
    const Point origin = s.cellOrigin(box.cell());
    if (box.kind() != BoxKind::Continuation) {
        if (box.rightLink() == 0)
            return std::nullopt;
        const int from = origin.x + s.boxWidth, to = from + box.rightLink();
        return HorizontalLine{origin.y + s.boxHeight / 2, std::min(from, to), std::max(from, to)};
    }
    const DirectionFactors f = directionFactors(box.direction());
    if (box.direction() >= 4 || f.x == 1 || box.rightLink() == 0)
        return std::nullopt;
    const int anchor = origin.x + scaled(s.boxWidth, 0.5) * f.x;
    const int end = anchor + box.rightLink() * (f.x - 1);
    return HorizontalLine{origin.y + scaled(s.boxHeight, 0.5) * f.y, std::min(anchor, end),
                          std::max(anchor, end)};
}

// The first column of each branch of the root's children that stands right of
// every earlier branch: a cut just before it parts two branches.
std::vector<int> branchStarts(const Chart& chart)
{
    const Tree& tree = chart.tree();
    const Person* root = chartRoot(chart);
    if (!root)
        return {};
    std::vector<const Person*> boxes;
    boxes.reserve(tree.size());
    tree.forEachPerson([&](const Person* box) { boxes.push_back(box); });
    const std::vector<int> parents = parentIndices(tree);
    const int rootIndex = int(std::find(boxes.begin(), boxes.end(), root) - boxes.begin());

    // Each box's child of the root above it (-1: none), found once per box.
    constexpr int unknown = -2;
    std::vector<int> branch(boxes.size(), unknown);
    std::vector<int> chain;
    for (std::size_t start = 0; start < boxes.size(); ++start) {
        int at = int(start), found = -1;
        while (at >= 0 && at != rootIndex) {
            if (branch[std::size_t(at)] != unknown) {
                found = branch[std::size_t(at)]; // -1 too for a loop back into the chain
                break;
            }
            if (parents[std::size_t(at)] == rootIndex) {
                found = at;
                break;
            }
            branch[std::size_t(at)] = -1;
            chain.push_back(at);
            at = parents[std::size_t(at)];
        }
        if (found >= 0 && found == at)
            branch[std::size_t(at)] = found;
        for (const int box : chain)
            branch[std::size_t(box)] = found;
        chain.clear();
    }

    struct Span {
        int first = INT_MAX;
        int last = INT_MIN;
    };
    std::vector<Span> spans(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (branch[i] < 0)
            continue;
        Span& span = spans[std::size_t(branch[i])];
        span.first = std::min(span.first, boxes[i]->column());
        span.last = std::max(span.last, boxes[i]->column());
    }
    std::erase_if(spans, [](const Span& span) { return span.first > span.last; });
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.first < b.first; });
    std::vector<int> starts;
    int reached = INT_MIN;
    for (const Span& span : spans) {
        if (reached != INT_MIN && span.first > reached)
            starts.push_back(span.first);
        reached = std::max(reached, span.last);
    }
    return starts;
}

} // namespace

ChartStrip chartStrip(const Chart& chart, bool generationColumn)
{
    const Tree& tree = chart.tree();
    const TreeSettings& s = chart.settings();
    const Rect drawn = tree.drawnArea();
    ChartStrip strip{drawn.left, drawn.right, drawn.top, drawn.bottom, 0, {}, {}, {}, {}};
    strip.repeated = generationColumn && drawn.left == 0 ? originX : 0;
    if (tree.empty())
        return strip;

    // Trimmed to the boxes and their connectors, and half a gap beyond.
    int firstColumn = INT_MAX, lastColumn = INT_MIN, right = INT_MIN, bottom = INT_MIN;
    tree.forEachPerson([&](const Person* box) {
        firstColumn = std::min(firstColumn, box->column());
        lastColumn = std::max(lastColumn, box->column());
        const Rect rect = s.boxRect(box->cell());
        right = std::max(right, rect.right);
        bottom = std::max(bottom, rect.bottom + std::max(0, box->downLink()));
        if (const std::optional<HorizontalLine> line = horizontalLine(*box, s)) {
            strip.lines.push_back(*line);
            right = std::max(right, line->x2);
        }
    });
    strip.right = std::min(strip.right, right + gapX / 2);
    strip.bottom = std::min(strip.bottom, bottom + gapY / 2);

    const std::vector<int> starts = branchStarts(chart);
    for (int column = firstColumn + 1; column <= lastColumn; ++column) {
        const int x = s.cellOrigin({column, 0}).x - gapX / 2;
        if (x <= strip.left || x >= strip.right)
            continue;
        strip.cutX.push_back(x);
        strip.betweenBranches.push_back(std::binary_search(starts.begin(), starts.end(), column));
    }
    // Each line adds one crossing to the places strictly inside it.
    std::vector<int> change(strip.cutX.size() + 1, 0);
    for (const HorizontalLine& line : strip.lines) {
        const auto from = std::upper_bound(strip.cutX.begin(), strip.cutX.end(), line.x1);
        const auto to = std::lower_bound(strip.cutX.begin(), strip.cutX.end(), line.x2);
        if (from < to) {
            ++change[std::size_t(from - strip.cutX.begin())];
            --change[std::size_t(to - strip.cutX.begin())];
        }
    }
    strip.crossings.resize(strip.cutX.size());
    int crossing = 0;
    for (std::size_t i = 0; i < strip.cutX.size(); ++i)
        strip.crossings[i] = crossing += change[i];
    return strip;
}
