// SPDX-License-Identifier: GPL-3.0-or-later
// A chart and a page template (the input split at the first "\n~~~~\n") exported
// with and without the template: every chart line becomes whole page lines, and
// the template only wraps the chart.
#include "export/html_export.h"
#include "fuzz_checks.h"

#include <cstdint>
#include <sstream>

namespace {

constexpr std::string_view separator = "\n~~~~\n";

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The template has a line that ends its head, as the exporter reads lines.
bool hasTreeLine(std::string_view page)
{
    std::size_t start = 0;
    while (start < page.size()) {
        std::size_t end = page.find('\n', start);
        if (end == std::string_view::npos)
            end = page.size();
        if (startsWith(page.substr(start, end - start), "TREE"))
            return true;
        start = end + 1;
    }
    return false;
}

// Persons-only output: pins, then one element per box, then the spacer line.
void checkChartLines(const std::string& html, std::size_t boxCount)
{
    require(!html.empty() && html.back() == '\n', "the chart ends with an end of line");
    std::size_t boxes = 0;
    std::size_t start = 0;
    bool spacerSeen = false;
    while (start < html.size()) {
        const std::size_t end = html.find('\n', start);
        const std::string_view line(html.data() + start, end - start);
        require(!spacerSeen, "the spacer line comes last");
        if (startsWith(line, "<div class=\""))
            ++boxes;
        else if (startsWith(line, "<br><img src=\"tom.gif\""))
            spacerSeen = true;
        else
            require(startsWith(line, "<img class=\"pin"),
                    "every chart line is a pin, a box or the spacer");
        start = end + 1;
    }
    require(spacerSeen, "the chart has its spacer");
    require(boxes == boxCount, "one element per box");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(separator);
    const std::string_view chartText = input.substr(0, split);
    const std::string_view page = split == std::string_view::npos
                                      ? std::string_view()
                                      : input.substr(split + separator.size());

    ChartLoad load = loadChartBytes(std::string(chartText), TreeSettings());
    if (!load || hasBulkyText(load.chart.tree()))
        return 0;
    load.chart.settings().saveLineage = size % 2 == 0;
    const Chart& chart = load.chart;

    std::ostringstream alone;
    require(writeHtmlPage(alone, chart, {"chart"}, nullptr), "persons only always succeeds");
    checkChartLines(alone.str(), chart.tree().size());

    std::istringstream templateStream{std::string(page)};
    std::ostringstream full;
    const bool complete = writeHtmlPage(full, chart, {"chart"}, &templateStream);
    require(complete == hasTreeLine(page),
            "a template is complete exactly when it has a TREE line");
    if (complete)
        require(full.str().find(alone.str()) != std::string::npos,
                "the template holds the whole chart");
    return 0;
}
