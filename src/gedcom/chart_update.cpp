// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/chart_update.h"

#include "base/parallel.h"
#include "gedcom/family_layout.h"
#include "gedcom/family_link_options.h"
#include "gedcom/file_fingerprint.h"
#include "gedcom/gedcom_chart.h"
#include "gedcom/level_rows.h"
#include "gedcom/line_insertions.h"
#include "gedcom/living_persons.h"
#include "gedcom/person_description.h"
#include "model/chart_limits.h"
#include "model/parent_table.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>

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

// What the file made of a box's text.
enum class TextOutcome : char { Same, Removed, Changed, Kept, Counted };

struct NewBox {
    int person;
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

class Updater {
public:
    Updater(Chart& chart, const GedcomData& data, const ImportOptions& options,
            const CalendarDate& today)
        : chart_(chart),
          tree_(chart.mutableTree()),
          records_(tree_.mutableRecords()),
          data_(data),
          options_(options),
          living_(options.description.living == LivingPolicy::Show ? std::vector<bool>()
                                                                   : livingPersons(data, today)),
          anchor_(data.persons.size()),
          downPlanned_(data.persons.size())
    {
    }

    ChartUpdateReport run();

private:
    std::vector<Person*> boxesInOrder() const;
    int personOf(const RecordLink& record) const { return data_.findPerson(record.xref); }
    // The person's description, in a buffer used again for every box.
    const std::string& describe(int person)
    {
        describePerson(data_, person, options_.description, buffer_, living_);
        return buffer_;
    }
    std::string continuation(int person, int direction) const;
    bool isParent(int parent, int child) const;
    bool isSpouseParent(int parent, int person) const;
    void updateTexts(const std::vector<Person*>& boxes, std::size_t part, std::size_t parts,
                     std::vector<TextOutcome>& outcomes);
    void reportTexts(const std::vector<Person*>& boxes, const std::vector<TextOutcome>& outcomes,
                     ChartUpdateReport& report);
    void findReparented(const std::vector<int>& parents, ChartUpdateReport& report);
    // The first round's rows are made beforehand: the tree is as it was then.
    void addPersons(const std::vector<PlannedBox>& plan, std::optional<LevelRows> rows,
                    ChartUpdateReport& report);
    // Places one round of new persons next to relatives already in the chart;
    // returns those still waiting for a relative.
    std::vector<int> placeRound(const std::vector<int>& pending, const LevelRows& rows,
                                ChartUpdateReport& report);
    void noteBox(int person, Person* box);
    Person* anchorOf(int person) const { return anchor_[std::size_t(person)]; }
    // Where a new child of the person goes: a parent's box, the one with
    // children below it first, else the one the layout gives the children.
    Person* parentBoxOf(int person) const;
    Person* partnerBoxOf(int person) const;
    Person* childBoxOf(int person) const;
    UpdatedBox entry(const Person* box, std::string name, std::string xref) const
    {
        return {std::move(name), std::move(xref), box->cell(), box};
    }

    Chart& chart_;
    Tree& tree_;
    RecordLinks& records_;
    const GedcomData& data_;
    ImportOptions options_;
    std::vector<bool> living_;
    // Each person's box to place relatives next to: the one with a down
    // connector where there are several.
    std::vector<Person*> anchor_;
    std::vector<bool> downPlanned_; // persons the layout gives a down connector
    std::vector<int> boxPersons_;   // each box's person in list order, or -1
    std::string buffer_;
};

std::string Updater::continuation(int person, int direction) const
{
    const GedcomPerson& p = data_.persons[std::size_t(person)];
    int beyond = 0;
    if (direction == 0) {
        for (const int f : p.childOf) {
            const GedcomFamily& family = data_.families[std::size_t(f)];
            beyond = (family.husband >= 0) + (family.wife >= 0);
            if (beyond > 0)
                break;
        }
    } else {
        for (const int f : p.spouseIn)
            beyond += int(data_.families[std::size_t(f)].children.size());
    }
    return beyond > 0 ? continuationText(direction, beyond) : std::string();
}

bool Updater::isParent(int parent, int child) const
{
    for (const int f : data_.persons[std::size_t(child)].childOf) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        if (family.husband == parent || family.wife == parent)
            return true;
    }
    return false;
}

