// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_page.h"

#include "base/markup_escape.h"
#include "files/atomic_file.h"
#include "export/html_export.h"
#include "model/chart.h"
#include "model/text_codec.h"
#include "web/data_pieces.h"
#include "web/viewer_assets.h"

namespace {

// The page template's places for the title, the style, the data and the code.
constexpr std::string_view markers[] = {"@TITLE@", "@STYLE@", "@DATA@", "@SCRIPT@"};

} // namespace

namespace {

// The page around the data that writeData writes.
void writePage(std::string_view title, const std::function<void(const DataWriter&)>& writeData,
               const WebPageOptions& options, const DataWriter& write)
{
    std::string_view rest = viewerPage;
    bool going = true;
    for (const std::string_view marker : markers) {
        const std::size_t at = rest.find(marker);
        going = going && write(rest.substr(0, at));
        rest.remove_prefix(at + marker.size());
        if (!going)
            return;
        if (marker == "@TITLE@") {
            going = write(escapedMarkup(title));
        } else if (marker == "@STYLE@") {
            going = write(viewerStyle);
        } else if (marker == "@DATA@") {
            writeData([&](std::string_view piece) { return going = going && write(piece); });
        } else {
            if (options.testHooks)
                going = write(viewerTestHooks);
            going = going && write(viewerScript);
        }
    }
    if (going)
        write(rest);
}

} // namespace

void writeWebPage(const Chart& chart, std::string_view pageName, const WebPageOptions& options,
                  const DataWriter& write)
{
    writePage(
        chartTitle(chart, pageName),
        [&](const DataWriter& data) {
            PieceBuffer out(data);
            out.text() += "{\"shown\":0,\"charts\":[";
            writeChartData(chart, onePageChart(chart, pageName), options.chartBackground, out);
            out.text() += "]}";
            out.handOn();
        },
        options, write);
}

void writeBookPage(const PageBook& book, const WebPageOptions& options, const DataWriter& write)
{
    const PageChart& shown = book.charts[book.shown];
    writePage(
        chartTitle(*shown.chart, shown.name),
        [&](const DataWriter& data) { writeBookData(book, options.chartBackground, data); },
        options, write);
}

Result exportWebPage(const Chart& chart, const std::string& path, const WebPageOptions& options)
{
    const std::string pageName = htmlPageName(path);
    return writeFileAtomically(
        path, [&](const PieceWriter& write) { writeWebPage(chart, pageName, options, write); });
}

Result exportWebBook(const PageBook& book, const std::string& path, const WebPageOptions& options)
{
    return writeFileAtomically(
        path, [&](const PieceWriter& write) { writeBookPage(book, options, write); });
}
