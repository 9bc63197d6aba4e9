// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/book_plan.h"

#include "layout/chart_kind.h"
#include "layout/person_description.h"

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

// Walks the chart as the layout lays it out (each person's own box where it
// first meets them, on the shortest line in an ancestors chart) and decides
// which branches continue elsewhere from each block's width as the layout makes
// it at most: the person and spouses, or the branches side by side. Widest
// branches go first, then those bringing the most branch charts along.
class Splitter {
public:
    Splitter(const GedcomData& data, const LayoutRequest& request, int columns)
        : reachedFrom(data.persons.size(), unreached),
          familyOwner(data.families.size(), -1),
          data_(data),
          downward_(chartKind(request.kind).branchDirection() == Direction::Down),
          generations_(std::clamp(request.generations, 1, maxGenerations)),
          columns_(columns)
    {
        if (!downward_)
            nearest_ = ancestorDepths(data, request.root, generations_);
    }

    Result run(int root)
    {
        measure(root, 0, -1);
        return failure_;
    }

    static constexpr int unreached = -2;
    std::vector<Cut> cuts;
    // By person: the person whose branch their own box stands in (-1 for the
    // root), unreached for those with no box of their own (spouses).
    std::vector<int> reachedFrom;
    // The persons with a box of their own, each after the one they are reached from.
    std::vector<int> reached;
    // By family, of a descendants chart: the person whose box shows its
    // children (or their continuation box at the limit): the spouse laid out
    // first. -1 for a family the chart never meets.
    std::vector<int> familyOwner;

private:
    struct Block {
        long width;
        long branches; // branch charts starting from the block's chart
    };

    Block measure(int person, int depth, int from);
    // Cuts the person's branches off (their blocks side by side) till they fit
    // the columns: the widest first, then those bringing the most branch
    // charts along. The width and branch charts left; wider than the columns
    // when they cannot fit.
    Block cutToFit(int person, int depth, const std::vector<int>& branches,
                   const std::vector<Block>& blocks);
    std::vector<int> next(int person);
    long ownWidth(int person) const;
    // Of an ancestors chart: at the limit, parents whose box stands on a
    // shorter line get see boxes beside the continuation box.
    long widthAtLimit(int person) const;
    void fail(const char* pattern, int person, long count)
    {
        if (failure_)
            failure_ = Result::failure(Result::TooLarge, pattern,
                                       {displayName(data_.persons[std::size_t(person)]),
                                        std::to_string(count), std::to_string(columns_)});
    }

    const GedcomData& data_;
    bool downward_; // branches continue to children, else to parents
    int generations_;
    int columns_;
    std::vector<int> nearest_; // of an ancestors chart, see ancestorDepths
    Result failure_;
};

std::vector<int> Splitter::next(int person)
{
    if (!downward_)
        return shownParents(data_, person);
    std::vector<int> found;
    // A family met again through its other parent shows its children once,
    // even when the first one stood at the limit.
    for (const int f : data_.persons[std::size_t(person)].spouseIn) {
        if (familyOwner[std::size_t(f)] >= 0)
            continue;
        familyOwner[std::size_t(f)] = person;
        const std::vector<int>& children = data_.families[std::size_t(f)].children;
        found.insert(found.end(), children.begin(), children.end());
    }
    return found;
}

long Splitter::ownWidth(int person) const
{
    if (!downward_)
        return 1;
    long width = 1;
    for (const int f : data_.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        width += (family.husband == person ? family.wife : family.husband) >= 0;
    }
    return width;
}

long Splitter::widthAtLimit(int person) const
{
    const std::vector<int> parents = shownParents(data_, person);
    const auto seen = std::count_if(parents.begin(), parents.end(), [&](int parent) {
        return nearest_[std::size_t(parent)] < generations_;
    });
    return seen < long(parents.size()) ? 1 + seen : std::max<long>(1, seen);
}

