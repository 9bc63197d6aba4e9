// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "family/book_files.h"
#include "family/guarded_output.h"
#include "layout/chart_import.h"

#include <string>
#include <vector>

// The import road: a chart, or a book of charts, laid out from a family file
// and written. The window and the command line both import through here and
// differ only in how they ask and report.

struct ImportTarget {
    std::string familyPath; // as the user named it; never written
    std::string linkPath;   // the same from anywhere, as the charts keep it
    std::string outPath;    // the chart, or the book's main chart
    bool replace = false;   // a file that is no chart (of this book) too
};

// What an import wrote: a single chart as a book of one, with its size.
struct ImportWritten : BookImport {
    using BookImport::BookImport;
    ImportWritten(BookImport book) : BookImport(std::move(book)) {}

    Size size; // of a single chart, as drawn
};

class ImportRoad {
public:
    // Checks the output and locks its folder (see GuardedOutput) until the road ends.
    explicit ImportRoad(ImportTarget target);

    // Ok when the road may write; else why not, nothing written.
    const Result& ready() const { return output_.ready(); }

    // Lays out the root's chart (a book with options.bookColumns, see
    // saveBook) linked to the family file, and writes it at the output.
    // Fails, naming why, when it cannot be made or written.
    ImportWritten write(const GedcomData& data, const ImportOptions& options) const;

private:
    ImportTarget target_;
    GuardedOutput output_;
};
