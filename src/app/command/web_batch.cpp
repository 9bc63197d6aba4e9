// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/web_batch.h"

#include "app/command/book_charts.h"
#include "base/byte_text.h"
#include "chartfile/chart_reader.h"
#include "export/continuation_links.h"
#include "export/html_export.h"
#include "family/output_check.h"
#include "gedcom/gedcom_reader.h"
#include "web/web_page.h"

#include <optional>


namespace {

int exportBook(const std::string& chartPath, Chart chart, const std::string& out,
               const WebPageOptions& options, BatchStreams streams)
{
    BookCharts book = readBookCharts(chartPath, std::move(chart));
    std::vector<std::string> inputs;
    PageBook page;
    page.shown = book.shown;
    for (const NamedChart& one : book.charts) {
        inputs.push_back(one.path);
        page.charts.push_back({one.name, &one.chart});
    }
    if (book.family)
        page.family = &*book.family;
    if (const Result output = checkExportOutput(out, inputs); !output)
        return exitStatus(output, streams.err);
    for (const Result& note : book.notes)
        streams.err << note.message() << '\n';
    return exitStatus(exportWebBook(page, out, options), streams.err);
}

} // namespace

int exportWebCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    WebPageOptions options;
    bool chartOnly = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (arg == "--background")
            options.chartBackground = true;
        else if (arg == "--chart-only")
            chartOnly = true;
        else if (arg == "--test-hooks") // the browser tests' own, left out of the usage
            options.testHooks = true;
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2) {
        streams.err << "usage: stirpa --export-web CHART OUT.html [--background] [--chart-only]\n";
        return 2;
    }
    if (const Result output = checkExportOutput(paths[1], {paths[0]}); !output)
        return exitStatus(output, streams.err);
    ChartLoad load = readChartFile(paths[0], TreeSettings());
    if (!load)
        return exitStatus(load, streams.err);
    if (!chartOnly)
        return exportBook(paths[0], std::move(load.chart), paths[1], options, streams);
    // A page of its own links to pages beside it: those missing are told.
    const std::string outName(fileNamePart(paths[1]));
    const std::string folder = paths[1].substr(0, paths[1].size() - outName.size());
    const std::string pageName = htmlPageName(paths[1]);
    for (const Result& dead :
         deadContinuationLinks(load.chart, pageName, folder.empty() ? "." : folder))
        streams.err << dead.message() << '\n';
    // A linked chart's lines follow its family file, when it can be read.
    std::optional<GedcomLoad> family;
    if (const FamilyLink& link = load.chart.familyLink(); link.linked()) {
        family = readGedcomFile(link.path);
        if (!*family)
            streams.err << family->message() << '\n';
    }
    const PageBook page{{{pageName, &load.chart}}, 0, family && *family ? &family->data : nullptr, true};
    return exitStatus(exportWebBook(page, paths[1], options), streams.err);
}
