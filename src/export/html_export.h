// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "export/person_html.h"
#include "model/chart.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char htmlTemplateName[] = "stirpa_full.html";

// The file name offered for an export: the chart's path with its file's own
// extension replaced by ".html" (".html" for a chart never saved).
std::string initialHtmlName(std::string_view documentPath);

// The page name: the output file's name without folder and extension.
std::string htmlPageName(std::string_view outputPath);

// Writes the chart elements (links pass, boxes pass, spacer) to out.
void writeHtmlChart(std::ostream& out, const Chart& chart, const HtmlPage& page);

// Writes a page: with a template, its head up to the TREE line (FILENAME lines
// replaced by the page name, escaped), a style element with the chart's box
// sizes when they are not the template's, the chart, then the rest of the template.
// Returns false when the template ends before a TREE line (out then holds the
// head).
// What a page of a book has besides the chart: its title, the way up to the
// box of the page above that continues here (none for the main page), and
// continuation boxes as anchors ("to-03").
struct HtmlBookPage {
    std::string title;
    std::string upAddress; // "family.html#to-03"
    std::string upName;
};

bool writeHtmlPage(std::ostream& out, const Chart& chart, const HtmlPage& page,
                   std::istream* pageTemplate, const HtmlBookPage* book = nullptr);

struct HtmlExportOptions {
    // The chart inside a page template, or the chart elements alone.
    bool completePage = false;
    // Where the template is looked for, in order: the first path that exists is
    // the template, even when it cannot be read.
    std::vector<std::string> templatePaths{htmlTemplateName};
    bool escapeText = false;
};

// A page template is small; a larger file is refused rather than read.
inline constexpr std::size_t maxTemplateSize = 16 << 20;

// What an export tells besides its outcome, one line each: the page images it
// copied from the template's folder, and the continuation boxes that link to
// pages not in the page's folder.
struct HtmlExportResult : Outcome {
    using Outcome::Outcome;

    std::vector<Result> notes;
};

// The export command: writes path and logs its progress. The page is complete
// or the file stays as it was: a template that is missing, unreadable, not a
// regular file or without a TREE line (TemplateIncomplete), an output that
// cannot be created (CannotCreate) or written (CannotWrite) leave the old page
// untouched, and no empty file where there was none. Boxes of a size other
// than the template's carry their size in a page without the template. A
// complete page gets the images of the template's folder beside it where
// they are missing (see copyPageImages).
// A page of a book (book given) is written with the others: its links are
// checked once every page is written, not here.
HtmlExportResult exportHtml(const Chart& chart, const std::string& path,
                            const HtmlExportOptions& options = {},
                            const HtmlBookPage* book = nullptr);