Splitter::Block Splitter::measure(int person, int depth, int from)
{
    const bool ownBox = downward_ || depth == nearest_[std::size_t(person)];
    if (!ownBox || reachedFrom[std::size_t(person)] != unreached || !failure_)
        return {1, 0};
    reachedFrom[std::size_t(person)] = from;
    reached.push_back(person);
    const long own = ownWidth(person);
    if (own > columns_) {
        fail(STIRPA_TR_NOOP("Message", "%1 and their spouses take %2 columns, more than the %3 "
                                       "a chart may have."),
             person, own);
        return {1, 0};
    }
    const std::vector<int> branches = next(person);
    if (branches.empty())
        return {own, 0};
    if (depth + 1 >= generations_)
        return {downward_ ? own : widthAtLimit(person), 0};
    std::vector<Block> blocks;
    blocks.reserve(branches.size());
    for (const int branch : branches)
        blocks.push_back(measure(branch, depth + 1, person));
    const Block total = cutToFit(person, depth, branches, blocks);
    if (total.width > columns_)
        return {1, 0};
    return {std::max(own, total.width), total.branches};
}

Splitter::Block Splitter::cutToFit(int person, int depth, const std::vector<int>& branches,
                                   const std::vector<Block>& blocks)
{
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
        return total;
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
    return total;
}

std::uint64_t cellKey(Cell cell)
{
    return std::uint64_t(std::uint32_t(cell.column)) << 32 | std::uint32_t(cell.level);
}

// Each family's children stay with the spouse the one chart shows them
// under: the other spouses get a childless copy of it, which keeps their
// spouse box. Otherwise a branch cut off to a chart of its own would let a
// spouse met later (perhaps a generation lower, at the limit) take them.
void keepFamiliesWithTheirOwners(GedcomData& work, const std::vector<int>& owners)
{
    const std::size_t families = work.families.size();
    for (std::size_t f = 0; f < families; ++f) {
        const int owner = owners[f];
        if (owner < 0)
            continue;
        for (const int spouse : {work.families[f].husband, work.families[f].wife}) {
            if (spouse < 0 || spouse == owner)
                continue;
            GedcomFamily childless = work.families[f];
            childless.children.clear();
            std::vector<int>& links = work.persons[std::size_t(spouse)].spouseIn;
            std::replace(links.begin(), links.end(), int(f), int(work.families.size()));
            work.families.push_back(std::move(childless));
        }
    }
}

