// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/chart_book.h"

#include "gedcom/hourglass_layout.h"
#include "gedcom/person_description.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>
#include <utility>

namespace {

// A person whose branch continues in a chart of its own.
struct Cut {
    int person;
    int depth; // levels below (or above) the main chart's root
};

// Decides which branches continue elsewhere from each block's width as the
// layout makes it at most: the person and spouses, or the branches side by side.
// Widest branches go first, then those bringing the most branch charts along.
class Splitter {
public:
    Splitter(const GedcomData& data, const LayoutRequest& request, int columns)
        : data_(data),
          kind_(request.kind),
          generations_(std::clamp(request.generations, 1, maxGenerations)),
          columns_(columns),
          visited_(data.persons.size(), false)
    {
    }

    Result run(int root)
    {
        measure(root, 0);
        return failure_;
    }

    std::vector<Cut> cuts;

private:
    struct Block {
        long width;
        long branches; // branch charts starting from the block's chart
    };

    Block measure(int person, int depth);
    std::vector<int> next(int person) const;
    long ownWidth(int person) const;
    void fail(const char* pattern, int person, long count)
    {
        if (failure_)
            failure_ = Result::failure(Result::TooLarge, pattern,
                                       {displayName(data_.persons[std::size_t(person)]),
                                        std::to_string(count), std::to_string(columns_)});
    }

    const GedcomData& data_;
    LayoutKind kind_;
    int generations_;
    int columns_;
    std::vector<bool> visited_;
    Result failure_;
};

std::vector<int> Splitter::next(int person) const
{
    const GedcomPerson& p = data_.persons[std::size_t(person)];
    std::vector<int> found;
    if (kind_ == LayoutKind::Descendants) {
        for (const int f : p.spouseIn) {
            const std::vector<int>& children = data_.families[std::size_t(f)].children;
            found.insert(found.end(), children.begin(), children.end());
        }
        return found;
    }
    // As the ancestors layout: the first family that names a parent.
    for (const int f : p.childOf) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        for (const int parent : {family.husband, family.wife})
            if (parent >= 0)
                found.push_back(parent);
        if (!found.empty())
            break;
    }
    return found;
}

long Splitter::ownWidth(int person) const
{
    if (kind_ != LayoutKind::Descendants)
        return 1;
    long width = 1;
    for (const int f : data_.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        width += (family.husband == person ? family.wife : family.husband) >= 0;
    }
    return width;
}

Splitter::Block Splitter::measure(int person, int depth)
{
    if (visited_[std::size_t(person)] || !failure_)
        return {1, 0};
    visited_[std::size_t(person)] = true;
    const long own = ownWidth(person);
    if (own > columns_) {
        fail(STIRPA_TR_NOOP("Message", "%1 and their spouses take %2 columns, more than the %3 "
                                       "a chart may have."),
             person, own);
        return {1, 0};
    }
    const std::vector<int> branches = next(person);
    if (branches.empty() || depth + 1 >= generations_)
        return {own, 0};
    std::vector<Block> blocks;
    blocks.reserve(branches.size());
    for (const int branch : branches)
        blocks.push_back(measure(branch, depth + 1));
    Block total{0, 0};
    for (const Block& b : blocks) {
        total.width += b.width;
        total.branches += b.branches;
    }
    std::vector<std::size_t> order(blocks.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::vector<bool> isCut(blocks.size(), false);
    auto cut = [&](std::size_t i) {
        isCut[i] = true;
        total.width -= blocks[i].width - 1;
        total.branches -= blocks[i].branches - 1;
        cuts.push_back({branches[i], depth + 1});
    };
    // A cut branch keeps its first person's box here, so only a wider one gains.
    if (total.width > columns_) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return blocks[a].width > blocks[b].width;
        });
        for (std::size_t k = 0; k < order.size() && total.width > columns_; ++k)
            if (blocks[order[k]].width > 1)
                cut(order[k]);
    }
    if (total.width > columns_) {
        fail(STIRPA_TR_NOOP("Message", "The children of %1 need %2 columns side by side, more "
                                       "than the %3 a chart may have."),
             person, total.width);
        return {1, 0};
    }
    if (total.branches > maxBranchCharts) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return blocks[a].branches > blocks[b].branches;
        });
        for (std::size_t k = 0; k < order.size() && total.branches > maxBranchCharts; ++k)
            if (!isCut[order[k]] && blocks[order[k]].branches > 1)
                cut(order[k]);
        if (total.branches > maxBranchCharts)
            fail(STIRPA_TR_NOOP("Message", "The branches of %1 would need %2 charts beside "
                                           "theirs, more than 99; allow more than %3 columns."),
                 person, total.branches);
    }
    return {std::max(own, total.width), total.branches};
}

std::uint64_t cellKey(Cell cell)
{
    return std::uint64_t(std::uint32_t(cell.column)) << 32 | std::uint32_t(cell.level);
}

std::string twoDigits(std::size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

} // namespace

