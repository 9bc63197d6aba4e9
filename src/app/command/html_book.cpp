// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/html_book.h"

#include "app/command/install_paths.h"
#include "base/byte_text.h"
#include "export/continuation_links.h"
#include "family/output_check.h"
#include "web/chart_data.h"

int exportHtmlBook(const BookCharts& book, const std::string& out, const HtmlExportOptions& options,
                   BatchStreams streams)
{
    const std::string& mainName = book.charts.front().name;
    const std::string askedSuffix = book.charts[book.shown].name.substr(mainName.size());
    const std::string_view outName = fileNamePart(out);
    const std::string folder = out.substr(0, out.size() - outName.size());
    const std::string outStem(withoutExtension(outName));
    const std::string extension(outName.substr(outStem.size()));
    // The pages link to each other by name, as the charts do.
    if (!outStem.ends_with(askedSuffix)) {
        streams.err << "The page of the chart " << book.charts[book.shown].name
                    << " of a book is named ending in " << askedSuffix
                    << ", as its pages link by name; or use --chart-only.\n";
        return 2;
    }
    const std::string mainStem = outStem.substr(0, outStem.size() - askedSuffix.size());
    auto pageName = [&](std::size_t k) {
        return mainStem + book.charts[k].name.substr(mainName.size());
    };

    std::vector<std::string> inputs =
        exportInputs(book.charts[book.shown].path, options.completePage);
    for (const NamedChart& chart : book.charts)
        inputs.push_back(chart.path);
    for (std::size_t k = 0; k < book.charts.size(); ++k)
        if (const Result output = checkExportOutput(folder + pageName(k) + extension, inputs);
            !output)
            return exitStatus(output, streams.err);
    for (const Result& note : book.notes)
        streams.err << note.message() << '\n';

    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        const NamedChart& chart = book.charts[k];
        HtmlBookPage page{chartTitle(chart.chart, chart.name), {}, {}};
        if (chart.above != k && chart.above < book.charts.size()) {
            const std::string& above = book.charts[chart.above].name;
            page.upAddress = pageName(chart.above) + extension + "#to-" +
                             chart.name.substr(chart.name.size() - 2);
            page.upName = chartTitle(book.charts[chart.above].chart, above);
        }
        const HtmlExportResult result =
            exportHtml(chart.chart, folder + pageName(k) + extension, options, &page);
        if (!result)
            return exitStatus(result, streams.err);
        for (const Result& note : result.notes)
            streams.err << note.message() << '\n';
    }
    for (std::size_t k = 0; k < book.charts.size(); ++k)
        for (const Result& dead : deadContinuationLinks(book.charts[k].chart, pageName(k),
                                                        folder.empty() ? "." : folder))
            streams.err << dead.message() << '\n';
    streams.out << folder + pageName(0) + extension << ": " << book.charts.size()
                << " pages of the book, each beside it\n";
    return 0;
}
