// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/book_files.h"

#include "base/byte_text.h"
#include "chartfile/atomic_file_set.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "gedcom/family_link_options.h"

#include <algorithm>

namespace {
// Where the path's stem ends: before the extension of its file name.
std::size_t stemEnd(const std::string& path)
{
    const std::string_view name = fileNamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? path.size()
                                                     : path.size() - name.size() + dot;
}
} // namespace

std::string bookChartPath(const std::string& path, const std::string& suffix)
{
    const std::size_t stem = stemEnd(path);
    return path.substr(0, stem) + suffix + path.substr(stem);
}

std::optional<std::string> bookMainPath(const std::string& path, const std::string& suffix)
{
    const std::size_t stem = stemEnd(path);
    const std::size_t nameStart = path.size() - fileNamePart(path).size();
    if (stem - nameStart < suffix.size() ||
        path.compare(stem - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    return path.substr(0, stem - suffix.size()) + path.substr(stem);
}

std::vector<BoxLabel> bookLabels(const GedcomData& data, const ChartBookPlan& book,
                                 std::size_t chart, const DescriptionOptions& description,
                                 const std::vector<bool>& living)
{
    std::vector<BoxLabel> labels;
    std::string text;
    for (const BookChart::Link& link : book.charts[chart].links) {
        const BookChart& target = book.charts[std::size_t(link.chart)];
        describePerson(data, target.root, description, text, living);
        labels.push_back({link.box, text.substr(0, text.find('|')) + "|chart " + target.suffix});
    }
    // A see box's label says where the box is; its name goes before it.
    for (const BookChart::Link& link : book.charts[chart].sees) {
        const std::string& suffix = book.charts[std::size_t(link.chart)].suffix;
        labels.push_back({link.box, suffix.empty() ? "main chart" : "chart " + suffix});
    }
    std::sort(labels.begin(), labels.end(),
              [](const BoxLabel& a, const BoxLabel& b) { return a.box < b.box; });
    return labels;
}

BookImport saveBook(const GedcomData& data, const ImportOptions& options, const std::string& path,
                    const std::string& familyPath)
{
    const int columns = options.bookColumns;
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
    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        const BookChart& chart = book.charts[k];
        ChartImport made =
            chartFromPlan(data, chart.plan, options, treeNameOf(bookChartPath(path, chart.suffix)),
                          bookLabels(data, book, k, options.description, living), living);
        if (!made) {
            static_cast<Result&>(result) = made;
            return result;
        }
        // Each chart linked as the branch it carries, so that the book updates as one.
        ImportOptions branch = options;
        branch.layout.root = chart.root;
        branch.layout.generations = chart.generations;
        FamilyLink link = familyLinkFor(data, branch, familyPath);
        link.bookChart = chart.suffix;
        made.chart.setFamilyLink(std::move(link));
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
