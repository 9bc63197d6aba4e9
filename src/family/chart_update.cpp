// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/chart_update.h"

#include "base/parallel.h"
#include "family/box_placing.h"
#include "family/level_rows.h"
#include "layout/box_colours.h"
#include "layout/box_text.h"
#include "layout/chart_kind.h"
#include "layout/family_link_options.h"
#include "layout/person_description.h"
#include "model/box_words.h"
#include "model/parent_table.h"
#include "model/place_name.h"

#include <functional>
#include <optional>
#include <unordered_map>

namespace {

// What the file made of a box's text.
enum class TextOutcome : char { Same, Removed, Changed, Kept, Counted, SeeBox };

// What changed: records against boxes. The placing of new persons is the
// BoxPlacer's.
class Updater {
public:
    // The target is made by makeTarget, while the chart's tables are made.
    Updater(Chart& chart, const GedcomData& data, std::function<ChartTarget()> makeTarget,
            std::optional<ChartTables> tables = std::nullopt)
        : chart_(chart),
          tree_(chart.mutableTree()),
          records_(tree_.mutableRecords()),
          data_(data),
          makeTarget_(std::move(makeTarget)),
          tables_(std::move(tables))
    {
    }

    ChartUpdateReport run();

private:
    void indexTarget();
    // The text an import would give the box of the person (a continuation
    // box: of the person whose branch it cuts); null when it would give none.
    const std::string* wantedText(const Person& box, int person, std::string& buffer) const;
    // Writes the import's text into a see box whose words or form are another
    // import's (the other language, an older chart); false when it has it or
    // is no see box the import would make.
    bool rewriteSeeBox(Person& box) const;
    void updateTexts(const std::vector<Person*>& boxes, std::size_t part, std::size_t parts,
                     std::vector<TextOutcome>& outcomes);
    void reportTexts(const std::vector<Person*>& boxes, const std::vector<TextOutcome>& outcomes,
                     ChartUpdateReport& report);
    void findReparented(const std::vector<int>& parents, ChartUpdateReport& report);
    bool isSpouseParent(int parent, int person) const;
    UpdatedBox entry(const Person* box, int person) const
    {
        return {displayName(data_.persons[std::size_t(person)]),
                std::string(data_.persons[std::size_t(person)].xref),
                box->cell(),
                box,
                {}};
    }