// A spouse's box finds the parent of the person married.
bool Updater::isSpouseParent(int parent, int person) const
{
    for (const int f : data_.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        const int partner = family.husband == person ? family.wife : family.husband;
        if (partner >= 0 && isParent(parent, partner))
            return true;
    }
    return false;
}

void Updater::noteBox(int person, Person* box)
{
    Person*& anchor = anchor_[std::size_t(person)];
    if (!anchor || (anchor->downLink() == 0 && box->downLink() != 0))
        anchor = box;
}

std::vector<Person*> Updater::boxesInOrder() const
{
    std::vector<Person*> boxes;
    boxes.reserve(tree_.size());
    tree_.forEachPerson([&](Person* box) { boxes.push_back(box); });
    return boxes;
}

// The file's texts for one part of the boxes, written where the user kept the
// imported text. Parts run at once: each writes only its own boxes.
void Updater::updateTexts(const std::vector<Person*>& boxes, std::size_t part, std::size_t parts,
                          std::vector<TextOutcome>& outcomes)
{
    std::string wanted;
    const std::size_t end = boxes.size() * (part + 1) / parts;
    for (std::size_t i = boxes.size() * part / parts; i < end; ++i) {
        Person* box = boxes[i];
        RecordLink* record = records_.find(box);
        const int person = record ? personOf(*record) : -1;
        boxPersons_[i] = person;
        if (!record)
            continue;
        if (person < 0) {
            // A continuation box goes with its person, who is listed.
            if (box->kind() == 'P')
                outcomes[i] = TextOutcome::Removed;
            continue;
        }
        const bool cut = box->kind() == 'p';
        if (cut)
            wanted = continuation(person, box->direction());
        else
            describePerson(data_, person, options_.description, wanted, living_);
        if (wanted.empty())
            continue;
        if (hasFileText(*box, record)) {
            if (box->text == wanted)
                continue;
            box->text = wanted;
            record->fingerprint = textFingerprint(wanted);
            outcomes[i] = cut ? TextOutcome::Counted : TextOutcome::Changed;
        } else if (!cut && textFingerprint(wanted) != record->fingerprint) {
            outcomes[i] = TextOutcome::Kept;
        }
    }
}

void Updater::reportTexts(const std::vector<Person*>& boxes,
                          const std::vector<TextOutcome>& outcomes, ChartUpdateReport& report)
{
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        Person* box = boxes[i];
        const int person = boxPersons_[i];
        if (person >= 0 && box->kind() == 'P')
            noteBox(person, box);
        if (outcomes[i] == TextOutcome::Same)
            continue;
        const std::string& xref = records_.find(box)->xref;
        switch (outcomes[i]) {
        case TextOutcome::Removed:
            report.removed.push_back(entry(box, box->text.substr(0, box->text.find(" |")), xref));
            break;
        case TextOutcome::Changed:
            report.changed.push_back(
                entry(box, displayName(data_.persons[std::size_t(person)]), xref));
            break;
        case TextOutcome::Kept:
            report.kept.push_back(
                entry(box, displayName(data_.persons[std::size_t(person)]), xref));
            break;
        case TextOutcome::Counted:
            ++report.continuations;
            break;
        case TextOutcome::Same:
            break;
        }
    }
}

// Every box's parent from one table of the tree: a search per box could cross
// a whole row each time.
void Updater::findReparented(const std::vector<int>& parents, ChartUpdateReport& report)
{
    std::size_t index = 0;
    tree_.forEachPerson([&](const Person* box) {
        const int parentBox = parents[index];
        const int person = boxPersons_[index++];
        if (person < 0 || box->kind() != 'P' || parentBox < 0)
            return;
        const int parent = boxPersons_[std::size_t(parentBox)];
        if (parent < 0 || isParent(parent, person) || isSpouseParent(parent, person))
            return;
        report.reparented.push_back(
            entry(box, displayName(data_.persons[std::size_t(person)]), records_.find(box)->xref));
    });
}

Person* Updater::parentBoxOf(int person) const
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

Person* Updater::partnerBoxOf(int person) const
{
    for (const int f : data_.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        const int partner = family.husband == person ? family.wife : family.husband;
        if (Person* box = partner >= 0 ? anchorOf(partner) : nullptr)
            return box;
    }
    return nullptr;
}

