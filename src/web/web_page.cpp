// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_page.h"

#include "base/markup_escape.h"
#include "files/atomic_file.h"
#include "export/html_export.h"
#include "model/chart.h"
#include "model/text_codec.h"
#include "web/viewer_assets.h"

namespace {

// The page template's places for the title, the style, the data and the code.
constexpr std::string_view markers[] = {"@TITLE@", "@STYLE@", "@DATA@", "@SCRIPT@"};

} // namespace

void writeWebPage(const Chart& chart, std::string_view pageName, const WebPageOptions& options,
                  const DataWriter& write)
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
            const std::string& name = chart.tree().name();
            going = write(escapedMarkup(displayText(name.empty() ? pageName : name)));
        } else if (marker == "@STYLE@") {
            going = write(viewerStyle);
        } else if (marker == "@DATA@") {
            writeChartData(chart, pageName, options.chartBackground,
                           [&](std::string_view piece) { return going = going && write(piece); });
        } else {
            if (options.testHooks)
                going = write(viewerTestHooks);
            going = going && write(viewerScript);
        }
    }
    if (going)
        write(rest);
}

Result exportWebPage(const Chart& chart, const std::string& path, const WebPageOptions& options)
{
    const std::string pageName = htmlPageName(path);
    return writeFileAtomically(
        path, [&](const PieceWriter& write) { writeWebPage(chart, pageName, options, write); });
}