std::string twoDigits(std::size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

bool byBox(const BookChart::Link& a, const BookChart::Link& b) { return a.box < b.box; }

// Plans the book's charts one after the other from the splitter's cuts: each
// cut person gets a family of their own in a copy of the data, with a
// stand-in person where the branch went: the layout leaves the stand-in's
// place free, right below (or above) the person, for the continuation box.
class BookPlanner {
public:
    BookPlanner(const GedcomData& data, const LayoutRequest& request, const Splitter& splitter,
                int generations)
        : kind_(chartKind(request.kind)),
          downward_(kind_.branchDirection() == Direction::Down),
          persons_(int(data.persons.size())),
          generations_(generations),
          splitter_(splitter),
          cuts_(splitter.cuts),
          work_(data),
          cutOf_(data.persons.size(), -1),
          homeCut_(data.persons.size(), -1),
          chartOfCut_(cuts_.size(), -1),
          chartOfSpouse_(data.persons.size(), -1)
    {
        if (downward_)
            keepFamiliesWithTheirOwners(work_, splitter.familyOwner);
        standInForCuts();
        findHomeCuts();
    }

    // Plans chart k, appending the charts its branches continue in; the
    // links of a chart that would need more than maxBranchCharts.
    std::size_t planChartAt(std::vector<BookChart>& charts, std::size_t k);
    // Points the see boxes of persons whose chart came later at that chart.
    void linkLaterSees(std::vector<BookChart>& charts) const;

private:
    void standInForCuts();
    void findHomeCuts();
    std::vector<int>& linksOf(int person)
    {
        GedcomPerson& p = work_.persons[std::size_t(person)];
        return downward_ ? p.spouseIn : p.childOf;
    }
    bool hasOwnBox(int person) const
    {
        return splitter_.reachedFrom[std::size_t(person)] != Splitter::unreached;
    }
    // Whether the person's own box stands in another chart than chart k, of root.
    bool boxedElsewhere(int person, std::size_t k, int root) const
    {
        return person < persons_ && person != root && hasOwnBox(person) &&
               homeCut_[std::size_t(person)] != cutOfChart_[k];
    }
    std::unordered_map<std::uint64_t, int> makeContinuations(std::vector<PlannedBox>& plan) const;
    std::vector<BookChart::Link> makeSees(std::vector<PlannedBox>& plan, std::size_t k, int root);
    std::vector<BookChart::Link>
    addBranchCharts(std::vector<BookChart>& charts, std::size_t k,
                    const std::vector<PlannedBox>& plan,
                    const std::unordered_map<std::uint64_t, int>& continuationAt);

    const ChartKind& kind_;
    bool downward_;
    int persons_;
    int generations_;
    const Splitter& splitter_;
    const std::vector<Cut>& cuts_;
    GedcomData work_;
    std::vector<std::vector<int>> branchLinks_; // by cut: the links the stand-in took
    std::vector<int> cutOf_;                    // by person: their cut, -1 for none
    // By person: the cut whose chart holds their own box (-1: the main chart),
    // as the one chart would show it; a cut person's own box is the one above
    // the continuation box, in the chart the branch is cut from.
    std::vector<int> homeCut_;
    std::vector<int> cutOfChart_{-1};
    std::vector<int> chartOfCut_;
    // Spouses have no box of their own: the first chart showing one has it.
    std::vector<int> chartOfSpouse_;
    // See boxes of persons whose own box is in a chart not planned yet: (chart, box).
    std::vector<std::pair<std::size_t, int>> seesLater_;
};

void BookPlanner::standInForCuts()
{
    branchLinks_.resize(cuts_.size());
    for (std::size_t i = 0; i < cuts_.size(); ++i) {
        const int standIn = int(work_.persons.size());
        work_.persons.emplace_back();
        GedcomFamily family;
        family.husband = downward_ ? cuts_[i].person : standIn;
        family.children = {downward_ ? standIn : cuts_[i].person};
        branchLinks_[i] = std::exchange(linksOf(cuts_[i].person), {int(work_.families.size())});
        work_.families.push_back(std::move(family));
    }
}

void BookPlanner::findHomeCuts()
{
    for (std::size_t i = 0; i < cuts_.size(); ++i)
        cutOf_[std::size_t(cuts_[i].person)] = int(i);
    for (const int person : splitter_.reached) {
        const int from = splitter_.reachedFrom[std::size_t(person)];
        if (from >= 0)
            homeCut_[std::size_t(person)] = cutOf_[std::size_t(from)] >= 0
                                                ? cutOf_[std::size_t(from)]
                                                : homeCut_[std::size_t(from)];
    }
}

// The stand-ins become continuation boxes; at the generation limit the
// layout has put one of its own in their place. Returns them by cell.
std::unordered_map<std::uint64_t, int>
BookPlanner::makeContinuations(std::vector<PlannedBox>& plan) const
{
    std::unordered_map<std::uint64_t, int> continuationAt;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        PlannedBox& box = plan[i];
        if (box.person >= persons_) {
            box.person = -1;
            box.rightTo = -1;
            box.down = false;
            box.direction = kind_.branchDirection();
        }
        if (box.person < 0 && box.sees < 0)
            continuationAt.emplace(cellKey(box.cell), int(i));
    }
    return continuationAt;
}

// A person whose box stands in another chart gets a see box naming it: each
// person stands in one chart, but a branch's first person in two.
std::vector<BookChart::Link> BookPlanner::makeSees(std::vector<PlannedBox>& plan, std::size_t k,
                                                   int root)
{
    std::vector<BookChart::Link> sees;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        PlannedBox& box = plan[i];
        if (box.person >= 0 && !hasOwnBox(box.person)) {
            int& first = chartOfSpouse_[std::size_t(box.person)];
            if (first < 0)
                first = int(k);
            if (first != int(k)) {
                sees.push_back({int(i), first});
                box.sees = std::exchange(box.person, -1);
            }
        } else if (box.sees >= 0 && box.sees < persons_ && boxedElsewhere(box.sees, k, root)) {
            seesLater_.emplace_back(k, int(i));
        }
    }
    return sees;
}

