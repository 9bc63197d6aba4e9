// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command/batch.h"
#include "app/command/book_charts.h"
#include "export/html_export.h"

// --export-html of a chart of a book: every chart's page, the one asked for at
// out and each other beside it named as the book names its charts (out's name
// less the asked chart's suffix, then each chart's), with its title, the way up
// and continuation boxes that lead down. Continuation boxes that still lead to
// no page are told once all are written. Exit status 1 at the first page that
// cannot be written (those before it stay written), 2 when out's name does not
// end in the suffix of the chart asked for.
int exportHtmlBook(const BookCharts& book, const std::string& out, const HtmlExportOptions& options,
                   BatchStreams streams);
