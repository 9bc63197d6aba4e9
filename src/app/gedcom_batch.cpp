// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gedcom_batch.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "gedcom/gedcom_chart.h"
#include "gedcom/gedcom_reader.h"

#include <charconv>
#include <optional>

namespace {

struct ImportCall {
    std::string gedcomPath;
    std::string outPath;
    std::string root;
    LayoutRequest layout;
};

std::optional<int> generations(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > maxGenerations)
        return std::nullopt;
    return value;
}

std::optional<ImportCall> parseCall(const std::vector<std::string>& args)
{
    ImportCall call;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--root" && hasValue) {
            call.root = args[++i];
        } else if ((arg == "--descendants" || arg == "--ancestors") && hasValue) {
            const std::optional<int> count = generations(args[++i]);
            if (!count)
                return std::nullopt;
            call.layout.generations = *count;
            call.layout.kind =
                arg == "--ancestors" ? LayoutKind::Ancestors : LayoutKind::Descendants;
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2)
        return std::nullopt;
    call.gedcomPath = paths[0];
    call.outPath = paths[1];
    return call;
}

} // namespace

int importGedcomCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    std::optional<ImportCall> call = parseCall(args);
    if (!call) {
        streams.err << "usage: stirpa --import-gedcom FILE OUT [--root XREF] "
                       "[--descendants N | --ancestors N]  (N from 1 to "
                    << maxGenerations << ")\n";
        return 2;
    }
    const GedcomLoad load = readGedcomFile(call->gedcomPath);
    if (!load) {
        streams.err << load.message() << '\n';
        return 1;
    }
    for (const std::string& warning : load.data.warnings)
        streams.err << call->gedcomPath << ": " << warning << '\n';
    if (load.data.persons.empty()) {
        streams.err << call->gedcomPath << " holds no persons.\n";
        return 1;
    }
    if (!call->root.empty()) {
        call->layout.root = load.data.findPerson(call->root);
        if (call->layout.root < 0) {
            streams.err << call->gedcomPath << " has no person " << call->root << ".\n";
            return 1;
        }
    }
    const ChartImport imported =
        importChart(load.data, {call->layout, {}}, treeNameOf(call->outPath));
    if (!imported) {
        streams.err << imported.message() << '\n';
        return 1;
    }
    if (const Result saved = saveChartFile(call->outPath, imported.chart); !saved) {
        streams.err << saved.message() << '\n';
        return 1;
    }
    return 0;
}