// A chart for each cut whose person the plan shows first, in plan order;
// the links of the plan's continuation boxes to them, by box.
std::vector<BookChart::Link>
BookPlanner::addBranchCharts(std::vector<BookChart>& charts, std::size_t k,
                             const std::vector<PlannedBox>& plan,
                             const std::unordered_map<std::uint64_t, int>& continuationAt)
{
    const int root = charts[k].root;
    const int step = downward_ ? 1 : -1;
    std::vector<BookChart::Link> links;
    for (const PlannedBox& box : plan) {
        const int person = box.person;
        if (person < 0 || person >= persons_)
            continue;
        const int c = cutOf_[std::size_t(person)];
        if (c < 0 || person == root || chartOfCut_[std::size_t(c)] >= 0)
            continue;
        const auto next = continuationAt.find(cellKey({box.cell.column, box.cell.level + step}));
        if (next == continuationAt.end())
            continue;
        chartOfCut_[std::size_t(c)] = int(charts.size());
        links.push_back({next->second, int(charts.size())});
        charts.push_back({charts[k].suffix + twoDigits(links.size()),
                          cuts_[std::size_t(c)].person,
                          generations_ - cuts_[std::size_t(c)].depth,
                          {},
                          {},
                          {}});
        cutOfChart_.push_back(c);
    }
    std::sort(links.begin(), links.end(), byBox);
    return links;
}

std::size_t BookPlanner::planChartAt(std::vector<BookChart>& charts, std::size_t k)
{
    const int root = charts[k].root;
    if (k > 0)
        linksOf(root) = std::move(branchLinks_[std::size_t(cutOfChart_[k])]);
    std::vector<PlannedBox> plan =
        kind_.sidePlan(work_, {root, kind_.kind(), charts[k].generations, 1},
                       [&](int person) { return boxedElsewhere(person, k, root); });
    const std::unordered_map<std::uint64_t, int> continuationAt = makeContinuations(plan);
    std::vector<BookChart::Link> sees = makeSees(plan, k, root);
    std::vector<BookChart::Link> links = addBranchCharts(charts, k, plan, continuationAt);
    const std::size_t branches = links.size();
    charts[k].plan = std::move(plan);
    charts[k].links = std::move(links);
    charts[k].sees = std::move(sees);
    return branches;
}

void BookPlanner::linkLaterSees(std::vector<BookChart>& charts) const
{
    for (const auto& [k, i] : seesLater_) {
        BookChart& chart = charts[k];
        const int cut = homeCut_[std::size_t(chart.plan[std::size_t(i)].sees)];
        const int target = cut < 0 ? 0 : chartOfCut_[std::size_t(cut)];
        if (target >= 0)
            chart.sees.push_back({i, target});
    }
    for (BookChart& chart : charts)
        std::sort(chart.sees.begin(), chart.sees.end(), byBox);
}

int lastColumn(const std::vector<PlannedBox>& plan)
{
    int last = 0;
    for (const PlannedBox& box : plan)
        last = std::max(last, box.cell.column);
    return last;
}

} // namespace

ChartBookPlan planBook(const GedcomData& data, const LayoutRequest& request, int columns)
{
    ChartBookPlan book;
    if (request.root < 0 || std::size_t(request.root) >= data.persons.size())
        return book;
    const int generations = std::clamp(request.generations, 1, maxGenerations);
    columns = std::clamp(columns, minBookColumns, maxBookColumns);
    // The widths below are the most a packed layout takes; the chart as laid
    // out may fit as it is.
    std::vector<PlannedBox> whole =
        chartKind(request.kind).plan(data, {request.root, request.kind, generations, 1});
    if (lastColumn(whole) < columns) {
        book.charts.push_back({"", request.root, generations, std::move(whole), {}, {}});
        return book;
    }
    whole.clear();
    Splitter splitter(data, request, columns);
    if (const Result split = splitter.run(request.root); !split)
        return split;
    BookPlanner planner(data, request, splitter, generations);
    book.charts.push_back({"", request.root, generations, {}, {}, {}});
    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        if (const std::size_t branches = planner.planChartAt(book.charts, k);
            branches > std::size_t(maxBranchCharts)) {
            return Result::failure(
                Result::TooLarge,
                STIRPA_TR_NOOP("Message", "A chart would need %1 charts beside it, more than 99; "
                                          "allow more columns."),
                {std::to_string(branches)});
        }
    }
    planner.linkLaterSees(book.charts);
    return book;
}
