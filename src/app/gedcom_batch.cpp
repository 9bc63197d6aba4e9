// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gedcom_batch.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "app/update_batch.h"
#include "gedcom/family_link_options.h"
#include "gedcom/gedcom_chart.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/person_filter.h"
#include "gedcom/root_person.h"

#include <charconv>
#include <filesystem>
#include <optional>

namespace {

constexpr const char* importUsage =
    "FILE OUT [--root ID|NAME] [--descendants N | --ancestors N] [--living show|name|hide]";

struct ImportCall {
    std::string gedcomPath;
    std::string outPath;
    std::string root;
    LayoutRequest layout;
    LivingPolicy living = LivingPolicy::Show;
};

} // namespace

std::optional<int> generationCount(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > maxGenerations)
        return std::nullopt;
    return value;
}

namespace {

std::optional<LivingPolicy> livingPolicy(const std::string& text)
{
    if (text == "show")
        return LivingPolicy::Show;
    if (text == "name")
        return LivingPolicy::NameOnly;
    if (text == "hide")
        return LivingPolicy::Hide;
    return std::nullopt;
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
            const std::optional<int> count = generationCount(args[++i]);
            if (!count)
                return std::nullopt;
            call.layout.generations = *count;
            call.layout.kind =
                arg == "--ancestors" ? LayoutKind::Ancestors : LayoutKind::Descendants;
        } else if (arg == "--living" && hasValue) {
            const std::optional<LivingPolicy> policy = livingPolicy(args[++i]);
            if (!policy)
                return std::nullopt;
            call.living = *policy;
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

std::optional<GedcomLoad> readPersons(const std::string& path, std::ostream& err)
{
    GedcomLoad load = readGedcomFile(path);
    if (!load) {
        err << load.message() << '\n';
        return std::nullopt;
    }
    if (const Result note = characterSetNote(load.data.characterSet); *note.pattern)
        err << path << ": " << note.message() << '\n';
    for (const std::string& warning : load.data.warnings)
        err << path << ": " << warning << '\n';
    if (load.data.persons.empty()) {
        err << path << " holds no persons.\n";
        return std::nullopt;
    }
    return load;
}

namespace {

// Writes "ID<tab>Name<tab>years" for each person, a block at a time.
void writePersons(std::ostream& out, const GedcomData& data, const PersonFilter& filter,
                  const std::vector<int>& persons)
{
    std::string block;
    for (const int person : persons) {
        block.append(data.persons[std::size_t(person)].xref).append("\t");
        block.append(filter.name(person)).append("\t").append(filter.years(person)).append("\n");
        if (block.size() >= 65536) {
            out << block;
            block.clear();
        }
    }
    out << block;
}

// The root the call asks for, or the default one; -1 after telling why there is none.
int chooseRoot(const ImportCall& call, const GedcomData& data, std::ostream& err)
{
    if (call.root.empty())
        return defaultRoot(data);
    const PersonFilter filter(data);
    const std::vector<int> named = personsNamed(data, filter, call.root);
    if (named.size() == 1)
        return named.front();
    if (named.empty()) {
        err << call.gedcomPath << " has no person with the id or name \"" << call.root
            << "\" (stirpa --list-persons " << call.gedcomPath << " lists them).\n";
        return -1;
    }
    err << call.gedcomPath << " has " << named.size() << " persons named \"" << call.root
        << "\"; give one's id with --root:\n";
    writePersons(err, data, filter, named);
    return -1;
}

// "out.txt: Ann Lee (I1, the home person), descendants, 5 boxes, 3 generations,
// 600 x 280 pixels"
std::string summary(const ImportCall& call, const GedcomData& data, const ChartImport& imported)
{
    const GedcomPerson& root = data.persons[std::size_t(call.layout.root)];
    std::string line = call.outPath + ": " + displayName(root) + " (" + std::string(root.xref);
    if (call.root.empty())
        line += call.layout.root == data.home ? ", the home person" : ", with the most descendants";
    line += call.layout.kind == LayoutKind::Ancestors ? "), ancestors, " : "), descendants, ";
    const std::size_t boxes = imported.chart.tree().size();
    line += std::to_string(boxes) + (boxes == 1 ? " box, " : " boxes, ");
    line += std::to_string(imported.generations) +
            (imported.generations == 1 ? " generation, " : " generations, ");
    const Size size = chartTotalSize(imported.chart.tree().boxExtent());
    line += std::to_string(size.width) + " x " + std::to_string(size.height) + " pixels";
    if (call.living != LivingPolicy::Show)
        line += ", " + std::to_string(imported.living) +
                (imported.living == 1 ? " living person " : " living persons ") +
                (call.living == LivingPolicy::Hide ? "hidden" : "named only");
    return line;
}

} // namespace

int importGedcomCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    std::optional<ImportCall> call = parseCall(args);
    if (!call) {
        streams.err << "usage: stirpa --import-gedcom " << importUsage << "  (N from 1 to "
                    << maxGenerations << ")\n";
        return 2;
    }
    const std::optional<GedcomLoad> load = readPersons(call->gedcomPath, streams.err);
    if (!load)
        return 1;
    call->layout.root = chooseRoot(*call, load->data, streams.err);
    if (call->layout.root < 0)
        return 1;
    ImportOptions options;
    options.layout = call->layout;
    options.description.living = call->living;
    ChartImport imported = importChart(load->data, options, treeNameOf(call->outPath));
    if (!imported) {
        streams.err << imported.message() << '\n';
        return 1;
    }
    imported.chart.setFamilyLink(familyLinkFor(
        load->data, options, std::filesystem::absolute(call->gedcomPath).lexically_normal()));
    if (const Result saved = saveChartFile(call->outPath, imported.chart); !saved) {
        streams.err << saved.message() << '\n';
        return 1;
    }
    streams.out << summary(*call, load->data, imported) << '\n';
    return 0;
}

int listPersonsCommand(const std::vector<std::string>& args, BatchStreams streams)
{
    std::string text;
    for (std::size_t i = 1; i < args.size(); ++i)
        text += (i > 1 ? " " : "") + args[i];
    const std::optional<GedcomLoad> load = readPersons(args[0], streams.err);
    if (!load)
        return 1;
    const PersonFilter filter(load->data);
    const std::vector<int> found = filter.matching(text, PersonFilter::Scope::Name);
    writePersons(streams.out, load->data, filter, found);
    if (found.empty()) {
        streams.err << "No person in " << args[0] << " has a name holding \"" << text << "\".\n";
        return 1;
    }
    return 0;
}

std::vector<BatchOption> gedcomBatchOptions()
{
    std::vector<BatchOption> options = {
        {"--import-gedcom", importUsage,
         "lay out a person's family from a GEDCOM file and save it to OUT; print what was "
         "made. The root is a record id or a name (every word in the person's name, any case "
         "and accents); by default the file's home person, else the one with the most "
         "descendants. --descendants 4 unless told. --living name keeps only the names of "
         "living persons, --living hide writes \"Living\" instead",
         importGedcomCommand},
        {"--list-persons", "FILE [TEXT]",
         "list the persons of a GEDCOM file by name: record id, name and years, one a line; "
         "with TEXT only those whose name holds every word of it",
         listPersonsCommand},
    };
    for (BatchOption& option : familyLinkOptions())
        options.push_back(std::move(option));
    return options;
}