    Chart& chart_;
    Tree& tree_;
    RecordLinks& records_;
    const GedcomData& data_;
    std::function<ChartTarget()> makeTarget_;
    std::optional<ChartTables> tables_;
    ChartTarget target_;
    std::optional<BoxPlacer> placer_;
    std::vector<long> personBoxes_; // plan index by person, -1 for none
    // Persons whose cross-reference another planned person repeats: their
    // boxes' records cannot tell which of them a box is.
    std::vector<bool> repeated_;
    std::unordered_map<std::uint64_t, std::size_t> cutBoxes_; // plan index by cutKey
    std::unordered_map<std::string, std::size_t> seeBoxes_;   // plan index by seeBoxKey
    std::vector<int> boxPersons_; // each box's person in list order, or -1
};

void Updater::indexTarget()
{
    if (data_.repeatsPersonXrefs()) {
        repeated_.assign(data_.persons.size(), false);
        for (const TargetBox& target : target_.boxes)
            if (const PlannedBox& box = target.planned; box.person >= 0)
                if (const int first = data_.findPerson(data_.persons[std::size_t(box.person)].xref);
                    first >= 0 && first != box.person)
                    repeated_[std::size_t(first)] = true;
    }
    personBoxes_.assign(data_.persons.size(), -1);
    for (std::size_t i = 0; i < target_.boxes.size(); ++i) {
        const PlannedBox& box = target_.boxes[i].planned;
        if (box.person >= 0 && personBoxes_[std::size_t(box.person)] < 0)
            personBoxes_[std::size_t(box.person)] = long(i);
        else if (const int cut = target_.boxes[i].cut; cut >= 0)
            cutBoxes_.emplace(cutKey(cut, box.direction), i);
        else if (box.sees >= 0)
            if (std::optional<std::string> key = seeBoxKey(target_.boxes[i].text))
                seeBoxes_.emplace(std::move(*key), i);
    }
}

bool Updater::rewriteSeeBox(Person& box) const
{
    if (seeBoxes_.empty() || box.kind() != BoxKind::Person)
        return false;
    const std::optional<std::string> key = seeBoxKey(box.text);
    const auto found = key ? seeBoxes_.find(*key) : seeBoxes_.end();
    if (found == seeBoxes_.end() || box.text == target_.boxes[found->second].text)
        return false;
    box.text = target_.boxes[found->second].text;
    box.setNameLines(firstLineCount(std::string_view(*key).substr(0, key->find('\n'))));
    return true;
}

const std::string* Updater::wantedText(const Person& box, int person, std::string& buffer) const
{
    if (box.kind() == BoxKind::Continuation) {
        const auto found = cutBoxes_.find(cutKey(person, directionOf(box.direction())));
        return found == cutBoxes_.end() ? nullptr : &target_.boxes[found->second].text;
    }
    if (const long found = personBoxes_[std::size_t(person)]; found >= 0)
        return &target_.boxes[std::size_t(found)].text;
    // Linked by hand, or beyond what the import would show now: described alike.
    describeBox(data_, person, target_.description, buffer, target_.living);
    return &buffer;
}

// A spouse's box finds the parent of the person married.
bool Updater::isSpouseParent(int parent, int person) const
{
    for (const int f : data_.persons[std::size_t(person)].spouseIn) {
        const GedcomFamily& family = data_.families[std::size_t(f)];
        const int partner = family.husband == person ? family.wife : family.husband;
        if (partner >= 0 && data_.isParent(parent, partner))
            return true;
    }
    return false;
}

// The import's texts for one part of the boxes, written where the user kept
// the imported text. Parts run at once: each writes only its own boxes.
void Updater::updateTexts(const std::vector<Person*>& boxes, std::size_t part, std::size_t parts,
                          std::vector<TextOutcome>& outcomes)
{
    std::string buffer;
    const std::size_t end = boxes.size() * (part + 1) / parts;
    for (std::size_t i = boxes.size() * part / parts; i < end; ++i) {
        Person* box = boxes[i];
        RecordLink* record = records_.find(box);
        const int person = record ? data_.findPerson(record->xref) : -1;
        boxPersons_[i] = person;
        if (!record) {
            if (rewriteSeeBox(*box))
                outcomes[i] = TextOutcome::SeeBox;
            continue;
        }
        if (person < 0) {
            // A continuation box goes with its person, who is listed.
            if (box->kind() == BoxKind::Person)
                outcomes[i] = TextOutcome::Removed;
            continue;
        }
        if (!repeated_.empty() && repeated_[std::size_t(person)])
            continue;
        const bool cut = box->kind() == BoxKind::Continuation;
        const std::string* wanted = wantedText(*box, person, buffer);
        if (!wanted || wanted->empty())
            continue;
        if (hasFileText(*box, record)) {
            if (box->text == *wanted)
                continue;
            box->text = *wanted;
            record->fingerprint = textFingerprint(*wanted);
            outcomes[i] = cut ? TextOutcome::Counted : TextOutcome::Changed;
        } else if (!cut && textFingerprint(*wanted) != record->fingerprint) {
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
        if (person >= 0 && box->kind() == BoxKind::Person)
            placer_->noteBox(person, box);
        else if (person >= 0 && box->kind() == BoxKind::Continuation)
            placer_->noteCut(person, directionOf(box->direction()));
        switch (outcomes[i]) {
        case TextOutcome::Removed:
            report.removed.push_back({box->text.substr(0, box->text.find(" |")),
                                      records_.find(box)->xref,
                                      box->cell(),
                                      box,
                                      {}});
            break;
        case TextOutcome::Changed:
            report.changed.push_back(entry(box, person));
            break;
        case TextOutcome::Kept:
            report.kept.push_back(entry(box, person));
            break;
        case TextOutcome::Counted:
            ++report.continuations;
            break;
        case TextOutcome::SeeBox:
            ++report.seeBoxes;
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
        if (person < 0 || box->kind() != BoxKind::Person || parentBox < 0)
            return;
        const int parent = boxPersons_[std::size_t(parentBox)];
        if (parent < 0 || data_.isParent(parent, person) || isSpouseParent(parent, person))
            return;
        report.reparented.push_back(entry(box, person));
    });
}

ChartUpdateReport Updater::run()
{
    ChartUpdateReport report;
    std::vector<Person*> boxes;
    boxes.reserve(tree_.size());
    tree_.forEachPerson([&](Person* box) { boxes.push_back(box); });
    boxPersons_.assign(boxes.size(), -1);
    // The target (the import's plan and texts) and the chart's tables need
    // nothing of each other: they are made at once, unless the tables were
    // made before; then the texts are compared in parts. Only texts change;
    // the tables read where the boxes stand.
    if (tables_)
        target_ = makeTarget_();
    else
        runInParallel(2, [&](std::size_t task) {
            if (task == 0)
                target_ = makeTarget_();
            else
                tables_ = chartTables(tree_);
        });
    std::vector<int>& parents = tables_->parents;
    std::optional<LevelRows>& rows = tables_->rows;
    indexTarget();
    placer_.emplace(chart_, data_, target_);
    std::vector<TextOutcome> outcomes(boxes.size(), TextOutcome::Same);
    const std::size_t parts = parallelParts(boxes.size(), std::size_t(1) << 13);
    runInParallel(parts, [&](std::size_t part) { updateTexts(boxes, part, parts, outcomes); });
    reportTexts(boxes, outcomes, report);
    findReparented(parents, report);
    placer_->addPersons(std::move(rows), report);
    if (report.changesChart()) {
        tree_.forgetUndo();
        tree_.resetExtent();
    }
    for (auto* list :
         {&report.changed, &report.kept, &report.added, &report.removed, &report.reparented})
        for (UpdatedBox& entry : *list) {
            entry.cell = entry.box->cell();
            entry.place = placeName(chart_, entry.cell);
            entry.generation = generationNumber(chart_, entry.cell.level);
        }
    return report;
}

} // namespace

void ChartTarget::append(std::vector<PlannedBox> morePlan, std::vector<std::string> moreTexts)
{
    const int rootLevel = morePlan.empty() ? 0 : morePlan.front().cell.level;
    const std::vector<int> moreCuts = cutPersons(morePlan);
    boxes.reserve(boxes.size() + morePlan.size());
    for (std::size_t i = 0; i < morePlan.size(); ++i)
        boxes.push_back({morePlan[i], std::move(moreTexts[i]), morePlan[i].cell.level < rootLevel,
                         moreCuts[i]});
}

ChartTarget chartTarget(const GedcomData& data, const ImportOptions& options)
{
    ChartTarget target;
    target.description = options.description;
    target.living = livingPersons(data, options);
    std::vector<PlannedBox> plan = chartKind(options.layout.kind).plan(data, options.layout);
    std::vector<std::string> texts =
        plannedTexts(data, plan, options.description, {}, target.living);
    target.append(std::move(plan), std::move(texts));
    return target;
}

ChartTables chartTables(const Tree& tree)
{
    ChartTables tables;
    runInParallel(2, [&](std::size_t task) {
        if (task == 0)
            tables.parents = parentIndices(tree);
        else
            tables.rows.emplace(tree);
    });
    return tables;
}

ChartUpdateReport updateChart(Chart& chart, const GedcomData& data, ChartTarget target)
{
    ChartUpdateReport report = Updater(chart, data, [&] { return std::move(target); }).run();
    applySchemeColours(chart, data);
    return report;
}

Result checkRoot(const GedcomData& data, int root, const FamilyLink& link)
{
    if (root < 0)
        return Result::failure(
            Result::Failed,
            STIRPA_TR_NOOP("Message", "The family file has no person %1, the chart's root."),
            {link.root});
    if (data.xrefRepeated(root))
        return Result::failure(Result::Failed,
                               STIRPA_TR_NOOP("Message", "The family file has more than one "
                                                         "person %1, the chart's root."),
                               {link.root});
    return {};
}

Result notLinked()
{
    return Result::failure(Result::Failed,
                           STIRPA_TR_NOOP("Message", "The chart is not linked to a family file."));
}

ChartUpdate updateChart(Chart& chart, const GedcomData& data, const CalendarDate& today,
                        std::optional<ChartTables> tables)
{
    const FamilyLink& link = chart.familyLink();
    if (!link.linked())
        return notLinked();
    ImportOptions options = importOptionsOf(link, data);
    if (Result root = checkRoot(data, options.layout.root, link); !root)
        return root;
    options.today = today;
    ChartUpdate update;
    update.report = Updater(
                        chart, data, [&] { return chartTarget(data, options); }, std::move(tables))
                        .run();
    applySchemeColours(chart, data);
    return update;
}
