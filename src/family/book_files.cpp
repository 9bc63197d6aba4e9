// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/book_files.h"

#include "base/byte_text.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/link_fields.h"
#include "files/atomic_file_set.h"
#include "gedcom/gedcom_reader.h"
#include "layout/box_colours.h"
#include "layout/family_link_options.h"
#include "model/box_words.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isSuffix(std::string_view text)
{
    return text.size() % 2 == 0 && text.find_first_not_of("0123456789") == text.npos;
}

// Whether the chart file at path says it is the chart of the suffix in a book
// of the family file, named as the book's writer names it there.
bool isChartOfBook(const std::string& path, const std::string& suffix,
                   const std::string& familyPath)
{
    const FamilyLink link = peekFamilyLink(path);
    return link.inBook() && link.bookChart == suffix &&
           link.path == familyPathFromChart(familyPathForChart(familyPath, path), path);
}

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

std::vector<BookFile> bookFiles(const std::string& mainPath, const std::string& familyPath,
                                const std::string& skipped)
{
    std::vector<BookFile> files;
    // The main chart's name split where a chart's suffix goes, as bookChartPath splits it.
    const std::size_t stem = stemEnd(mainPath);
    const std::size_t nameStart = mainPath.size() - fileNamePart(mainPath).size();
    const std::string stemName = mainPath.substr(nameStart, stem - nameStart);
    const std::string extension = mainPath.substr(stem);
    const std::string folder = nameStart == 0 ? "." : mainPath.substr(0, nameStart);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        // A symbolic link is no chart of the book: it writes only its own files.
        if (entry.is_symlink(error) || !entry.is_regular_file(error) ||
            name.size() < stemName.size() + extension.size() || !name.starts_with(stemName) ||
            !name.ends_with(extension))
            continue;
        const std::string suffix =
            name.substr(stemName.size(), name.size() - stemName.size() - extension.size());
        if (suffix == skipped || !isSuffix(suffix))
            continue;
        const std::string path = entry.path().string();
        if (isChartOfBook(path, suffix, familyPath))
            files.push_back({path, suffix});
    }
    std::sort(files.begin(), files.end(),
              [](const BookFile& a, const BookFile& b) { return a.suffix < b.suffix; });
    return files;
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
        labels.push_back({link.box, text.substr(0, text.find('|')) + '|' +
                                        chartName(target.suffix, description.dateLanguage)});
    }
    // A see box's label says where the box is; its name goes before it.
    for (const BookChart::Link& link : book.charts[chart].sees)
        labels.push_back({link.box, chartName(book.charts[std::size_t(link.chart)].suffix,
                                              description.dateLanguage)});
    std::sort(labels.begin(), labels.end(),
              [](const BoxLabel& a, const BoxLabel& b) { return a.box < b.box; });
    return labels;
}

std::string_view labelledChart(std::string_view text)
{
    const std::size_t bar = text.rfind('|');
    if (bar == text.npos)
        return {};
    const std::optional<std::string_view> suffix = chartNameSuffix(text.substr(bar + 1));
    return suffix && isSuffix(*suffix) ? *suffix : std::string_view();
}

namespace {

// Why the book may not write its chart at path: a name too long, a symbolic
// link or a GEDCOM file there, or a file that is no chart of this book (unless
// replace).
Result takenName(const std::string& path, const std::string& suffix, const std::string& familyPath,
                 bool replace)
{
    if (fileNamePart(path).size() > NAME_MAX)
        return Result::failure(Result::CannotCreate,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': its name is longer "
                                                         "than a file's may be; choose a shorter "
                                                         "name for the book."),
                               {path});
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return {};
    if (S_ISLNK(info.st_mode))
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': it is a symbolic "
                                                         "link, and a book writes only files of "
                                                         "its own; nothing was written."),
                               {path});
    if (Result kept = refuseGedcomOverwrite(path); !kept)
        return kept;
    if (replace || isChartOfBook(path, suffix, familyPath) ||
        (S_ISREG(info.st_mode) && info.st_size == 0))
        return {};
    return Result::failure(Result::CannotWrite,
                           STIRPA_TR_NOOP("Message", "Cannot write '%1': it is not a chart of "
                                                     "this book; nothing was written (--replace "
                                                     "replaces it)."),
                           {path});
}

// The web pages of a book link each other by their charts' names as the
// export cuts them, at ':' and '\\' too: a name with them is refused.
Result checkBookName(const std::string& path)
{
    const std::string_view name = std::string_view(path).substr(path.rfind('/') + 1);
    if (name.find_first_of(":\\") == std::string_view::npos)
        return {};
    return Result::failure(Result::CannotCreate,
                           STIRPA_TR_NOOP("Message",
                                          "Cannot make a book named '%1': the links between its "
                                          "pages would be cut at its ':' or '\\'; choose a name "
                                          "without them."),
                           {std::string(name)});
}

