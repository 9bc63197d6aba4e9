// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/render/gui_batch.h"

#include "app/render/qt_notices.h"
#include "family/output_check.h"
#include "render/chart_render.h"

#include <QGuiApplication>

#include <optional>

namespace {

// Needs a GUI application for fonts and painting, but never a display.
int renderCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    const PageArguments parsed =
        parsePageArguments(args.size() > 2 ? std::vector<std::string>(args.begin() + 2, args.end())
                                           : std::vector<std::string>());
    if (args.size() < 2 || !parsed.error.empty()) {
        if (!parsed.error.empty())
            streams.err << "stirpa: " << parsed.error << '\n';
        streams.err << "usage: stirpa --render " << renderUsage << '\n';
        return 2;
    }
    const PdfPages& pages = parsed.pages;
    const std::optional<ChartImageFormat> format = chartImageFormat(args[1]);
    if (pages && pages->mode == PageOptions::Poster && format == ChartImageFormat::Svg) {
        streams.err << "--poster makes a PDF or PNG; '" << args[1] << "' is neither\n";
        return 2;
    }
    if (pages && pages->mode != PageOptions::Poster && format != ChartImageFormat::Pdf) {
        streams.err << "--pages lays out a PDF; '" << args[1] << "' is not one\n";
        return 2;
    }
    if (const Result output = checkExportOutput(args[1], {args[0]}); !output)
        return exitStatus(output, streams.err);
    const QtNoticesHidden quiet;
    std::optional<QGuiApplication> app;
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "stirpa";
        static char* argv[] = {name, nullptr};
        app.emplace(argc, argv);
    }
    return exitStatus(renderChartFile(args[0], args[1], pages), streams.err);
}

} // namespace

std::vector<BatchOption> guiBatchOptions() { return {renderOption(renderCommand)}; }
