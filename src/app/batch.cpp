// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batch.h"

#include "app/gedcom_batch.h"
#include "app/install_paths.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/debug_log.h"
#include "chartfile/tree_dump.h"
#include "export/html_export.h"

#include <optional>

namespace {

// Opens a chart as File Open does in a new editor.
std::optional<Chart> openChart(const std::string& path, std::ostream& err)
{
    ChartLoad load = readChartFile(String(path.c_str()), TreeSettings());
    if (!load) {
        err << load.message() << '\n';
        return std::nullopt;
    }
    return std::move(load.chart);
}

int logTree(const std::vector<std::string>& args, BatchStreams streams)
{
    openDebugLog();
    const std::optional<Chart> chart = openChart(args[0], streams.err);
    if (!chart)
        return 1;
    dumpTree(debugLog(), *chart);
    return 0;
}

int saveAs(const std::vector<std::string>& args, BatchStreams streams)
{
    const std::optional<Chart> chart = openChart(args[0], streams.err);
    if (!chart)
        return 1;
    const Result saved = saveChartFile(args[1], *chart);
    if (!saved) {
        streams.err << saved.message() << '\n';
        return 1;
    }
    return 0;
}

int exportHtmlCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    bool completePage = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (arg == "--complete-page")
            completePage = true;
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2) {
        streams.err << "usage: stirpa --export-html CHART OUT [--complete-page]\n";
        return 2;
    }
    const std::optional<Chart> chart = openChart(paths[0], streams.err);
    if (!chart)
        return 1;
    const Result result =
        exportHtml(*chart, String(paths[1].c_str()),
                   {.completePage = completePage, .templatePaths = htmlTemplatePaths()});
    if (!result) {
        streams.err << result.message() << '\n';
        return 1;
    }
    return 0;
}

int argumentCount(const std::string& usage)
{
    int count = 0;
    bool inWord = false;
    for (const char c : usage) {
        if (c == '[')
            break;
        if (c != ' ' && !inWord)
            ++count;
        inWord = c != ' ';
    }
    return count;
}

} // namespace

std::vector<BatchOption> coreBatchOptions()
{
    return {
        {"--log-tree", "CHART", "open CHART and write the tree dump to stirpalog.txt", logTree},
        {"--save-as", "CHART OUT", "open CHART and save it to OUT in the chart format", saveAs},
        {"--export-html", "CHART OUT [--complete-page]",
         "HTML export (template stirpa_full.html from the current directory, else the "
         "installed one)",
         exportHtmlCommand},
        {"--import-gedcom", "FILE OUT [--root XREF] [--descendants N | --ancestors N]",
         "lay out a person's family from a GEDCOM file (default the first person, "
         "--descendants 4) and save it to OUT",
         importGedcomCommand},
    };
}

std::string batchHelp(const std::vector<BatchOption>& options)
{
    std::string text = "usage: stirpa [--lang CODE] [CHART]\n";
    for (const BatchOption& option : options)
        text += "       stirpa " + option.name + " " + option.usage + "\n";
    text += "       stirpa --help | --version\n\n";
    text += "  CHART  open the editor on a chart file\n";
    text += "  --lang CODE  show the editor in the language CODE (de, en) instead of the "
            "system's; batch output stays English\n";
    for (const BatchOption& option : options)
        text += "  " + option.name + "  " + option.summary + "\n";
    return text;
}

int runBatch(const std::vector<BatchOption>& options, const std::vector<std::string>& args,
             BatchStreams streams)
{
    if (args.empty())
        return -1;
    for (const BatchOption& option : options) {
        if (option.name != args[0])
            continue;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        const bool optionalTail = option.usage.find('[') != std::string::npos;
        const int needed = argumentCount(option.usage);
        if (int(rest.size()) < needed || (!optionalTail && int(rest.size()) != needed)) {
            streams.err << "usage: stirpa " << option.name << ' ' << option.usage << '\n';
            return 2;
        }
        return option.run(rest, streams);
    }
    return -1;
}
