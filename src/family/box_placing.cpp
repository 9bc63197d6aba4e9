// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/box_placing.h"

#include "family/level_rows.h"
#include "family/line_insertions.h"
#include "layout/chart_import.h"
#include "layout/person_description.h"
#include "model/chart_limits.h"
#include "model/parent_table.h"

#include <memory>
#include <unordered_map>
#include <utility>

namespace {

// A coordinate of a new box: an old line as it is moved, or a line a group opens.
struct Line {
    int old = 0;
    int group = -1;
    int offset = 0;
    int resolve(const LineInsertions& lines) const
    {
        return group < 0 ? lines.map(old) : lines.start(group) + offset;
    }
};

struct NewBox {
    std::size_t entry; // in the target's plan
    Line column;
    Line level;
};

// A connector to set once the boxes stand where they end: from one box to the
// next one on its right (right) or below it (down).
struct Joint {
    const Person* from; // an old box, or null for the new box at fromNew
    int fromNew = -1;
    int toNew = -1; // the new box reached, or -1 for the old box `to`
    const Person* to = nullptr;
    bool down = false;
};

// Whether a new box at the empty cell leaves every other box's parent as it
// was: no chain of right connectors runs through the cell.
bool keepsChains(const Tree& tree, const LevelRows& rows, Cell cell)
{
    if (tree.findPerson(cell))
        return false;
    const Person* left = rows.leftOf(cell.level, cell.column);
    return !left || left->kind() != BoxKind::Person || left->rightLink() == 0;
}

} // namespace

BoxPlacer::BoxPlacer(Chart& chart, const GedcomData& data, const ChartTarget& target)
    : chart_(chart),
      tree_(chart.mutableTree()),
      data_(data),
      target_(target),
      anchor_(data.persons.size()),
      downPlanned_(data.persons.size())
{
    for (const TargetBox& box : target.boxes)
        if (box.planned.person >= 0 && box.planned.down)
            downPlanned_[std::size_t(box.planned.person)] = true;
}

void BoxPlacer::noteCut(int person, Direction direction)
{
    cuts_.insert(cutKey(person, direction));
}

void BoxPlacer::noteBox(int person, Person* box)
{
    Person*& anchor = anchor_[std::size_t(person)];
    if (!anchor || (anchor->downLink() == 0 && box->downLink() != 0))
        anchor = box;
}

// Whether another person of the same cross-reference (a file that repeats
// one) has the box: a box's record names the first of them.
bool BoxPlacer::boxedByXref(int person) const
{
    const int first = data_.findPerson(data_.persons[std::size_t(person)].xref);
    return first != person && first >= 0 && anchorOf(first);
}

int BoxPlacer::personOf(const Person* box) const
{
    const RecordLink* record = tree_.records().find(box);
    return record ? data_.findPerson(record->xref) : -1;
}

void BoxPlacer::reportUnplaced(std::size_t entry, ChartUpdateReport& report) const
{
    // A continuation box goes with its person, who is listed.
    const int person = target_.boxes[entry].planned.person;
    if (person >= 0)
        report.unplaced.push_back({displayName(data_.persons[std::size_t(person)]),
                                   std::string(data_.persons[std::size_t(person)].xref),
                                   noCell,
                                   nullptr,
                                   {}});
}

// The box a new entry is placed by, and how it joins it; null while it has
// no relative with a box.
std::pair<Person*, Joining> BoxPlacer::placeOf(std::size_t entry) const
{
    const TargetBox& target = target_.boxes[entry];
    const PlannedBox& planned = target.planned;
    if (planned.person < 0) // a continuation box: by the person it cuts
        return {anchorOf(target.cut),
                planned.direction == Direction::Up ? Joining::Parent : Joining::Child};
    if (target.upward)
        return {childBoxOf(planned.person), Joining::Parent};
    if (Person* parent = parentBoxOf(planned.person))
        return {parent, Joining::Child};
    return {partnerBoxOf(planned.person), Joining::Partner};
}

