// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/book_plan.h"
#include "layout/chart_import.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The charts of a book as files: the main one at the path, each branch beside
// it with its suffix before the extension ("family.txt", "family03.txt",
// "family0301.txt"), so that the HTML export's continuation links find them.
struct BookImport : Outcome {
    using Outcome::Outcome;

    std::vector<std::string> written; // the files written, the main chart's first
    std::vector<std::string> removed; // charts of an older book the new one has no more
    std::size_t boxes = 0;            // in all charts
    int generations = 0;              // the main chart's
    int living = 0;                   // living persons named or hidden in all charts
};

// The path of the book's chart with the suffix.
std::string bookChartPath(const std::string& path, const std::string& suffix);
// The other way: the main chart's path of the book whose chart with the
// suffix is at path; nullopt when the name does not end in the suffix.
std::optional<std::string> bookMainPath(const std::string& path, const std::string& suffix);

// The charts of the book whose main chart is at mainPath, but for the one of
// the suffix skipped: the regular files (never symbolic links) beside it named
// by the suffix rule whose header says they are that chart of a book of the
// family file at familyPath. Sorted by suffix.
struct BookFile {
    std::string path;
    std::string suffix;
};
std::vector<BookFile> bookFiles(const std::string& mainPath, const std::string& familyPath,
                                const std::string& skipped);

// The labels of a chart of the book, in its language: a continuation box's
// "NAME|chart 03", a see box's "chart 03" or "main chart"; in the order of
// their boxes.
std::vector<BoxLabel> bookLabels(const GedcomData& data, const ChartBookPlan& book,
                                 std::size_t chart, const DescriptionOptions& description,
                                 const std::vector<bool>& living);

// The suffix of the chart a continuation box's label names ("03" of
// "NAME|chart 03" or "NAME|Karte 03"); empty for any other text.
std::string_view labelledChart(std::string_view text);

// Plans the book of options.bookColumns columns (see planBook), makes every
// chart, each linked to the family file at familyPath as the branch it
// carries, then saves them together (see AtomicFileSet) and removes the charts
// of an older book of the same name and family file that the new one has no
// more. Nothing is written when the book cannot be made, when a chart's name
// is taken by a symbolic link, or (unless replace) by a file that is no chart
// of this book; when a file cannot be written the message names it and the
// files already in place.
BookImport saveBook(const GedcomData& data, const ImportOptions& options, const std::string& path,
                    const std::string& familyPath, bool replace = false);
