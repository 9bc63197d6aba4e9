// SPDX-License-Identifier: GPL-3.0-or-later
#include "poster/poster_plan.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <deque>
#include <limits>

namespace {

constexpr long long unreachable = std::numeric_limits<long long>::max();

// The strip's edges and cut places in one row: band edges are indices into it.
class Wrapping {
public:
    explicit Wrapping(const ChartStrip& strip) : strip_(strip)
    {
        edges_.reserve(strip.cutX.size() + 2);
        edges_.push_back(strip.left);
        edges_.insert(edges_.end(), strip.cutX.begin(), strip.cutX.end());
        edges_.push_back(strip.right);
        // Fewer crossings first, whatever the branches; a place between two
        // branches only breaks a tie.
        const long long perCrossing = (long long)edges_.size() + 1;
        cost_.assign(edges_.size(), 0);
        for (std::size_t i = 0; i < strip.cutX.size(); ++i)
            cost_[i + 1] = strip.crossings[i] * perCrossing + (strip.betweenBranches[i] ? 0 : 1);
    }

    std::size_t last() const { return edges_.size() - 1; }
    int edge(std::size_t i) const { return edges_[i]; }
    long long cost(std::size_t i) const { return cost_[i]; }

    // What a band adds beside its columns: the generation column and mark room
    // on its left after the first band, mark room on its right before the last.
    int lead(int band) const { return band > 0 ? strip_.repeated + markRoom : 0; }
    static int trail(int band, int bands) { return band < bands - 1 ? markRoom : 0; }

    long long stackHeight(int bands) const
    {
        return (long long)bands * (strip_.bottom - strip_.top) + (long long)(bands - 1) * bandGap;
    }

    // The fewest bands no wider than `width`, or more than `cap` when that many
    // are not enough.
    int bandsNeeded(long long width, int cap) const
    {
        std::size_t at = 0;
        for (int count = 1;; ++count) {
            if (edges_[last()] - edges_[at] + lead(count - 1) <= width)
                return count;
            if (count >= cap)
                return cap + 1;
            const std::size_t next = furthest(at, width - lead(count - 1) - markRoom);
            if (next <= at)
                return cap + 1;
            at = next;
        }
    }

    // The narrowest width that `bands` bands need.
    long long narrowest(int bands) const
    {
        long long fits = edges_[last()] - edges_[0], tooNarrow = 0;
        while (fits - tooNarrow > 1) {
            const long long middle = tooNarrow + (fits - tooNarrow) / 2;
            (bandsNeeded(middle, bands) <= bands ? fits : tooNarrow) = middle;
        }
        return fits;
    }

    // The furthest cut place after `from` at most `room` beyond it.
    std::size_t furthest(std::size_t from, long long room) const
    {
        const auto end = edges_.begin() + std::ptrdiff_t(last());
        return std::size_t(std::upper_bound(edges_.begin() + std::ptrdiff_t(from) + 1, end,
                                            edges_[from] + room) -
                           edges_.begin()) -
               1;
    }

