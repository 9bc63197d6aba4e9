// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_chart.h"

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

// The box size that fits every description: the name line in the larger font.
void fitBoxSize(TreeSettings& settings, const std::vector<std::string>& texts)
{
    long width = 1, lines = 1;
    for (const std::string& text : texts) {
        long count = 0;
        forEachDescriptionLine(text, [&](std::string_view line) {
            line = line.substr(0, line.find_last_not_of(' ') + 1); // the blank before a bar
            const int charWidth = count == 0 ? nameCharWidth : lineCharWidth;
            width = std::max(width, characters(line) * charWidth + textMargin);
            ++count;
        });
        lines = std::max(lines, count);
    }
    const long height = firstBaseline + (lines - 1) * linePitch + textMargin;
    settings.boxWidth =
        int(std::clamp<long>(width, TreeSettings::minBoxSize, TreeSettings::maxBoxSize));
    settings.boxHeight =
        int(std::clamp<long>(height, TreeSettings::minBoxSize, TreeSettings::maxBoxSize));
}

} // namespace

ChartImport importChart(const GedcomData& data, const ImportOptions& options, const String& name)
{
    const std::vector<PlannedBox> plan = planLayout(data, options.layout);
    if (plan.empty())
        return {Result::failure(Result::Failed, "There is no such person to start from."), Chart()};
    for (const PlannedBox& box : plan) {
        if (!chartLimits::contains(box.cell))
            return {Result::failure(Result::TooLarge, "The chart would need more than " +
                                                          std::to_string(chartLimits::maxCell) +
                                                          " columns; choose fewer generations."),
                    Chart()};
    }
    std::vector<std::string> texts;
    texts.reserve(plan.size());
    for (const PlannedBox& box : plan)
        texts.push_back(box.person >= 0 ? describePerson(data, box.person, options.description)
                                        : continuationText(box));
    TreeSettings settings;
    fitBoxSize(settings, texts);

    std::vector<std::unique_ptr<Person>> boxes;
    boxes.reserve(plan.size());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const PlannedBox& box = plan[i];
        const String text(std::string_view(texts[i]));
        if (box.person < 0) {
            boxes.push_back(std::make_unique<ContPerson>(text, box.cell, Links{}, box.direction));
            continue;
        }
        const Links links{
            box.rightTo < 0 ? 0 : (box.rightTo - box.cell.column - 1) * settings.pitchX() + gapX,
            box.down ? gapY : 0};
        boxes.push_back(std::make_unique<Person>(text, box.cell, links));
    }
    ChartImport result{Result(), Chart(settings, name)};
    Person* root = boxes.front().get();
    result.chart.tree().appendAll(boxes);
    result.chart.tree().selected = root;
    return result;
}
