// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gui_batch.h"

#include "view/chart_render.h"

#include <QGuiApplication>

#include <optional>

namespace {

// Needs a GUI application for fonts and painting, but never a display.
int renderCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    std::optional<QGuiApplication> app;
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "stirpa";
        static char* argv[] = {name, nullptr};
        app.emplace(argc, argv);
    }
    const Result result = renderChartFile(args[0], args[1]);
    if (!result) {
        streams.err << result.message << '\n';
        return 1;
    }
    return 0;
}

} // namespace

std::vector<BatchOption> guiBatchOptions()
{
    return {{"--render", "CHART OUT.png|.pdf|.svg", "the chart as painted, without a selection",
             renderCommand}};
}