Person* BoxPlacer::parentBoxOf(int person) const
{
    Person* chosen = nullptr;
    int rank = 0;
    for (const int f : data_.persons[std::size_t(person)].childOf) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        for (const int parent : {family.husband, family.wife}) {
            Person* box = parent >= 0 ? anchorOf(parent) : nullptr;
            if (!box)
                continue;
            const int r = box->downLink() != 0 ? 3 : downPlanned_[std::size_t(parent)] ? 2 : 1;
            if (r > rank) {
                rank = r;
                chosen = box;
            }
        }
    }
    return chosen;
}

Person* BoxPlacer::partnerBoxOf(int person) const
{
    for (const int f : data_.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        const int partner = family.husband == person ? family.wife : family.husband;
        if (Person* box = partner >= 0 ? anchorOf(partner) : nullptr)
            return box;
    }
    return nullptr;
}

Person* BoxPlacer::childBoxOf(int person) const
{
    for (const int f : data_.persons[std::size_t(person)].spouseIn)
        for (const int child : data_.families[std::size_t(f)].children)
            if (Person* box = anchorOf(child))
                return box;
    return nullptr;
}

// One round's new boxes: the lines they open, where they go and the
// connectors to set once the boxes stand where they end.
struct BoxPlacer::Round {
    explicit Round(const LevelRows& rows) : rows(rows) {}

    // The index of the group of a level opened at index.
    int rowAt(int index)
    {
        const auto found = rowGroups.find(index);
        return found != rowGroups.end()
                   ? found->second
                   : rowGroups.emplace(index, levels.add(index, 1)).first->second;
    }
    // New boxes in columns opened right after `after`, chained from `from`.
    void besideOf(const Person* from, int after, Line level,
                  const std::vector<std::size_t>& entries, std::size_t first)
    {
        const int count = int(entries.size() - first);
        if (count <= 0)
            return;
        const int group = columns.add(after + 1, count);
        for (int i = 0; i < count; ++i) {
            const int index = int(boxes.size());
            boxes.push_back({entries[first + std::size_t(i)], {0, group, i}, level});
            joints.push_back(i == 0 ? Joint{from, -1, index} : Joint{nullptr, index - 1, index});
        }
    }
    // Find parent of an anchor, from one table of the round's tree made on the
    // first question: a search each could cross a whole row each time.
    const Person* parentOf(const Tree& tree, const Person* box)
    {
        if (listed.empty()) {
            parents = parentIndices(tree);
            listed.reserve(parents.size());
            tree.forEachPerson([&](const Person* b) {
                places.emplace(b, listed.size());
                listed.push_back(b);
            });
        }
        const int parent = parents[places.at(box)];
        return parent < 0 ? nullptr : listed[std::size_t(parent)];
    }

    const LevelRows& rows;
    LineInsertions columns, levels;
    std::unordered_map<int, int> rowGroups; // by the index of the level opened
    std::vector<NewBox> boxes;
    std::vector<Joint> joints;
    // Groups of new boxes by the box they join, in the order first met.
    std::vector<const Person*> order;
    std::unordered_map<const Person*, std::pair<Joining, std::vector<std::size_t>>> groups;

private:
    std::vector<int> parents;
    std::vector<const Person*> listed;
    std::unordered_map<const Person*, std::size_t> places;
};

std::vector<std::size_t> BoxPlacer::groupByAnchor(const std::vector<std::size_t>& pending,
                                                  Round& round) const
{
    std::vector<std::size_t> waiting;
    for (const std::size_t entry : pending) {
        const auto [box, joining] = placeOf(entry);
        if (!box) {
            waiting.push_back(entry);
            continue;
        }
        auto& group = round.groups[box];
        if (group.second.empty())
            round.order.push_back(box);
        group.first = joining;
        group.second.push_back(entry);
    }
    return waiting;
}

// Whether new boxes joining the anchor go beside a partner: theirs, or the
// other parent of the anchor's child (a parent placed above a child whose box
// hangs below the other parent).
const Person* BoxPlacer::partnerToJoin(Round& round, const Person* anchor, Joining joining) const
{
    if (joining == Joining::Partner)
        return anchor;
    if (joining != Joining::Parent)
        return nullptr;
    const Person* parent = round.parentOf(tree_, anchor);
    const int person = parent ? personOf(parent) : -1;
    const int own = personOf(anchor);
    return person >= 0 && own >= 0 && data_.isParent(person, own) ? parent : nullptr;
}

