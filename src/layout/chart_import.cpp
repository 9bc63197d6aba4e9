// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/chart_import.h"

#include "base/parallel.h"
#include "layout/box_colours.h"
#include "layout/box_text.h"
#include "layout/chart_kind.h"
#include "layout/family_link_options.h"
#include "model/box_words.h"
#include "model/chart_limits.h"
#include "model/place_name.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace {

// Lines of a box after the first one are this many pixels apart; the first
// baseline and the room under the last line are measured from the box's edge.
constexpr int firstBaseline = 16;
constexpr int continuationBaseline = 14; // in the line font throughout
constexpr int linePitch = 12;
constexpr int bottomMargin = 8;

// The box size that fits every description: its widest line between the
// insets, its lines under the first baseline. A continuation box is drawn
// smaller, all in the line font: its lines ask for a box higher by the scale.
class TextExtent {
public:
    void add(const Person& box)
    {
        const bool continuation = box.kind() == BoxKind::Continuation;
        const TextSize size = measureDescription(box.text, !continuation);
        const double width = size.width + lineInsets;
        width_ =
            std::max(width_, long(std::ceil(continuation ? width / continuationScale : width)));
        long& lines = continuation ? continuationLines_ : lines_;
        lines = std::max(lines, long(size.lines));
    }
    void apply(TreeSettings& settings) const
    {
        const double continuationHeight =
            continuationLines_ > 0
                ? (continuationBaseline + (continuationLines_ - 1) * linePitch + bottomMargin) /
                      continuationScale
                : 0;
        const long height = std::max(firstBaseline + (lines_ - 1) * linePitch + bottomMargin,
                                     long(std::ceil(continuationHeight)));
        settings.boxWidth =
            int(std::clamp<long>(width_, TreeSettings::minBoxSize, TreeSettings::maxBoxSize));
        settings.boxHeight =
            int(std::clamp<long>(height, TreeSettings::minBoxSize, TreeSettings::maxBoxSize));
    }

private:
    long width_ = 1;
    long lines_ = 1;
    long continuationLines_ = 0;
};

// The name line of a person's description.
std::string nameOf(const GedcomData& data, int person, const DescriptionOptions& options,
                   const std::vector<bool>& living)
{
    std::string text;
    describePerson(data, person, options, text, living);
    text.erase(std::min(text.find('|'), text.size()));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Where the own box is of each person a see box stands for: found in the plan
// alone, as a book makes many charts of one family.
using SeenCells = std::unordered_map<int, Cell>;
SeenCells cellsOfSeenPersons(const std::vector<PlannedBox>& plan)
{
    SeenCells cells;
    for (const PlannedBox& box : plan)
        if (box.sees >= 0)
            cells.emplace(box.sees, noCell);
    for (const PlannedBox& box : plan)
        if (const auto seen = cells.find(box.person); seen != cells.end())
            seen->second = box.cell;
    return cells;
}

// The levels the plan's boxes take, so that a see box names a generation as
// the chart's generation column will.
int planLevels(const std::vector<PlannedBox>& plan)
{
    int levels = 1;
    for (const PlannedBox& box : plan)
        levels = std::max(levels, box.cell.level + 1);
    return levels;
}

// Returns the lines the box's name takes.
int boxText(const GedcomData& data, const PlannedBox& planned, const DescriptionOptions& options,
            const std::vector<bool>& living, const SeenCells& cells, int levels,
            const std::string* label, std::string& text)
{
    if (planned.person >= 0)
        return describeBox(data, planned.person, options, text, living);
    if (planned.sees < 0) {
        text = label ? *label : cutOffText(planned.direction, planned.beyond, options.dateLanguage);
        return 1;
    }
    // The name in bold as in the person's own box, then where that box is.
    text = seeBoxText(
        nameOf(data, planned.sees, options, living),
        label ? *label
              : placeName(TreeSettings(), levels, cells.at(planned.sees), options.dateLanguage),
        options.dateLanguage);
    const int nameLines = firstLineCount(text);
    text = wrapDescription(text);
    return nameLines;
}

std::unique_ptr<Person> makeBox(const PlannedBox& planned, std::string text)
{
    std::unique_ptr<Person> box;
    if (planned.person < 0 && planned.sees < 0) {
        auto continuation = std::make_unique<ContPerson>();
        continuation->setDirection(directionNumber(planned.direction));
        box = std::move(continuation);
    } else {
        // A see box is a plain box, not a continuation box: it links to no other chart.
        box = std::make_unique<Person>();
    }
    box->text = std::move(text);
    box->setCell(planned.cell);
    return box;
}

} // namespace

Links continuationConnector(const TreeSettings& settings)
{
    return {0, -(settings.boxHeight + gapY)};
}

std::vector<int> cutPersons(const std::vector<PlannedBox>& plan)
{
    // By the cell of the person each continuation box cuts and the side it is
    // on (below or above): few, where persons are many.
    std::unordered_map<std::uint64_t, std::size_t> cutAt;
    const auto key = [](Cell cell, bool below) {
        return std::uint64_t(std::uint32_t(cell.column)) << 32 |
               std::uint64_t(std::uint32_t(cell.level)) << 1 | below;
    };
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PlannedBox& box = plan[i];
        const bool below = box.direction == Direction::Down;
        if (box.person < 0 && box.sees < 0) // a see box cuts no branch
            cutAt.emplace(key({box.cell.column, box.cell.level + (below ? -1 : 1)}, below), i);
    }
    std::vector<int> cut(plan.size(), -1);
    if (cutAt.empty())
        return cut;
    for (const PlannedBox& box : plan)
        for (const bool below : {false, true})
            if (box.person >= 0)
                if (const auto found = cutAt.find(key(box.cell, below)); found != cutAt.end())
                    if (cut[found->second] < 0)
                        cut[found->second] = box.person;
    return cut;
}

