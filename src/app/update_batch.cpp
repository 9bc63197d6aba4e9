// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/update_batch.h"

#include "app/gedcom_batch.h"
#include "base/parallel.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "gedcom/chart_linking.h"
#include "gedcom/chart_update.h"
#include "gedcom/person_description.h"

#include <filesystem>

namespace {

constexpr const char* linkUsage =
    "CHART FILE.ged OUT [--root ID] [--descendants N | --ancestors N]";

struct LinkCall {
    std::vector<std::string> paths;
    std::string root;
    LinkChoices choices;
};

std::optional<LinkCall> parseLinkCall(const std::vector<std::string>& args)
{
    LinkCall call;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--root" && hasValue) {
            call.root = args[++i];
        } else if ((arg == "--descendants" || arg == "--ancestors") && hasValue) {
            call.choices.generations = generationCount(args[++i]);
            if (!call.choices.generations)
                return std::nullopt;
            call.choices.kind =
                arg == "--ancestors" ? LayoutKind::Ancestors : LayoutKind::Descendants;
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else {
            call.paths.push_back(arg);
        }
    }
    if (call.paths.size() != 3)
        return std::nullopt;
    return call;
}

std::string absoluteFamilyPath(const std::string& path)
{
    return std::filesystem::absolute(path).lexically_normal();
}

} // namespace

int linkGedcomCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    std::optional<LinkCall> call = parseLinkCall(args);
    if (!call) {
        streams.err << "usage: stirpa --link-gedcom " << linkUsage << "  (N from 1 to "
                    << maxGenerations << ")\n";
        return 2;
    }
    const std::string& chartPath = call->paths[0];
    const std::string& gedcomPath = call->paths[1];
    const std::string& outPath = call->paths[2];
    ChartLoad load = readChartFile(chartPath, TreeSettings());
    if (!load) {
        streams.err << load.message() << '\n';
        return 1;
    }
    const std::optional<GedcomLoad> family = readPersons(gedcomPath, streams.err);
    if (!family)
        return 1;
    if (!call->root.empty()) {
        call->choices.root = family->data.findPerson(call->root);
        if (call->choices.root < 0) {
            streams.err << gedcomPath << " has no person " << call->root << ".\n";
            return 1;
        }
    }
    const ChartLinking linking =
        linkChart(load.chart, family->data, absoluteFamilyPath(gedcomPath), call->choices);
    if (!linking) {
        streams.err << linking.message() << '\n';
        return 1;
    }
    if (const Result saved = saveChartFile(outPath, load.chart); !saved) {
        streams.err << saved.message() << '\n';
        return 1;
    }
    const GedcomPerson& root = family->data.persons[std::size_t(linking.root)];
    streams.out << outPath << ": " << linking.linked << " of " << load.chart.tree().size()
                << " boxes linked to " << gedcomPath << "; " << displayName(root) << " ("
                << root.xref << "), "
                << (linking.kind == LayoutKind::Ancestors ? "ancestors, " : "descendants, ")
                << linking.generations
                << (linking.generations == 1 ? " generation\n" : " generations\n");
    if (!linking.unmatched.empty()) {
        streams.out << "Not linked: " << linking.unmatched.size() << '\n';
        for (const UpdatedBox& box : linking.unmatched)
            streams.out << "  " << box.name << " at column " << box.cell.column << ", level "
                        << box.cell.level << '\n';
    }
    return 0;
}

int updateGedcomCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    const std::string& chartPath = args[0];
    const std::string& gedcomPath = args[1];
    const std::string& outPath = args[2];
    const std::string familyPath = absoluteFamilyPath(gedcomPath);
    // The chart and the family file are read at once; the family file is read
    // as GEDCOM unless it holds the bytes the chart's header tells it took in.
    const FamilyLink promised = peekFamilyLink(chartPath);
    ChartLoad load;
    std::optional<GedcomLoad> read;
    runInParallel(2, [&](std::size_t task) {
        if (task == 0)
            load = readChartFile(chartPath, TreeSettings());
        else if (promised.path != familyPath || !familyFileUnchanged(promised, gedcomPath))
            read = readGedcomFile(gedcomPath);
    });
    if (!load) {
        streams.err << load.message() << '\n';
        return 1;
    }
    const FamilyLink& link = load.chart.familyLink();
    if (!link.linked()) {
        streams.err << chartPath
                    << " is not linked to a family file; link it with --link-gedcom first.\n";
        return 1;
    }
    const std::string header = outPath + ": " + chartPath + " updated from " + gedcomPath + '\n';
    // Not read: the file holds the bytes the header promised.
    const bool unchanged =
        link.path == familyPath && (read ? *read && tookInBytes(link, read->data.fileFingerprint)
                                         : tookInBytes(link, promised.fileFingerprint));
    if (unchanged) {
        // The chart is up to date; written only where it is not already.
        std::error_code error;
        if (!std::filesystem::equivalent(outPath, chartPath, error)) {
            if (const Result saved = saveChartFile(outPath, load.chart); !saved) {
                streams.err << saved.message() << '\n';
                return 1;
            }
        }
        streams.out << header << updateReportText({});
        return 0;
    }
    std::optional<GedcomLoad> family =
        personsOf(read ? std::move(*read) : readGedcomFile(gedcomPath), gedcomPath, streams.err);
    if (!family)
        return 1;
    const ChartUpdate update = updateChart(load.chart, family->data, currentDate());
    if (!update) {
        streams.err << update.message() << '\n';
        return 1;
    }
    // The file read is the family file from now on.
    load.chart.setFamilyLink(linkAfterUpdate(load.chart.familyLink(), familyPath, family->data));
    // The family file's data, no longer needed, is let go while the chart is written.
    Result saved;
    runInParallel(2, [&](std::size_t task) {
        if (task == 0)
            saved = saveChartFile(outPath, load.chart);
        else
            family.reset();
    });
    if (!saved) {
        streams.err << saved.message() << '\n';
        return 1;
    }
    streams.out << header << updateReportText(update.report);
    return 0;
}

std::vector<BatchOption> familyLinkOptions()
{
    return {{"--link-gedcom", linkUsage,
             "link the boxes of a chart typed by hand (or imported by an older Stirpa) to "
             "the persons of a GEDCOM file: a box whose first line is one person's name, and "
             "whose birth year (when shown) is that person's; the root is the person in the "
             "top-left linked box and the layout and generations are read from the chart "
             "unless given. Save it to OUT and list the boxes left unlinked",
             linkGedcomCommand},
            {"--update-gedcom", "CHART FILE.ged OUT",
             "bring a chart imported from a GEDCOM file (or linked to one) up to date with "
             "the file: new texts where the user kept the imported ones, boxes for new "
             "persons beside their relatives, every hand placement kept; save it to OUT "
             "(which may be CHART) and print what changed",
             updateGedcomCommand}};
}