// Beside the partner, continuing the partner's chain.
void BoxPlacer::placeBesidePartner(Round& round, const Person* partner,
                                   const std::vector<std::size_t>& entries) const
{
    const Cell p = partner->cell();
    const Person* next =
        partner->rightLink() != 0 ? round.rows.rightOf(p.level, p.column) : nullptr;
    round.besideOf(partner, p.column, {p.level}, entries, 0);
    if (next)
        round.joints.push_back({nullptr, int(round.boxes.size()) - 1, -1, next});
}

// After the last child of the chain under the parent, when there is one. Find
// parent answers with the box above at its first step, from level 0 on and
// with the first box of the cell only: a search it needs not.
bool BoxPlacer::placeAfterChildren(Round& round, const Person* parent,
                                   const std::vector<std::size_t>& entries) const
{
    const Cell at = parent->cell();
    const Person* below = tree_.findPerson({at.column, at.level + 1});
    if (parent->downLink() == 0 || !below || at.level < 0 || tree_.findPerson(at) != parent ||
        tree_.findParent(below) != parent)
        return false;
    const Person* last = round.rows.chainEnd(below);
    round.besideOf(last, last->column(), {last->level()}, entries, 0);
    return true;
}

// Right below the parent (a child) or right above the child (a parent), in a
// free cell when one keeps the chains, else in a level opened there.
void BoxPlacer::placeAboveOrBelow(Round& round, const Person* anchor, bool child,
                                  const std::vector<std::size_t>& entries) const
{
    const Cell at = anchor->cell();
    const Cell target{at.column, child ? at.level + 1 : at.level - 1};
    Line level{target.level};
    if (target.level < 0 || !keepsChains(tree_, round.rows, target))
        level = {0, round.rowAt(child ? at.level + 1 : at.level), 0};
    const int index = int(round.boxes.size());
    round.boxes.push_back({entries[0], {at.column}, level});
    if (child)
        round.joints.push_back({anchor, -1, index, nullptr, true});
    else
        round.joints.push_back({nullptr, index, -1, anchor, true});
    round.besideOf(nullptr, at.column, level, entries, 1);
    if (entries.size() > 1)
        round.joints[round.joints.size() - std::size_t(entries.size() - 1)] = {nullptr, index,
                                                                               index + 1};
}

// Opens the round's lines: boxes move, and a connector that reached a box
// reaches it still across them.
void BoxPlacer::openLines(const Round& round)
{
    const LineInsertions& columns = round.columns;
    const LineInsertions& levels = round.levels;
    if (columns.empty() && levels.empty())
        return;
    const TreeSettings& settings = chart_.settings();
    const auto stretched = [](int length, int pitch, int gap, int from,
                              const LineInsertions& lines) {
        if (length < gap || (length - gap) % pitch != 0)
            return length;
        const int to = from + (length - gap) / pitch + 1;
        return (lines.map(to) - lines.map(from) - 1) * pitch + gap;
    };
    tree_.forEachPerson([&](Person* box) {
        if (box->kind() != BoxKind::Person)
            return;
        const Cell at = box->cell();
        box->setLinkLengths(
            {stretched(box->rightLink(), settings.pitchX(), gapX, at.column, columns),
             stretched(box->downLink(), settings.pitchY(), gapY, at.level, levels)});
    });
    tree_.remapCells([&](Cell cell) {
        return Cell{columns.map(cell.column), levels.map(cell.level)};
    });
}

// Makes the round's boxes where they end and sets their connectors.
void BoxPlacer::addBoxes(const Round& round, ChartUpdateReport& report)
{
    const TreeSettings& settings = chart_.settings();
    std::vector<Person*> added;
    for (const NewBox& planned : round.boxes)
        added.push_back(makeBox(
            planned.entry,
            {planned.column.resolve(round.columns), planned.level.resolve(round.levels)}, report));
    for (const Joint& joint : round.joints) {
        Person* from =
            joint.fromNew >= 0 ? added[std::size_t(joint.fromNew)] : tree_.own(joint.from);
        const Person* to = joint.toNew >= 0 ? added[std::size_t(joint.toNew)] : joint.to;
        if (!from || !to)
            continue;
        Links links = from->links();
        if (joint.down)
            links.down = (to->level() - from->level() - 1) * settings.pitchY() + gapY;
        else
            links.right = (to->column() - from->column() - 1) * settings.pitchX() + gapX;
        from->setLinkLengths(links);
        tree_.growExtent(to->cell());
    }
}