ChartBookPlan planBook(const GedcomData& data, const LayoutRequest& request, int columns)
{
    ChartBookPlan book;
    if (request.root < 0 || std::size_t(request.root) >= data.persons.size())
        return book;
    const bool descendants = request.kind == LayoutKind::Descendants;
    const int generations = std::clamp(request.generations, 1, maxGenerations);
    columns = std::clamp(columns, minBookColumns, maxBookColumns);
    // The widths below are the most a packed layout takes; the chart as laid
    // out may fit as it is.
    std::vector<PlannedBox> whole = planChart(data, {request.root, request.kind, generations, 1});
    int lastColumn = 0;
    for (const PlannedBox& box : whole)
        lastColumn = std::max(lastColumn, box.cell.column);
    if (lastColumn < columns) {
        book.charts.push_back({"", request.root, generations, std::move(whole), {}, {}});
        return book;
    }
    whole.clear();
    Splitter splitter(data, request, columns);
    if (const Result split = splitter.run(request.root); !split) {
        static_cast<Result&>(book) = split;
        return book;
    }
    // Each cut person gets a family of their own in a copy of the data, with a
    // stand-in person where the branch went: the layout leaves the stand-in's
    // place free, right below (or above) the person, for the continuation box.
    GedcomData work = data;
    const int persons = int(data.persons.size());
    const std::vector<Cut>& cuts = splitter.cuts;
    std::vector<std::vector<int>> branchLinks(cuts.size());
    auto linksOf = [&](int person) -> std::vector<int>& {
        GedcomPerson& p = work.persons[std::size_t(person)];
        return descendants ? p.spouseIn : p.childOf;
    };
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        const int standIn = int(work.persons.size());
        work.persons.emplace_back();
        GedcomFamily family;
        family.husband = descendants ? cuts[i].person : standIn;
        family.children = {descendants ? standIn : cuts[i].person};
        branchLinks[i] = std::exchange(linksOf(cuts[i].person), {int(work.families.size())});
        work.families.push_back(std::move(family));
    }
    book.charts.push_back({"", request.root, generations, {}, {}, {}});
    std::vector<std::size_t> cutOfChart{0};
    std::vector<int> cutOf(data.persons.size(), -1);
    for (std::size_t i = 0; i < cuts.size(); ++i)
        cutOf[std::size_t(cuts[i].person)] = int(i);
    std::vector<bool> linked(cuts.size(), false);
    std::vector<int> chartOfPerson(data.persons.size(), -1);
    std::vector<bool> inChart(work.persons.size(), false); // of the chart being planned
    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        const int root = book.charts[k].root;
        if (k > 0)
            linksOf(root) = std::move(branchLinks[cutOfChart[k]]);
        std::vector<PlannedBox> plan =
            planChart(work, {root, request.kind, book.charts[k].generations, 1});
        // The stand-ins become continuation boxes; at the generation limit the
        // layout has put one of its own in their place.
        std::unordered_map<std::uint64_t, int> continuationAt;
        for (std::size_t i = 0; i < plan.size(); ++i) {
            PlannedBox& box = plan[i];
            if (box.person >= persons) {
                box.person = -1;
                box.rightTo = -1;
                box.down = false;
                box.direction = descendants ? 2 : 0;
            }
            if (box.person < 0)
                continuationAt.emplace(cellKey(box.cell), int(i));
        }
        // A person laid out in an earlier chart gets a see box naming it: each
        // person stands in one chart, but a branch's first person in two.
        std::vector<BookChart::Link> sees;
        for (std::size_t i = 0; i < plan.size(); ++i) {
            PlannedBox& box = plan[i];
            if (box.person < 0 || box.person == root)
                continue;
            int& first = chartOfPerson[std::size_t(box.person)];
            if (first < 0) {
                first = int(k);
            } else if (first != int(k)) {
                // Families not shown in the first chart stay below the see box.
                sees.push_back({int(i), first});
                box.sees = box.person;
                box.person = -1;
            }
        }
        std::vector<BookChart::Link> links;
        for (const PlannedBox& box : plan) {
            // A branch's first person met first as someone's spouse has a see
            // box here, but the branch still continues from it.
            const int person = box.person >= 0 ? box.person : box.sees;
            if (person < 0 || person >= persons)
                continue;
            const int c = cutOf[std::size_t(person)];
            if (c < 0 || person == root || linked[std::size_t(c)])
                continue;
            const auto next = continuationAt.find(
                cellKey({box.cell.column, box.cell.level + (descendants ? 1 : -1)}));
            if (next == continuationAt.end())
                continue;
            linked[std::size_t(c)] = true;
            links.push_back({next->second, int(book.charts.size())});
            book.charts.push_back({book.charts[k].suffix + twoDigits(links.size()),
                                   cuts[std::size_t(c)].person,
                                   generations - cuts[std::size_t(c)].depth,
                                   {},
                                   {},
                                   {}});
            cutOfChart.push_back(std::size_t(c));
        }
        // Laid out here: met again in a later chart, only the box. Of a
        // spouse, only the families shown here: a woman who stands here as her
        // first husband's wife brings her second family to her own chart.
        for (const PlannedBox& box : plan)
            if (box.person >= 0)
                inChart[std::size_t(box.person)] = true;
        const auto shownHere = [&](int f) {
            const GedcomFamily& family = work.families[std::size_t(f)];
            const auto in = [&](int person) { return person >= 0 && inChart[std::size_t(person)]; };
            return (in(family.husband) && in(family.wife)) ||
                   std::any_of(family.children.begin(), family.children.end(), in);
        };
        for (const PlannedBox& box : plan) {
            if (box.person < 0)
                continue;
            std::vector<int>& links = linksOf(box.person);
            if (descendants)
                std::erase_if(links, shownHere);
            else
                links.clear();
        }
        for (const PlannedBox& box : plan)
            if (box.person >= 0)
                inChart[std::size_t(box.person)] = false;
        std::sort(links.begin(), links.end(),
                  [](const BookChart::Link& a, const BookChart::Link& b) { return a.box < b.box; });
        if (links.size() > std::size_t(maxBranchCharts)) {
            static_cast<Result&>(book) = Result::failure(
                Result::TooLarge,
                STIRPA_TR_NOOP("Message", "A chart would need %1 charts beside it, more than 99; "
                                          "allow more columns."),
                {std::to_string(links.size())});
            book.charts.clear();
            return book;
        }
        book.charts[k].plan = std::move(plan);
        book.charts[k].links = std::move(links);
        book.charts[k].sees = std::move(sees);
    }
    return book;
}
