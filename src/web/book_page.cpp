// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/book_page.h"

#include "export/html_export.h"
#include "export/person_html.h"
#include "layout/chart_import.h"
#include "layout/family_link_options.h"
#include "model/box_words.h"
#include "model/chart.h"
#include "model/text_codec.h"
#include "web/data_pieces.h"
#include "web/page_family.h"

#include <memory>
#include <optional>
#include <unordered_map>

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == ','))
        text.remove_suffix(1);
    return text;
}

std::string_view firstLine(std::string_view text)
{
    return trimmed(text.substr(0, text.find('|')));
}

// The records of a chart's boxes by their first line, for the see boxes that name it.
using BoxesByName = std::unordered_map<std::string_view, int>;

BoxesByName boxesByName(const Chart& chart, const PageFamily& family)
{
    BoxesByName boxes;
    chart.tree().forEachPerson([&](const Person* box) {
        if (const RecordLink* link = chart.tree().records().find(box))
            boxes.emplace(firstLine(box->text), family.indexOf(link->xref));
    });
    return boxes;
}

} // namespace

bool readSeeBox(std::string_view text, std::string& name, std::string& suffix)
{
    // The key is the name, a line feed and the place: "#" and a chart's suffix,
    // or a cell of this chart.
    const std::optional<std::string> key = seeBoxKey(text);
    if (!key)
        return false;
    const std::size_t feed = key->rfind('\n');
    const std::string_view place = std::string_view(*key).substr(feed + 1);
    if (!place.starts_with('#') || place.size() % 2 == 0)
        return false;
    name = key->substr(0, feed);
    suffix = place.substr(1);
    return true;
}

void writeBookData(const PageBook& book, bool chartBackground, const DataWriter& write)
{
    PieceBuffer out(write);
    std::unordered_map<std::string_view, int> chartIndex;
    std::vector<const Chart*> charts;
    for (const PageChart& page : book.charts) {
        chartIndex.emplace(page.name, int(charts.size()));
        charts.push_back(page.chart);
    }
    std::unique_ptr<PageFamily> family;
    if (book.family) {
        // The persons the charts keep from view stay so in the page.
        const FamilyLink& link = book.charts.front().chart->familyLink();
        std::vector<bool> hidden;
        if (link.living != LivingPolicy::NameOnly)
            hidden = livingPersons(*book.family, importOptionsOf(link, *book.family));
        family = std::make_unique<PageFamily>(*book.family, charts, std::move(hidden));
    }
    std::unordered_map<int, BoxesByName> seeTargets;
    const std::string& mainName = book.charts.front().name;

    out.text() += "{\"shown\":" + std::to_string(book.shown) + ",\"charts\":[";
    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        const Chart& chart = *book.charts[k].chart;
        ChartPlace place;
        place.name = book.charts[k].name;
        place.title = chartTitle(chart, place.name);
        place.address = [&](const Person& box) {
            if (book.pagesBeside)
                return displayText(continuationAddress(place.name, box.text));
            const std::string target = htmlPageName(continuationTarget(box, place.name));
            return chartIndex.contains(target) ? "#chart=" + displayText(target) : std::string();
        };
        // Kept with the place, whose lookups call it while the chart is written.
        const Tree& tree = chart.tree();
        // A see box stands for the person whose box is in the chart it names.
        const auto seeTarget = [&](const Person& box) -> std::pair<int, int> {
            std::string name, suffix;
            if (box.kind() != BoxKind::Person || !readSeeBox(box.text, name, suffix))
                return {-1, -1};
            const auto target = chartIndex.find(mainName + suffix);
            if (target == chartIndex.end())
                return {-1, -1};
            auto [boxes, isNew] = seeTargets.try_emplace(target->second);
            if (isNew)
                boxes->second = boxesByName(*charts[std::size_t(target->second)], *family);
            const auto found = boxes->second.find(name);
            return {target->second, found == boxes->second.end() ? -1 : found->second};
        };
        if (family) {
            place.record = [&](const Person& box) {
                const RecordLink* link = tree.records().find(&box);
                return link ? family->indexOf(link->xref) : seeTarget(box).second;
            };
            place.seeChart = [&](const Person& box) {
                return tree.records().find(&box) ? -1 : seeTarget(box).first;
            };
        }
        if (k > 0)
            out.text() += ',';
        writeChartData(chart, place, chartBackground, out);
    }
    out.text() += "]";
    if (family) {
        out.text() += ",\"family\":";
        family->write(out);
    }
    out.text() += "}";
    out.handOn();
}