std::vector<std::size_t> BoxPlacer::placeRound(const std::vector<std::size_t>& pending,
                                               const LevelRows& rows, ChartUpdateReport& report)
{
    Round round(rows);
    std::vector<std::size_t> waiting = groupByAnchor(pending, round);
    if (round.order.empty())
        return waiting;
    for (const Person* anchor : round.order) {
        const auto& [joining, entries] = round.groups[anchor];
        if (const Person* partner = partnerToJoin(round, anchor, joining))
            placeBesidePartner(round, partner, entries);
        else if (joining != Joining::Child || !placeAfterChildren(round, anchor, entries))
            placeAboveOrBelow(round, anchor, joining == Joining::Child, entries);
    }
    round.columns.finish();
    round.levels.finish();
    const Cell extent = tree_.extentCells();
    if (long(extent.column) + round.columns.total() > chartLimits::maxCell ||
        long(extent.level) + round.levels.total() > chartLimits::maxCell) {
        for (const Person* anchor : round.order)
            for (const std::size_t entry : round.groups[anchor].second)
                reportUnplaced(entry, report);
        return {};
    }
    openLines(round);
    addBoxes(round, report);
    return waiting;
}

Person* BoxPlacer::makeBox(std::size_t entry, Cell cell, ChartUpdateReport& report)
{
    const TargetBox& target = target_.boxes[entry];
    const PlannedBox& planned = target.planned;
    const bool continuation = planned.person < 0;
    std::unique_ptr<Person> box;
    if (continuation) {
        auto cut = std::make_unique<ContPerson>();
        cut->setDirection(directionNumber(planned.direction));
        cut->setLinkLengths(continuationConnector(tree_.settings()));
        box = std::move(cut);
    } else {
        box = std::make_unique<Person>();
    }
    box->text = target.text;
    box->setCell(cell);
    Person* placed = tree_.append(std::move(box));
    const int person = continuation ? target.cut : planned.person;
    const std::string xref(data_.persons[std::size_t(person)].xref);
    tree_.mutableRecords().set(placed, {xref, textFingerprint(placed->text)});
    if (continuation) {
        noteCut(person, planned.direction);
        ++report.continuations;
    } else {
        noteBox(person, placed);
        report.added.push_back(
            {displayName(data_.persons[std::size_t(person)]), xref, {}, placed, {}});
    }
    return placed;
}

void BoxPlacer::addPersons(std::optional<LevelRows> rows, ChartUpdateReport& report)
{
    // The plan's persons without a box here, in plan order, each once, and
    // the continuation boxes their cuts lack.
    const auto elsewhere = [&](int person) {
        return target_.elsewhere && target_.elsewhere->get()[std::size_t(person)];
    };
    std::vector<std::size_t> pending;
    std::vector<bool> met(data_.persons.size());
    for (std::size_t entry = 0; entry < target_.boxes.size(); ++entry) {
        const PlannedBox& box = target_.boxes[entry].planned;
        const int cut = target_.boxes[entry].cut;
        if (box.person >= 0 && !anchorOf(box.person) && !met[std::size_t(box.person)] &&
            !elsewhere(box.person) && !boxedByXref(box.person)) {
            met[std::size_t(box.person)] = true;
            pending.push_back(entry);
        } else if (box.person < 0 && cut >= 0 && !cuts_.count(cutKey(cut, box.direction)) &&
                   (anchorOf(cut) || !elsewhere(cut))) {
            cuts_.insert(cutKey(cut, box.direction));
            pending.push_back(entry);
        }
    }
    while (!pending.empty()) {
        if (!rows)
            rows.emplace(tree_);
        std::vector<std::size_t> waiting = placeRound(pending, *rows, report);
        rows.reset(); // the round has changed the tree
        if (waiting.size() == pending.size()) {
            for (const std::size_t entry : waiting)
                reportUnplaced(entry, report);
            break;
        }
        pending = std::move(waiting);
    }
}