struct MadeCharts : Outcome {
    using Outcome::Outcome;

    std::vector<ChartImport> charts;
};

// Every chart of the book, each linked as the branch it carries, so that the
// book updates as one.
MadeCharts makeCharts(const GedcomData& data, const ImportOptions& options,
                      const ChartBookPlan& book, const std::string& path,
                      const std::string& familyPath)
{
    MadeCharts made;
    made.charts.reserve(book.charts.size());
    const std::vector<bool> living = livingPersons(data, options);
    for (std::size_t k = 0; k < book.charts.size(); ++k) {
        const BookChart& chart = book.charts[k];
        ChartImport one =
            chartFromPlan(data, chart.plan, options, treeNameOf(bookChartPath(path, chart.suffix)),
                          bookLabels(data, book, k, options.description, living), living);
        if (!one)
            return one;
        ImportOptions branch = options;
        branch.layout.root = chart.root;
        branch.layout.generations = chart.generations;
        FamilyLink link = familyLinkFor(data, branch, familyPath);
        link.bookChart = chart.suffix;
        one.chart.setFamilyLink(std::move(link));
        applySchemeColours(one.chart, data);
        made.charts.push_back(std::move(one));
    }
    return made;
}

// Whether every branch chart may take its name (see takenName).
Result checkBranchNames(const ChartBookPlan& book, const std::string& path,
                        const std::string& familyPath, bool replace)
{
    for (std::size_t i = 1; i < book.charts.size(); ++i) {
        const std::string& suffix = book.charts[i].suffix;
        if (Result free = takenName(bookChartPath(path, suffix), suffix, familyPath, replace);
            !free)
            return free;
    }
    return {};
}

// A failure to save that names the charts already in place.
Result partlyWritten(const Result& failure, std::size_t charts,
                     const std::vector<std::string>& written)
{
    std::string before;
    for (const std::string& w : written)
        before += (before.empty() ? "" : ", ") + w;
    return Result::failure(
        failure.status,
        STIRPA_TR_NOOP("Message", "%1 (Of the book's %2 charts, these were written: %3.)"),
        {failure.message(), std::to_string(charts), before.empty() ? std::string("none") : before});
}

// Saves the charts together: one flush to disk for the whole book, and a
// failure before the first rename leaves the folder as it was. The older
// book's charts beyond the new one's would pass for part of it: they go with
// the same commit, all or nothing.
BookImport writeBook(const std::vector<ChartImport>& charts, const ChartBookPlan& book,
                     const std::string& path, const std::string& familyPath)
{
    AtomicFileSet files(AtomicFileSet::Journaling::FromFirstFile);
    Result saved;
    for (std::size_t i = 0; i < charts.size() && saved; ++i)
        saved = saveChartFile(files, bookChartPath(path, book.charts[i].suffix), charts[i].chart);
    std::set<std::string> suffixes;
    for (const BookChart& chart : book.charts)
        suffixes.insert(chart.suffix);
    std::vector<std::string> stale;
    for (const BookFile& old : bookFiles(path, familyPath, ""))
        if (saved && !suffixes.count(old.suffix)) {
            saved = files.remove(old.path);
            stale.push_back(old.path);
        }
    if (saved)
        saved = files.commit();
    BookImport result = saved ? saved : partlyWritten(saved, charts.size(), files.committed());
    result.written = files.committed();
    if (saved)
        result.removed = std::move(stale);
    return result;
}

} // namespace

BookImport saveBook(const GedcomData& data, const ImportOptions& options, const std::string& path,
                    const std::string& familyPath, bool replace)
{
    if (Result named = checkBookName(path); !named)
        return named;
    const ChartBookPlan book = planBook(data, options.layout, options.bookColumns);
    if (!book)
        return book;
    if (book.charts.empty())
        return noSuchRoot();
    // Every chart is made before any is written: a book that cannot be made
    // leaves the folder as it was.
    const MadeCharts made = makeCharts(data, options, book, path, familyPath);
    if (!made)
        return made;
    if (Result free = checkBranchNames(book, path, familyPath, replace); !free)
        return free;
    BookImport result = writeBook(made.charts, book, path, familyPath);
    result.generations = made.charts.front().generations;
    for (const ChartImport& chart : made.charts) {
        result.boxes += chart.chart.tree().size();
        result.living += chart.living;
    }
    return result;
}