Person* Updater::childBoxOf(int person) const
{
    for (const int f : data_.persons[std::size_t(person)].spouseIn)
        for (const int child : data_.families[std::size_t(f)].children)
            if (Person* box = anchorOf(child))
                return box;
    return nullptr;
}

namespace {

// Whether a new box at the empty cell leaves every other box's parent as it
// was: no chain of right connectors runs through the cell.
bool keepsChains(const Tree& tree, const LevelRows& rows, Cell cell)
{
    if (tree.findPerson(cell))
        return false;
    const Person* left = rows.leftOf(cell.level, cell.column);
    return !left || left->kind() != 'P' || left->rightLink() == 0;
}

} // namespace

std::vector<int> Updater::placeRound(const std::vector<int>& pending, const LevelRows& rows,
                                     ChartUpdateReport& report)
{
    const bool ancestors = options_.layout.kind == LayoutKind::Ancestors;
    LineInsertions columns, levels;
    std::unordered_map<int, int> rowGroups; // by the index of the level opened
    std::vector<NewBox> boxes;
    std::vector<Joint> joints;
    std::vector<int> waiting;

    // Groups of new persons by the box they join, in the order first met.
    std::vector<const Person*> order;
    std::unordered_map<const Person*, std::pair<char, std::vector<int>>> groups;
    for (const int person : pending) {
        Person* box = nullptr;
        char kind = 0;
        if (ancestors) {
            box = childBoxOf(person);
            kind = 'p';
        } else if ((box = parentBoxOf(person))) {
            kind = 'c';
        } else if ((box = partnerBoxOf(person))) {
            kind = 's';
        }
        if (!box) {
            waiting.push_back(person);
            continue;
        }
        auto& group = groups[box];
        if (group.second.empty())
            order.push_back(box);
        group.first = kind;
        group.second.push_back(person);
    }
    if (order.empty())
        return waiting;

    const auto rowAt = [&](int index) {
        const auto found = rowGroups.find(index);
        return found != rowGroups.end()
                   ? found->second
                   : rowGroups.emplace(index, levels.add(index, 1)).first->second;
    };
    // New boxes in columns opened right after `after`, chained from `from`.
    const auto besideOf = [&](const Person* from, int after, Line level,
                              const std::vector<int>& persons, std::size_t first) {
        const int count = int(persons.size() - first);
        if (count <= 0)
            return;
        const int group = columns.add(after + 1, count);
        for (int i = 0; i < count; ++i) {
            const int index = int(boxes.size());
            boxes.push_back({persons[first + std::size_t(i)], {0, group, i}, level});
            joints.push_back(i == 0 ? Joint{from, -1, index} : Joint{nullptr, index - 1, index});
        }
    };
    // Find parent of anchors, from one table of the round's tree made on the
    // first question: a search each could cross a whole row each time.
    std::vector<int> parents;
    std::vector<const Person*> listed;
    std::unordered_map<const Person*, std::size_t> places;
    const auto parentOf = [&](const Person* box) -> const Person* {
        if (listed.empty()) {
            parents = parentIndices(tree_);
            listed.reserve(parents.size());
            tree_.forEachPerson([&](const Person* b) {
                places.emplace(b, listed.size());
                listed.push_back(b);
            });
        }
        const int parent = parents[places.at(box)];
        return parent < 0 ? nullptr : listed[std::size_t(parent)];
    };
    for (const Person* anchor : order) {
        const auto& [kind, persons] = groups[anchor];
        const Cell at = anchor->cell();
        if (kind == 's' || (kind == 'p' && [&] {
                const Person* parent = parentOf(anchor);
                const RecordLink* record = parent ? records_.find(parent) : nullptr;
                const int person = record ? personOf(*record) : -1;
                const RecordLink* own = records_.find(anchor);
                return person >= 0 && own && isParent(person, personOf(*own));
            }())) {
            // Beside the partner (the other parent), continuing the partner's chain.
            const Person* partner = kind == 's' ? anchor : parentOf(anchor);
            const Cell p = partner->cell();
            const Person* next =
                partner->rightLink() != 0 ? rows.rightOf(p.level, p.column) : nullptr;
            besideOf(partner, p.column, {p.level}, persons, 0);
            if (next)
                joints.push_back({nullptr, int(boxes.size()) - 1, -1, next});
            continue;
        }
        if (kind == 'c') {
            // After the last child of the chain under the parent. Find parent
            // answers with the box above at its first step, from level 0 on
            // and with the first box of the cell only: a search it needs not.
            const Person* below = tree_.findPerson({at.column, at.level + 1});
            if (anchor->downLink() != 0 && below && at.level >= 0 &&
                tree_.findPerson(at) == anchor && tree_.findParent(below) == anchor) {
                const Person* last = rows.chainEnd(below);
                besideOf(last, last->column(), {last->level()}, persons, 0);
                continue;
            }
        }
        // Right below the parent (a child) or right above the child (a parent),
        // in a free cell when one keeps the chains, else in a level opened there.
        const Cell target{at.column, kind == 'c' ? at.level + 1 : at.level - 1};
        Line level{target.level};
        if (target.level < 0 || !keepsChains(tree_, rows, target))
            level = {0, rowAt(kind == 'c' ? at.level + 1 : at.level), 0};
        const int index = int(boxes.size());
        boxes.push_back({persons[0], {at.column}, level});
        if (kind == 'c')
            joints.push_back({anchor, -1, index, nullptr, true});
        else
            joints.push_back({nullptr, index, -1, anchor, true});
        besideOf(nullptr, at.column, level, persons, 1);
        if (persons.size() > 1)
            joints[joints.size() - std::size_t(persons.size() - 1)] = {nullptr, index, index + 1};
    }

    columns.finish();
    levels.finish();
    const Cell extent = tree_.extentCells();
    if (long(extent.column) + columns.total() > chartLimits::maxCell ||
        long(extent.level) + levels.total() > chartLimits::maxCell) {
        for (const Person* anchor : order)
            for (const int person : groups[anchor].second)
                report.unplaced.push_back({displayName(data_.persons[std::size_t(person)]),
                                           std::string(data_.persons[std::size_t(person)].xref),
                                           noCell, nullptr});
        return {};
    }
    const TreeSettings& settings = chart_.settings();
    if (!columns.empty() || !levels.empty()) {
        // A connector that reached a box reaches it still across the opened lines.
        const auto stretched = [](int length, int pitch, int gap, int from,
                                  const LineInsertions& lines) {
            if (length < gap || (length - gap) % pitch != 0)
                return length;
            const int to = from + (length - gap) / pitch + 1;
            return (lines.map(to) - lines.map(from) - 1) * pitch + gap;
        };
        tree_.forEachPerson([&](Person* box) {
            if (box->kind() != 'P')
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

    std::vector<Person*> added;
    for (const NewBox& planned : boxes) {
        auto box = std::make_unique<Person>();
        box->text = describe(planned.person);
        box->setCell({planned.column.resolve(columns), planned.level.resolve(levels)});
        Person* placed = tree_.append(std::move(box));
        const std::string xref(data_.persons[std::size_t(planned.person)].xref);
        records_.set(placed, {xref, textFingerprint(placed->text)});
        noteBox(planned.person, placed);
        added.push_back(placed);
        report.added.push_back(
            entry(placed, displayName(data_.persons[std::size_t(planned.person)]), xref));
    }
    for (const Joint& joint : joints) {
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
    return waiting;
}

void Updater::addPersons(const std::vector<PlannedBox>& plan, std::optional<LevelRows> rows,
                         ChartUpdateReport& report)
{
    std::vector<int> pending;
    std::vector<bool> seen(data_.persons.size());
    for (const PlannedBox& box : plan) {
        if (box.person < 0)
            continue;
        if (box.down)
            downPlanned_[std::size_t(box.person)] = true;
        if (!anchor_[std::size_t(box.person)] && !seen[std::size_t(box.person)]) {
            seen[std::size_t(box.person)] = true;
            pending.push_back(box.person);
        }
    }
    while (!pending.empty()) {
        if (!rows)
            rows.emplace(tree_);
        std::vector<int> waiting = placeRound(pending, *rows, report);
        rows.reset(); // the round has changed the tree
        if (waiting.size() == pending.size()) {
            for (const int person : waiting)
                report.unplaced.push_back({displayName(data_.persons[std::size_t(person)]),
                                           std::string(data_.persons[std::size_t(person)].xref),
                                           noCell, nullptr});
            break;
        }
        pending = std::move(waiting);
    }
}

ChartUpdateReport Updater::run()
{
    ChartUpdateReport report;
    const std::vector<Person*> boxes = boxesInOrder();
    boxPersons_.assign(boxes.size(), -1);
    std::vector<TextOutcome> outcomes(boxes.size(), TextOutcome::Same);
    // The texts, Find parent's table, the import's plan (who belongs where) and
    // the rows new boxes are placed by need nothing of each other: they are
    // made at once, the texts in parts. Only texts change; the others read
    // where the boxes stand.
    std::vector<int> parents;
    std::vector<PlannedBox> plan;
    std::optional<LevelRows> rows;
    const std::size_t parts = parallelParts(boxes.size(), std::size_t(1) << 13);
    runInParallel(parts + 3, [&](std::size_t task) {
        if (task < parts)
            updateTexts(boxes, task, parts, outcomes);
        else if (task == parts)
            parents = parentIndices(tree_);
        else if (task == parts + 1)
            plan = planLayout(data_, options_.layout);
        else
            rows.emplace(tree_);
    });
    reportTexts(boxes, outcomes, report);
    findReparented(parents, report);
    addPersons(plan, std::move(rows), report);
    for (auto* list :
         {&report.changed, &report.kept, &report.added, &report.removed, &report.reparented})
        for (UpdatedBox& entry : *list)
            entry.cell = entry.box->cell();
    if (report.changesChart()) {
        tree_.forgetUndo();
        tree_.resetExtent();
    }
    return report;
}

} // namespace

ChartUpdate updateChart(Chart& chart, const GedcomData& data, const CalendarDate& today)
{
    const FamilyLink& link = chart.familyLink();
    if (!link.linked())
        return {
            Result::failure(Result::Failed,
                            STIRPA_TR_NOOP("Message", "The chart is not linked to a family file.")),
            {}};
    ImportOptions options = importOptionsOf(link, data);
    if (options.layout.root < 0)
        return {
            Result::failure(
                Result::Failed,
                STIRPA_TR_NOOP("Message", "The family file has no person %1, the chart's root."),
                {link.root}),
            {}};
    options.today = today;
    return {Result(), Updater(chart, data, options, today).run()};
}

bool tookInBytes(const FamilyLink& link, std::uint64_t fingerprint)
{
    return link.fileFingerprint != 0 && link.fileFingerprint == fingerprint;
}

bool familyFileUnchanged(const FamilyLink& link, const std::string& path)
{
    return link.fileFingerprint != 0 && tookInBytes(link, fileFingerprint(path).value_or(0));
}

FamilyLink linkAfterUpdate(FamilyLink link, const std::string& path, const GedcomData& data)
{
    link.path = path;
    link.fileFingerprint = data.fileFingerprint;
    return link;
}

std::vector<ReportSection> reportSections(const ChartUpdateReport& report)
{
    return {{STIRPA_TR_NOOP("Update", "New text"), &report.changed},
            {STIRPA_TR_NOOP("Update", "Kept your text"), &report.kept},
            {STIRPA_TR_NOOP("Update", "New persons"), &report.added},
            {STIRPA_TR_NOOP("Update", "Left the family file"), &report.removed},
            {STIRPA_TR_NOOP("Update", "Parents changed"), &report.reparented},
            {STIRPA_TR_NOOP("Update", "Found no place"), &report.unplaced}};
}

std::string updateReportText(const ChartUpdateReport& report)
{
    std::string text;
    for (const ReportSection& section : reportSections(report)) {
        if (section.boxes->empty())
            continue;
        text += std::string(section.title) + ": " + std::to_string(section.boxes->size()) + "\n";
        for (const UpdatedBox& entry : *section.boxes) {
            text += "  " + entry.name + " (" + entry.xref + ")";
            if (entry.box)
                text += " at column " + std::to_string(entry.cell.column) + ", level " +
                        std::to_string(entry.cell.level);
            text += '\n';
        }
    }
    if (report.continuations > 0)
        text += "Continuation boxes counted anew: " + std::to_string(report.continuations) + "\n";
    if (text.empty())
        text = "No changes.\n";
    return text;
}
