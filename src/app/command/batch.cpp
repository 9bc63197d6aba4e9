// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/batch.h"

#include "app/command/gedcom_batch.h"
#include "app/command/install_paths.h"
#include "app/command/html_book.h"
#include "app/command/web_batch.h"
#include "family/output_check.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/tree_dump.h"
#include "export/html_export.h"
#include "files/debug_log.h"
#include "files/file_notices.h"

#include <optional>

namespace {

// Opens a chart as File Open does in a new editor.
std::optional<Chart> openChart(const std::string& path, std::ostream& err)
{
    ChartLoad load = readChartFile(path, TreeSettings());
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
    const bool replace = args.size() == 3 && args[2] == "--replace";
    if (args.size() > 2 && !replace) {
        streams.err << "usage: stirpa --save-as CHART OUT [--replace]\n";
        return 2;
    }
    if (const Result output = checkChartOutput(args[1], {}, replace); !output)
        return exitStatus(output, streams.err);
    const std::optional<Chart> chart = openChart(args[0], streams.err);
    if (!chart)
        return 1;
    return exitStatus(saveChartFile(args[1], *chart), streams.err);
}

int exportHtmlCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    bool completePage = false;
    bool escapeText = false;
    bool chartOnly = false;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (arg == "--complete-page")
            completePage = true;
        else if (arg == "--escape-text")
            escapeText = true;
        else if (arg == "--chart-only")
            chartOnly = true;
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2) {
        streams.err << "usage: stirpa --export-html CHART OUT [--complete-page] [--escape-text] "
                       "[--chart-only]\n";
        return 2;
    }
    if (const Result output = checkExportOutput(paths[1], exportInputs(paths[0], completePage));
        !output)
        return exitStatus(output, streams.err);
    std::optional<Chart> chart = openChart(paths[0], streams.err);
    if (!chart)
        return 1;
    const HtmlExportOptions options{.completePage = completePage,
                                    .templatePaths = htmlTemplatePaths(),
                                    .escapeText = escapeText};
    if (!chartOnly) {
        BookCharts book = readBookCharts(paths[0], std::move(*chart), false);
        if (book.charts.size() > 1)
            return exportHtmlBook(book, paths[1], options, streams);
        chart = std::move(book.charts.front().chart);
    }
    const HtmlExportResult result = exportHtml(*chart, paths[1], options);
    if (!result) {
        streams.err << result.message() << '\n';
        return 1;
    }
    for (const Result& note : result.notes)
        streams.err << note.message() << '\n';
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

// One option of --help: its synopsis, then the summary in a column of its own,
// wrapped; a synopsis too long for the column puts the summary on the next line.
void appendOptionHelp(std::string& text, const std::string& synopsis, const std::string& summary)
{
    constexpr std::size_t column = 24;
    constexpr std::size_t width = 79;
    text += "  " + synopsis;
    std::size_t lineLength = 2 + synopsis.size();
    if (lineLength + 2 > column) {
        text += '\n';
        lineLength = 0;
    }
    std::size_t start = 0;
    while (start < summary.size()) {
        std::size_t end = summary.find(' ', start);
        if (end == std::string::npos)
            end = summary.size();
        const std::string word = summary.substr(start, end - start);
        if (lineLength > column && lineLength + 1 + word.size() > width) {
            text += '\n';
            lineLength = 0;
        }
        if (lineLength < column) {
            text.append(column - lineLength, ' ');
            lineLength = column;
        } else {
            text += ' ';
            ++lineLength;
        }
        text += word;
        lineLength += word.size();
        start = end + 1;
    }
    text += '\n';
}

} // namespace

int exitStatus(const Result& result, std::ostream& err)
{
    if (result)
        return 0;
    err << result.message() << '\n';
    return 1;
}

std::vector<BatchOption> coreBatchOptions(DateLanguage dateLanguage)
{
    std::vector<BatchOption> options = {
        {"--log-tree", "CHART", "open CHART and write the tree dump to stirpalog.txt", logTree},
        {"--save-as", "CHART OUT [--replace]",
         "open CHART and save it to OUT in the chart format; an OUT that is no chart is "
         "replaced only with --replace",
         saveAs},
        {"--export-html", "CHART OUT [--complete-page] [--escape-text] [--chart-only]",
         "write CHART as HTML to OUT: a whole page in the template stirpa_full.html "
         "(from the current folder, else beside the program, else the installed one) with "
         "--complete-page, else the chart elements alone; --escape-text shows every "
         "description as typed, markup and all (text from a family file always is). A chart "
         "of a book writes every chart's page beside OUT, linked both ways, unless "
         "--chart-only",
         exportHtmlCommand},
        {"--export-web", "CHART OUT.html [--background] [--chart-only]",
         "publish CHART as one self-contained web page OUT.html to pan, zoom, find and follow "
         "lines of ancestors in, on white paper or, with --background, on the chart's own "
         "background; a chart of a book publishes the whole book, its boxes leading from "
         "chart to chart (#chart=NAME), unless --chart-only",
         exportWebCommand},
    };
    for (BatchOption& option : gedcomBatchOptions(dateLanguage))
        options.push_back(std::move(option));
    return options;
}

BatchOption renderOption(BatchCommand run)
{
    return {"--render", renderUsage,
            "paint CHART as the editor does, without a selection, into a PNG image or "
            "PDF or SVG vectors; --pages lays a PDF out on pages, N pages wide or at P "
            "percent, of the --paper SIZE A4 (the default), A3, A2, A1, A0, Letter, Legal or "
            "Tabloid, turned --landscape or --portrait (without either, the way that takes "
            "fewer pages, then prints larger); --poster puts a PDF or PNG on one sheet of "
            "SIZE, or of a roll WIDTHxHEIGHTmm, the chart wrapped into bands of whole columns "
            "at the largest scale that fits (without --landscape or --portrait, the way that "
            "prints larger)",
            std::move(run)};
}

std::string batchHelp(const std::vector<BatchOption>& options)
{
    // GNU layout, which help2man turns into the manual page.
    std::string text = "Usage: stirpa [--lang CODE] [CHART]\n";
    for (const BatchOption& option : options)
        text += "  or:  stirpa " + option.name + " " + option.usage + "\n";
    text += "  or:  stirpa --help | --version\n"
            "Edit family-tree charts laid out by hand on a grid of columns and generations.\n\n"
            "Without an option stirpa opens the editor window, on CHART when one is given.\n"
            "Each option below does its work without a window and exits.\n\n"
            "Options:\n";
    appendOptionHelp(text, "--lang CODE",
                     "show the editor in the language CODE (de, en) instead of the system's; "
                     "what the options below print stays English");
    for (const BatchOption& option : options)
        appendOptionHelp(text, option.name + " " + option.usage, option.summary);
    appendOptionHelp(text, "-h, --help", "show this help and exit");
    appendOptionHelp(text, "--version", "show the version and exit");
    return text;
}

namespace {

// What the file layer tells while a command runs (a wait for another Stirpa)
// goes out at once.
struct NoticesPrinted {
    explicit NoticesPrinted(std::ostream& err)
    {
        setFileNoticeHandler([&err](const Result& note) { err << note.message() << std::endl; });
    }
    ~NoticesPrinted() { setFileNoticeHandler({}); }
    NoticesPrinted(const NoticesPrinted&) = delete;
    NoticesPrinted& operator=(const NoticesPrinted&) = delete;
};

} // namespace

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
        const NoticesPrinted notices(streams.err);
        return option.run(rest, streams);
    }
    return -1;
}
