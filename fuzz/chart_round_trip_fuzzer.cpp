// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes a chart reader accepts must save and load back to the same chart, and
// saving that again must give the same bytes.
#include "chartfile/chart_writer.h"
#include "fuzz_checks.h"
#include "model/chart_limits.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>

namespace {

// Settings unlike the defaults in every field the header carries, so a second
// load that skipped part of the header would show.
TreeSettings otherSettings(const TreeSettings& s)
{
    TreeSettings other = s;
    other.boxWidth = s.boxWidth == 77 ? 78 : 77;
    other.boxHeight = s.boxHeight == 33 ? 34 : 33;
    other.htmlStartX = s.htmlStartX == -9 ? -8 : -9;
    other.htmlStartY = s.htmlStartY == 9999 ? 9998 : 9999;
    other.generationMode = s.generationMode == 'q' ? 'r' : 'q';
    other.generationStart = s.generationStart == 42 ? 43 : 42;
    other.smallFontLine = s.smallFontLine == 7 ? 8 : 7;
    return other;
}

std::string save(const ChartLoad& load)
{
    std::ostringstream out;
    writeChart(out, load.chart);
    return std::move(out).str();
}

int mirrored(int value, int low)
{
    return -value >= low && -value <= chartLimits::maxCell ? -value : value;
}

// The same boxes with their cells and links negated (where the limits allow):
// the editor can hold such boxes, so they must survive saving too.
ChartLoad mirror(const ChartLoad& load)
{
    TreeSettings settings = load.chart.settings();
    settings.htmlStartX = -(settings.htmlStartX / 2);
    settings.htmlStartY = -(settings.htmlStartY / 2);
    ChartLoad other;
    other.chart = Chart(settings, "fuzz");
    Tree& tree = other.chart.mutableTree();
    load.chart.tree().forEachPerson([&tree](const Person* box) {
        const Cell cell{mirrored(box->column(), chartLimits::minCell),
                        mirrored(box->level(), chartLimits::minCell)};
        const Links links{-box->rightLink(), -box->downLink()};
        std::unique_ptr<Person> copy;
        if (box->kind() == BoxKind::Continuation)
            copy = std::make_unique<ContPerson>("", cell, links, box->direction());
        else
            copy = std::make_unique<Person>("", cell, links);
        copy->text = box->text;
        copy->lineage = ~box->lineage; // any int, unlike negation
        tree.append(std::move(copy));
    });
    return other;
}

// Saves the chart, loads it back and checks that nothing changed.
void checkRoundTrip(const ChartLoad& first)
{
    const std::string saved = save(first);
    ChartLoad second = loadChartBytes(saved, otherSettings(first.chart.settings()));
    if (!second)
        std::fprintf(stderr, "refused line %ld: %s\n", second.line, second.lineText.c_str());
    require(bool(second), "a saved chart loads again");
    require(second.chart.settings() == first.chart.settings(), "the settings survive saving");
    const std::string difference = treeDifference(first.chart.tree(), second.chart.tree());
    if (!difference.empty())
        std::fprintf(stderr, "trees differ at %s\n", difference.c_str());
    require(difference.empty(), "the boxes survive saving");
    // Opening a chart selects its last box in list order.
    const Person* lastFirst = first.chart.tree().lastBox();
    const Person* lastSecond = second.chart.tree().lastBox();
    require(lastFirst ? lastSecond && lastSecond->cell() == lastFirst->cell() : !lastSecond,
            "the box selected on opening survives");
    require(save(second) == saved, "saving twice gives the same bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TreeSettings start;
    ChartLoad first = loadChartBytes(std::string(reinterpret_cast<const char*>(data), size), start);
    if (!first) {
        require(first.chart.tree().size() == 0 && first.line > 0,
                "a refused chart names its line and keeps no boxes");
        return 0;
    }
    require(first.line == 0, "a loaded chart blames no line");
    if (hasBulkyText(first.chart.tree()))
        return 0;

    checkRoundTrip(first);
    checkRoundTrip(mirror(first));
    return 0;
}
