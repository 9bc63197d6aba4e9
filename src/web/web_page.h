// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "web/book_page.h"
#include "web/chart_data.h"

#include <string>
#include <string_view>

class Chart;

struct WebPageOptions {
    // The chart's own background colour behind the boxes, instead of white paper.
    bool chartBackground = false;
    // For the browser tests: the viewer's state on the page's window object.
    bool testHooks = false;
};

// Writes the whole page, piece by piece: the viewer's markup, style and code
// with the chart's data between them. Nothing in it is fetched from elsewhere.
void writeWebPage(const Chart& chart, std::string_view pageName, const WebPageOptions& options,
                  const DataWriter& write);

// The page of a book: every chart of it, opening on the one shown.
void writeBookPage(const PageBook& book, const WebPageOptions& options, const DataWriter& write);

// The page written to path atomically: complete, or the old file as it was
// (the result says why: CannotCreate, CannotWrite, WriteProtected).
Result exportWebPage(const Chart& chart, const std::string& path,
                     const WebPageOptions& options = {});
Result exportWebBook(const PageBook& book, const std::string& path,
                     const WebPageOptions& options = {});