    // The nearest edge before `to` at most `room` before it.
    std::size_t nearest(std::size_t to, long long room) const
    {
        return std::size_t(std::lower_bound(edges_.begin() + 1, edges_.begin() + std::ptrdiff_t(to),
                                            edges_[to] - room) -
                           edges_.begin());
    }

private:
    const ChartStrip& strip_;
    std::vector<int> edges_;
    std::vector<long long> cost_;
};

double scaleFor(const Wrapping& wrapping, int bands, double width, double height)
{
    const double across = width / double(wrapping.narrowest(bands));
    const double down = (height - posterTitleHeight) / double(wrapping.stackHeight(bands));
    return std::min({1.0, across, down});
}

// The first of [low, high] for which the test holds, which holds from some point on.
template <typename Test> int firstWhere(int low, int high, Test test)
{
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (test(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

// The fewest bands that print at the largest scale.
int bestBandCount(const Wrapping& wrapping, double width, double height)
{
    const int most = int(wrapping.last());
    const auto across = [&](int bands) { return width / double(wrapping.narrowest(bands)); };
    const auto down = [&](int bands) {
        return (height - posterTitleHeight) / double(wrapping.stackHeight(bands));
    };
    // More bands print narrower and higher: the best is where the two meet.
    const int meet = firstWhere(1, most, [&](int bands) { return across(bands) >= down(bands); });
    int best = meet;
    if (meet > 1 &&
        scaleFor(wrapping, meet - 1, width, height) >= scaleFor(wrapping, meet, width, height))
        best = meet - 1;
    const double scale = scaleFor(wrapping, best, width, height);
    return firstWhere(1, best,
                      [&](int bands) { return scaleFor(wrapping, bands, width, height) >= scale; });
}

// The edges of `bands` bands no wider than `width` whose cuts cost least.
std::vector<std::size_t> cheapestCuts(const Wrapping& wrapping, int bands, long long width)
{
    const std::size_t end = wrapping.last();
    const auto room = [&](int band) {
        return width - wrapping.lead(band) - Wrapping::trail(band, bands);
    };
    // Cut c ends band c - 1: it lies no further than the bands before can reach
    // and no nearer than the bands after need.
    std::vector<std::size_t> low(std::size_t(bands) + 1), high(std::size_t(bands) + 1);
    low[0] = high[0] = 0;
    low[std::size_t(bands)] = high[std::size_t(bands)] = end;
    for (int c = 1; c < bands; ++c)
        high[std::size_t(c)] = wrapping.furthest(high[std::size_t(c) - 1], room(c - 1));
    for (int c = bands - 1; c >= 1; --c)
        low[std::size_t(c)] = wrapping.nearest(low[std::size_t(c) + 1], room(c));

    // cost[c][j - low[c]]: the least cost of cuts 1..c with cut c at edge j.
    std::vector<std::vector<long long>> cost(std::size_t(bands) + 1);
    std::vector<std::vector<std::size_t>> from(std::size_t(bands) + 1);
    cost[0] = {0};
    from[0] = {0};
    for (int c = 1; c <= bands; ++c) {
        const std::size_t lo = low[std::size_t(c)], hi = std::max(lo, high[std::size_t(c)]);
        const std::size_t prevLo = low[std::size_t(c) - 1];
        const std::vector<long long>& before = cost[std::size_t(c) - 1];
        std::vector<long long>& here = cost[std::size_t(c)];
        here.assign(hi - lo + 1, unreachable);
        from[std::size_t(c)].assign(hi - lo + 1, 0);
        std::deque<std::size_t> window; // edges of cut c - 1, cheapest at the front
        std::size_t next = prevLo;
        for (std::size_t j = lo; j <= hi; ++j) {
            for (; next < j && next < prevLo + before.size(); ++next) {
                const long long value = before[next - prevLo];
                if (value == unreachable)
                    continue;
                while (!window.empty() && before[window.back() - prevLo] >= value)
                    window.pop_back();
                window.push_back(next);
            }
            while (!window.empty() &&
                   wrapping.edge(j) - wrapping.edge(window.front()) > room(c - 1))
                window.pop_front();
            if (window.empty())
                continue;
            here[j - lo] = before[window.front() - prevLo] + (c < bands ? wrapping.cost(j) : 0);
            from[std::size_t(c)][j - lo] = window.front();
        }
    }
    std::vector<std::size_t> edges(std::size_t(bands) + 1);
    edges[std::size_t(bands)] = end;
    for (int c = bands; c >= 1; --c) {
        const std::size_t j = edges[std::size_t(c)];
        edges[std::size_t(c) - 1] = from[std::size_t(c)][j - low[std::size_t(c)]];
    }
    return edges;
}

long long bandWidth(const ChartStrip& strip, const PosterPlan& plan, std::size_t band)
{
    const int count = int(plan.bands.size());
    const PosterBand& b = plan.bands[band];
    return (band > 0 ? strip.repeated + markRoom : 0) + (b.right - b.left) +
           Wrapping::trail(int(band), count);
}

} // namespace

PosterPlan planPoster(const ChartStrip& strip, double width, double height)
{
    const Wrapping wrapping(strip);
    const int bands = bestBandCount(wrapping, width, height);
    const double best = scaleFor(wrapping, bands, width, height);
    const long long allowed =
        std::max(wrapping.narrowest(bands), (long long)std::floor(width / best + 1e-6));
    const std::vector<std::size_t> edges = cheapestCuts(wrapping, bands, allowed);

    PosterPlan plan;
    for (int b = 0; b < bands; ++b)
        plan.bands.push_back(
            {wrapping.edge(edges[std::size_t(b)]), wrapping.edge(edges[std::size_t(b) + 1]), 0, 0});
    long long widest = 0;
    for (std::size_t b = 0; b < plan.bands.size(); ++b)
        widest = std::max(widest, bandWidth(strip, plan, b));
    plan.scale = std::min({1.0, width / double(widest),
                           (height - posterTitleHeight) / double(wrapping.stackHeight(bands))});
    for (int b = 0; b < bands; ++b) {
        PosterBand& band = plan.bands[std::size_t(b)];
        band.sheetX = wrapping.lead(b) * plan.scale;
        band.sheetY =
            posterTitleHeight + b * double(strip.bottom - strip.top + bandGap) * plan.scale;
    }
    return plan;
}

double posterWidth(const ChartStrip& strip, const PosterPlan& plan)
{
    long long widest = 0;
    for (std::size_t b = 0; b < plan.bands.size(); ++b)
        widest = std::max(widest, bandWidth(strip, plan, b));
    return double(widest) * plan.scale;
}

double posterHeight(const ChartStrip& strip, const PosterPlan& plan)
{
    const auto bands = (long long)plan.bands.size();
    return posterTitleHeight +
           double(bands * (strip.bottom - strip.top) + (bands - 1) * bandGap) * plan.scale;
}
