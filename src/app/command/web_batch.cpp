// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/web_batch.h"

#include "chartfile/chart_reader.h"
#include "family/output_check.h"
#include "web/web_page.h"

int exportWebCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    WebPageOptions options;
    std::vector<std::string> paths;
    for (const std::string& arg : args) {
        if (arg == "--background")
            options.chartBackground = true;
        else if (arg == "--test-hooks") // the browser tests' own, left out of the usage
            options.testHooks = true;
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2) {
        streams.err << "usage: stirpa --export-web CHART OUT.html [--background]\n";
        return 2;
    }
    if (const Result output = checkExportOutput(paths[1], {paths[0]}); !output)
        return exitStatus(output, streams.err);
    const ChartLoad load = readChartFile(paths[0], TreeSettings());
    if (!load)
        return exitStatus(load, streams.err);
    return exitStatus(exportWebPage(load.chart, paths[1], options), streams.err);
}
