// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/book_files.h"

#include "base/byte_text.h"
#include "chartfile/atomic_file_set.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"

#include <algorithm>

std::string bookChartPath(const std::string& path, const std::string& suffix)
{
    const std::string_view name = fileNamePart(path);
    const std::size_t dot = name.rfind('.');
    const std::size_t stem =
        dot == std::string_view::npos || dot == 0 ? path.size() : path.size() - name.size() + dot;
    return path.substr(0, stem) + suffix + path.substr(stem);
}

BookImport saveBook(const GedcomData& data, const ImportOptions& options, int columns,
                    const std::string& path)
{
    BookImport result;
    const ChartBookPlan book = planBook(data, options.layout, columns);
    if (!book) {
        static_cast<Result&>(result) = book;
        return result;
    }
    if (book.charts.empty()) {
        static_cast<Result&>(result) = Result::failure(
            Result::Failed, STIRPA_TR_NOOP("Message", "There is no such person to start from."));
        return result;
    }
    // Every chart is made before any is written: a book that cannot be made
    // leaves the folder as it was.
    std::vector<ChartImport> charts;
    charts.reserve(book.charts.size());
    const std::vector<bool> living = livingPersons(data, options);
    std::string description;
    for (const BookChart& chart : book.charts) {
        std::vector<BoxLabel> labels;
        for (const BookChart::Link& link : chart.links) {
            const BookChart& target = book.charts[std::size_t(link.chart)];
            describePerson(data, target.root, options.description, description, living);
            labels.push_back({link.box, description.substr(0, description.find('|')) + "|chart " +
                                            target.suffix});
        }
        // A see box's label says where the box is; its name goes before it.
        for (const BookChart::Link& link : chart.sees) {
            const std::string& suffix = book.charts[std::size_t(link.chart)].suffix;
            labels.push_back({link.box, suffix.empty() ? "main chart" : "chart " + suffix});
        }
        std::sort(labels.begin(), labels.end(),
                  [](const BoxLabel& a, const BoxLabel& b) { return a.box < b.box; });
        ChartImport made =
            chartFromPlan(data, chart.plan, options, treeNameOf(bookChartPath(path, chart.suffix)),
                          labels, living);
        if (!made) {
            static_cast<Result&>(result) = made;
            return result;
        }
        result.boxes += made.chart.tree().size();
        result.living += made.living;
        charts.push_back(std::move(made));
    }
    result.generations = charts.front().generations;
    // Saved together: one flush to disk for the whole book, and a failure
    // before the first rename leaves the folder as it was.
    AtomicFileSet files;
    Result saved;
    for (std::size_t i = 0; i < charts.size() && saved; ++i)
        saved = saveChartFile(files, bookChartPath(path, book.charts[i].suffix), charts[i].chart);
    if (saved)
        saved = files.commit();
    result.written = files.committed();
    if (!saved) {
        std::string before;
        for (const std::string& w : result.written)
            before += (before.empty() ? "" : ", ") + w;
        static_cast<Result&>(result) = Result::failure(
            saved.status,
            STIRPA_TR_NOOP("Message", "%1 (Of the book's %2 charts, these were written: %3.)"),
            {saved.message(), std::to_string(charts.size()),
             before.empty() ? std::string("none") : before});
    }
    return result;
}
