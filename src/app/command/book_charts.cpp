// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/book_charts.h"

#include "base/byte_text.h"
#include "chartfile/chart_reader.h"
#include "export/html_export.h"
#include "export/person_html.h"
#include "family/book_files.h"
#include "gedcom/gedcom_reader.h"
#include "model/place_name.h"

#include <unistd.h>

#include <unordered_map>

namespace {

// The first line of a continuation box, as the chart shows it.
std::string boxName(const Person& box)
{
    const std::string_view text = box.text;
    std::string_view line = text.substr(0, text.find('|'));
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    return std::string(line);
}

Result missingChart(const NamedChart& from, const Person& box, const std::string& targetPath)
{
    return Result::note(
        STIRPA_TR_NOOP("Message", "The continuation box '%1' at column %2, generation %3 of %4 "
                                  "leads to %5, which is not there."),
        {boxName(box), std::to_string(long(box.column()) + 1),
         std::to_string(generationNumber(from.chart, box.level())), from.name, targetPath});
}

} // namespace

BookCharts readBookCharts(const std::string& path, Chart chart, bool withFamily)
{
    const std::string_view fileName = fileNamePart(path);
    const std::string extension(fileName.substr(withoutExtension(fileName).size()));
    const FamilyLink& link = chart.familyLink();
    std::string mainPath = path;
    if (link.linked() && link.inBook() && !link.bookChart.empty())
        mainPath = bookMainPath(path, link.bookChart).value_or(path);
    const std::string folder = path.substr(0, path.size() - fileNamePart(path).size());

    BookCharts book;
    std::unordered_map<std::string, std::size_t> known; // chart name to its place in the book
    auto add = [&](std::string name, std::string at, Chart read, std::size_t above) {
        known.emplace(name, book.charts.size());
        book.charts.push_back({std::move(name), std::move(at), std::move(read), above});
    };
    const std::string askedName = htmlPageName(path);
    if (mainPath != path) {
        ChartLoad main = readChartFile(mainPath, TreeSettings());
        if (main)
            add(htmlPageName(mainPath), mainPath, std::move(main.chart), 0);
        else
            book.notes.push_back(main);
    }
    book.shown = book.charts.size();
    add(askedName, path, std::move(chart), book.charts.empty() ? 0 : SIZE_MAX);
    // Breadth first: each chart's boxes name the charts below it.
    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        const bool fromFile = book.charts[k].chart.familyLink().linked();
        std::vector<const Person*> leads;
        book.charts[k].chart.tree().forEachPerson([&](const Person* box) {
            if (linksToChart(*box, fromFile))
                leads.push_back(box);
        });
        for (const Person* box : leads) {
            const std::string target = htmlPageName(continuationTarget(*box, book.charts[k].name));
            if (const auto seen = known.find(target); seen != known.end()) {
                // The chart asked for, read first, learns here which chart leads to it.
                if (seen->second < book.charts.size() && book.charts[seen->second].above == SIZE_MAX)
                    book.charts[seen->second].above = k;
                continue;
            }
            const std::string targetPath = folder + target + extension;
            ChartLoad next = readChartFile(targetPath, TreeSettings());
            if (!next) {
                // A chart that is there but unreadable says why itself.
                book.notes.push_back(::access(targetPath.c_str(), F_OK) == 0
                                         ? static_cast<Result>(next)
                                         : missingChart(book.charts[k], *box, targetPath));
                known.emplace(target, SIZE_MAX);
                continue;
            }
            add(target, targetPath, std::move(next.chart), k);
        }
    }
    const FamilyLink& mainLink = book.charts.front().chart.familyLink();
    if (withFamily && mainLink.linked()) {
        GedcomLoad family = readGedcomFile(mainLink.path);
        if (family)
            book.family = std::move(family.data);
        else
            book.notes.push_back(Result::note(
                STIRPA_TR_NOOP("Message", "The family file %1 cannot be read (%2): lines of "
                                          "ancestors follow the connectors."),
                {mainLink.path, family.message()}));
    }
    return book;
}