int describeBox(const GedcomData& data, int person, const DescriptionOptions& options,
                std::string& text, const std::vector<bool>& living)
{
    describePerson(data, person, options, text, living);
    const int nameLines = firstLineCount(text);
    text = wrapDescription(text);
    return nameLines;
}

std::vector<std::string> plannedTexts(const GedcomData& data, const std::vector<PlannedBox>& plan,
                                      const DescriptionOptions& options,
                                      const std::vector<BoxLabel>& labels,
                                      const std::vector<bool>& living, std::vector<int>* nameLines)
{
    std::vector<std::string> texts(plan.size());
    if (nameLines)
        nameLines->assign(plan.size(), 1);
    std::vector<const std::string*> labelOf(plan.size());
    for (const BoxLabel& label : labels)
        labelOf[std::size_t(label.box)] = &label.text;
    const SeenCells cells = cellsOfSeenPersons(plan);
    const int levels = planLevels(plan);
    const std::size_t parts = parallelParts(plan.size(), std::size_t(1) << 13);
    runInParallel(parts, [&](std::size_t part) {
        const std::size_t end = plan.size() * (part + 1) / parts;
        for (std::size_t i = plan.size() * part / parts; i < end; ++i) {
            const int lines =
                boxText(data, plan[i], options, living, cells, levels, labelOf[i], texts[i]);
            if (nameLines)
                (*nameLines)[i] = lines;
        }
    });
    return texts;
}

ChartImport importChart(const GedcomData& data, const ImportOptions& options,
                        const std::string& name, const std::string& familyPath)
{
    ChartImport imported =
        chartFromPlan(data, chartKind(options.layout.kind).plan(data, options.layout), options,
                      name, {}, livingPersons(data, options));
    if (imported) {
        imported.chart.setFamilyLink(familyLinkFor(data, options, familyPath));
        applySchemeColours(imported.chart, data);
    }
    return imported;
}

std::vector<bool> livingPersons(const GedcomData& data, const ImportOptions& options)
{
    switch (options.description.living) {
    case LivingPolicy::ShowAll:
        return {};
    case LivingPolicy::Show: {
        std::vector<bool> restricted(data.persons.size());
        for (std::size_t p = 0; p < restricted.size(); ++p)
            restricted[p] = data.persons[p].restricted;
        return restricted;
    }
    case LivingPolicy::NameOnly:
    case LivingPolicy::Hide:
        break;
    }
    return livingPersons(data, options.today);
}

Result noSuchRoot()
{
    return Result::failure(Result::Failed,
                           STIRPA_TR_NOOP("Message", "There is no such person to start from."));
}

ChartImport chartFromPlan(const GedcomData& data, const std::vector<PlannedBox>& plan,
                          const ImportOptions& options, const std::string& name,
                          const std::vector<BoxLabel>& labels, const std::vector<bool>& living)
{
    if (plan.empty())
        return noSuchRoot();
    for (const PlannedBox& box : plan) {
        if (!chartLimits::contains(box.cell))
            return Result::failure(Result::TooLarge,
                                   STIRPA_TR_NOOP("Message", "The chart would need more than %1 "
                                                             "columns; choose fewer generations."),
                                   {std::to_string(chartLimits::maxCell)});
    }
    std::vector<int> nameLines;
    std::vector<std::string> texts =
        plannedTexts(data, plan, options.description, labels, living, &nameLines);
    std::vector<std::unique_ptr<Person>> boxes;
    boxes.reserve(plan.size());
    TextExtent extent;
    // The levels of persons, not of continuation boxes.
    int firstLevel = plan.front().cell.level, lastLevel = firstLevel;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PlannedBox& planned = plan[i];
        boxes.push_back(makeBox(planned, std::move(texts[i])));
        boxes.back()->setNameLines(nameLines[i]);
        extent.add(*boxes.back());
        if (planned.person >= 0) {
            firstLevel = std::min(firstLevel, planned.cell.level);
            lastLevel = std::max(lastLevel, planned.cell.level);
        }
    }
    TreeSettings settings;
    extent.apply(settings);
    // Connectors reach the next box, which takes the box size to know.
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PlannedBox& planned = plan[i];
        if (boxes[i]->kind() == BoxKind::Person)
            boxes[i]->setLinkLengths(
                {planned.rightTo < 0
                     ? 0
                     : (planned.rightTo - planned.cell.column - 1) * settings.pitchX() + gapX,
                 planned.down ? gapY : 0});
        else
            boxes[i]->setLinkLengths(continuationConnector(settings));
    }
    ChartImport result;
    result.chart = Chart(settings, name);
    result.root = boxes.front()->cell();
    result.generations = lastLevel - firstLevel + 1;
    result.living = livingCount(plan, living);
    std::vector<const Person*> placed(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i)
        placed[i] = boxes[i].get();
    result.chart.mutableTree().appendAll(boxes);
    const std::vector<int> cut = cutPersons(plan);
    RecordLinks& records = result.chart.mutableTree().mutableRecords();
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const int person = plan[i].person >= 0 ? plan[i].person : cut[i];
        if (person >= 0)
            records.set(placed[i], {std::string(data.persons[std::size_t(person)].xref),
                                    textFingerprint(placed[i]->text)});
    }
    return result;
}
