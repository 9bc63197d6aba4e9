// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/update_batch.h"

#include "app/command/gedcom_batch.h"
#include "chartfile/chart_reader.h"
#include "family/link_road.h"
#include "family/update_road.h"
#include "layout/person_description.h"

namespace {

constexpr const char* updateUsage = "CHART FILE.ged OUT [--replace]";
constexpr const char* linkUsage =
    "CHART FILE.ged OUT [--root ID] [--descendants N | --ancestors N | --hourglass UP DOWN] "
    "[--replace]";

struct LinkCall {
    std::vector<std::string> paths;
    std::string root;
    LinkChoices choices;
    bool replace = false;
};

std::optional<LinkCall> parseLinkCall(std::vector<std::string> args)
{
    LinkCall call;
    std::optional<LayoutRequest> layout;
    if (!takeLayoutOption(args, layout))
        return std::nullopt;
    if (layout) {
        call.choices.kind = layout->kind;
        call.choices.generations = layout->generations;
        if (layout->kind == LayoutKind::Hourglass)
            call.choices.ancestorGenerations = layout->ancestorGenerations;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--root" && hasValue && !args[i + 1].empty()) {
            call.root = args[++i];
        } else if (arg == "--replace") {
            call.replace = true;
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

std::string generationsText(int count)
{
    return std::to_string(count) + (count == 1 ? " generation" : " generations");
}

// "descendants, 3 generations"; "hourglass, 2 up and 3 down".
const LayoutPhrases layoutPhrases = {
    [](int generations) { return "descendants, " + generationsText(generations); },
    [](int generations) { return "ancestors, " + generationsText(generations); },
    [](int up, int down) {
        return "hourglass, " + std::to_string(up) + " up and " + std::to_string(down) + " down";
    }};

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
    const LinkRoad road({chartPath, gedcomPath, absolutePath(gedcomPath), outPath, call->replace});
    if (!road.ready())
        return exitStatus(road.ready(), streams.err);
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
    const ChartLinking linking = road.write(load.chart, family->data, call->choices);
    if (!linking) {
        streams.err << linking.message() << '\n';
        return 1;
    }
    const GedcomPerson& root = family->data.persons[std::size_t(linking.root)];
    streams.out << outPath << ": " << linking.linked << " of " << load.chart.tree().size()
                << " boxes linked to " << gedcomPath << "; " << displayName(root) << " ("
                << root.xref << "), " << layoutText(linking, layoutPhrases) << '\n';
    if (!linking.unmatched.empty()) {
        streams.out << "Not linked: " << linking.unmatched.size() << '\n';
        for (const UpdatedBox& box : linking.unmatched)
            streams.out << "  " << box.name << " at " << box.place << '\n';
    }
    return 0;
}

int updateGedcomCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    const bool replace = args.size() == 4 && args[3] == "--replace";
    if (args.size() > 3 && !replace) {
        streams.err << "usage: stirpa --update-gedcom " << updateUsage << '\n';
        return 2;
    }
    const std::string& chartPath = args[0];
    const std::string& gedcomPath = args[1];
    const std::string& outPath = args[2];
    // Held from reading the chart to writing it: a second update reads the first's.
    const UpdateRoad road({chartPath, gedcomPath, absolutePath(gedcomPath), outPath, replace});
    if (!road.ready())
        return exitStatus(road.ready(), streams.err);
    FamilyUpdate update = road.read(currentDate());
    for (const std::string& note : update.notes)
        streams.err << note << '\n';
    for (const Result& lost : update.lostCharts)
        streams.err << lost.message() << '\n';
    if (!update) {
        streams.err << chartPath << ": " << update.message() << '\n';
        return 1;
    }
    if (const Result saved = road.write(update); !saved) {
        streams.err << saved.message() << '\n';
        return 1;
    }
    streams.out << outPath << ": " << chartPath << " updated from " << gedcomPath << '\n'
                << updateReportText(update);
    return 0;
}

std::vector<BatchOption> familyLinkOptions()
{
    return {{"--link-gedcom", linkUsage,
             "link the boxes of a chart typed by hand (or imported by an older Stirpa) to "
             "the persons of a GEDCOM file: a box whose first line is one person's name, and "
             "whose birth year (when shown) is that person's; the root is the person in the "
             "top-left linked box (an ancestors chart's lowest, an hourglass's waist) and the "
             "layout and generations are read from the chart unless given. Save it to OUT and list "
             "the boxes left unlinked",
             linkGedcomCommand},
            {"--update-gedcom", updateUsage,
             "bring a chart imported from a GEDCOM file (or linked to one) up to date with "
             "the file: new texts where the user kept the imported ones, boxes for new "
             "persons beside their relatives, every hand placement kept; save it to OUT "
             "(which may be CHART; a file that is no chart only with --replace) and print what "
             "changed. A chart of a book updates the whole book, written beside OUT",
             updateGedcomCommand}};
}
