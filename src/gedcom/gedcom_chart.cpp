// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_chart.h"

#include "gedcom/hourglass_layout.h"

#include "model/chart_limits.h"
#include "model/description_lines.h"

#include <algorithm>
#include <memory>

namespace {

// Estimates for the fonts boxes are drawn in: the bold name line, the smaller
// lines under it, and the line pitch.
constexpr int nameCharWidth = 8;
constexpr int lineCharWidth = 6;
constexpr int textMargin = 8;
constexpr int firstBaseline = 16;
constexpr int linePitch = 12;

long characters(std::string_view utf8)
{
    return std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; });
}

std::string continuationText(const PlannedBox& box)
{
    const bool parents = box.direction == 0;
    const std::string count = std::to_string(box.beyond);
    if (box.beyond == 1)
        return parents ? "1 parent" : "1 child";
    return count + (parents ? " parents" : " children");
}

// The box size that fits every description, the name line in the larger font.
class TextExtent {
public:
    void add(std::string_view text)
    {
        long count = 0;
        forEachDescriptionLine(text, [&](std::string_view line) {
            line = line.substr(0, line.find_last_not_of(' ') + 1); // the blank before a bar
            const int charWidth = count == 0 ? nameCharWidth : lineCharWidth;
            width_ = std::max(width_, characters(line) * charWidth + textMargin);
            ++count;
        });
        lines_ = std::max(lines_, count);
    }
    void apply(TreeSettings& settings) const
    {
        const long height = firstBaseline + (lines_ - 1) * linePitch + textMargin;
        settings.boxWidth =
            int(std::clamp<long>(width_, TreeSettings::minBoxSize, TreeSettings::maxBoxSize));
        settings.boxHeight =
            int(std::clamp<long>(height, TreeSettings::minBoxSize, TreeSettings::maxBoxSize));
    }

private:
    long width_ = 1;
    long lines_ = 1;
};

std::unique_ptr<Person> makeBox(const GedcomData& data, const PlannedBox& planned,
                                const DescriptionOptions& options, const std::vector<bool>& living,
                                const std::string* label, std::string& buffer)
{
    std::unique_ptr<Person> box;
    if (planned.person < 0) {
        auto continuation = std::make_unique<ContPerson>();
        continuation->setDirection(planned.direction);
        continuation->text = label ? *label : continuationText(planned);
        box = std::move(continuation);
    } else {
        box = std::make_unique<Person>();
        describePerson(data, planned.person, options, buffer, living);
        box->text = buffer;
    }
    box->setCell(planned.cell);
    return box;
}

} // namespace

ChartImport importChart(const GedcomData& data, const ImportOptions& options,
                        const std::string& name)
{
    return chartFromPlan(data, planChart(data, options.layout), options, name, {},
                         livingPersons(data, options));
}

std::vector<bool> livingPersons(const GedcomData& data, const ImportOptions& options)
{
    return options.description.living == LivingPolicy::Show ? std::vector<bool>()
                                                            : livingPersons(data, options.today);
}

ChartImport chartFromPlan(const GedcomData& data, const std::vector<PlannedBox>& plan,
                          const ImportOptions& options, const std::string& name,
                          const std::vector<BoxLabel>& labels, const std::vector<bool>& living)
{
    if (plan.empty())
        return {
            Result::failure(Result::Failed,
                            STIRPA_TR_NOOP("Message", "There is no such person to start from.")),
            Chart(), 0, 0};
    for (const PlannedBox& box : plan) {
        if (!chartLimits::contains(box.cell))
            return {Result::failure(Result::TooLarge,
                                    STIRPA_TR_NOOP("Message", "The chart would need more than %1 "
                                                              "columns; choose fewer generations."),
                                    {std::to_string(chartLimits::maxCell)}),
                    Chart(), 0, 0};
    }
    std::vector<std::unique_ptr<Person>> boxes;
    boxes.reserve(plan.size());
    TextExtent extent;
    std::string buffer;
    // The levels of persons, not of continuation boxes.
    int firstLevel = plan.front().cell.level, lastLevel = firstLevel;
    auto label = labels.begin();
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PlannedBox& planned = plan[i];
        const bool labelled = label != labels.end() && label->box == int(i);
        boxes.push_back(makeBox(data, planned, options.description, living,
                                labelled ? &label->text : nullptr, buffer));
        label += labelled;
        extent.add(boxes.back()->text);
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
        if (planned.person >= 0)
            boxes[i]->setLinkLengths(
                {planned.rightTo < 0
                     ? 0
                     : (planned.rightTo - planned.cell.column - 1) * settings.pitchX() + gapX,
                 planned.down ? gapY : 0});
    }
    ChartImport result{Result(), Chart(settings, name), boxes.front()->cell(),
                       lastLevel - firstLevel + 1, livingCount(plan, living)};
    result.chart.mutableTree().appendAll(boxes);
    return result;
}
