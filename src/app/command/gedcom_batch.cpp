// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/gedcom_batch.h"

#include "app/command/relate_batch.h"
#include "app/command/update_batch.h"
#include "family/import_road.h"
#include "gedcom/gedcom_reader.h"
#include "layout/chart_import.h"
#include "layout/chart_kind.h"
#include "layout/date_text.h"
#include "layout/person_filter.h"
#include "layout/root_person.h"

#include <charconv>
#include <filesystem>
#include <initializer_list>
#include <optional>

namespace {

constexpr const char* importUsage =
    "FILE OUT [--root ID|NAME] [--descendants N | --ancestors N | --hourglass UP DOWN] "
    "[--split COLUMNS] [--living show|name|hide|show-all] [--keep-underscores] "
    "[--dates short|long|raw] [--titles] [--colour branch|sex|generation|none] [--replace]";

struct ImportCall {
    std::string gedcomPath;
    std::string outPath;
    std::string root;
    ImportOptions options; // bookColumns 0: one chart however wide
    bool replace = false;  // files that are no charts of this import too
};

std::optional<int> number(const std::string& text, int low, int high)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

std::string absolutePath(const std::string& path)
{
    return std::filesystem::absolute(path).lexically_normal();
}

std::optional<int> generationCount(const std::string& text)
{
    return number(text, 1, maxGenerations);
}

bool takeLayoutOption(std::vector<std::string>& args, std::optional<LayoutRequest>& option)
{
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--descendants" || arg == "--ancestors") {
            const std::optional<int> count =
                i + 1 < args.size() ? generationCount(args[++i]) : std::nullopt;
            if (!count)
                return false;
            option = {.kind =
                          arg == "--ancestors" ? LayoutKind::Ancestors : LayoutKind::Descendants,
                      .generations = *count,
                      .ancestorGenerations = *count};
        } else if (arg == "--hourglass") {
            // Generations above and below the root, the root's own not counted.
            if (i + 2 >= args.size())
                return false;
            const std::optional<int> up = number(args[++i], 1, maxGenerations - 1);
            const std::optional<int> down = number(args[++i], 1, maxGenerations - 1);
            if (!up || !down)
                return false;
            option = {.kind = LayoutKind::Hourglass,
                      .generations = *down + 1,
                      .ancestorGenerations = *up + 1};
        } else {
            rest.push_back(arg);
        }
    }
    args = std::move(rest);
    return true;
}

namespace {

// The value an option's word names, or nullopt for a word it does not know.
template <typename Value>
std::optional<Value> named(const std::string& word,
                           std::initializer_list<std::pair<std::string_view, Value>> names)
{
    for (const auto& [name, value] : names)
        if (word == name)
            return value;
    return std::nullopt;
}

std::optional<LivingPolicy> livingPolicy(const std::string& word)
{
    return named<LivingPolicy>(word, {{"show", LivingPolicy::Show},
                                      {"name", LivingPolicy::NameOnly},
                                      {"hide", LivingPolicy::Hide},
                                      {"show-all", LivingPolicy::ShowAll}});
}

std::optional<DateStyle> dateStyle(const std::string& word)
{
    return named<DateStyle>(
        word, {{"short", DateStyle::Short}, {"long", DateStyle::Long}, {"raw", DateStyle::Raw}});
}

std::optional<ImportCall> parseCall(std::vector<std::string> args, DateLanguage dateLanguage)
{
    ImportCall call;
    DescriptionOptions& description = call.options.description;
    description.dateLanguage = dateLanguage;
    std::optional<LayoutRequest> layout;
    if (!takeLayoutOption(args, layout))
        return std::nullopt;
    if (layout)
        call.options.layout = *layout;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--root" && hasValue && !args[i + 1].empty()) {
            call.root = args[++i];
        } else if (arg == "--split" && hasValue) {
            const std::optional<int> columns = number(args[++i], minBookColumns, maxBookColumns);
            if (!columns)
                return std::nullopt;
            call.options.bookColumns = *columns;
        } else if (arg == "--living" && hasValue) {
            const std::optional<LivingPolicy> policy = livingPolicy(args[++i]);
            if (!policy)
                return std::nullopt;
            description.living = *policy;
        } else if (arg == "--dates" && hasValue) {
            const std::optional<DateStyle> style = dateStyle(args[++i]);
            if (!style)
                return std::nullopt;
            description.dates = *style;
        } else if (arg == "--keep-underscores") {
            description.keepUnderscores = true;
        } else if (arg == "--titles") {
            description.titles = true;
        } else if (arg == "--colour" && hasValue) {
            if (!parseSchemeName(args[++i], call.options.colours))
                return std::nullopt;
        } else if (arg == "--replace") {
            call.replace = true;
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2 ||
        (call.options.bookColumns && !chartKind(call.options.layout.kind).splitsIntoBook()))
        return std::nullopt;
    call.gedcomPath = paths[0];
    call.outPath = paths[1];
    return call;
}

} // namespace

std::optional<GedcomLoad> readPersons(const std::string& path, std::ostream& err)
{
    return personsOf(readGedcomFile(path), path, err);
}

std::optional<GedcomLoad> personsOf(GedcomLoad load, const std::string& path, std::ostream& err)
{
    if (!load) {
        err << load.message() << '\n';
        return std::nullopt;
    }
    if (const Result note = characterSetNote(load.data.characterSet); *note.pattern)
        err << path << ": " << note.message() << '\n';
    for (const std::string& warning : load.data.warnings)
        err << path << ": " << warning << '\n';
    if (Result persons = checkHoldsPersons(load.data, path); !persons) {
        err << persons.message() << '\n';
        return std::nullopt;
    }
    return load;
}

namespace {

// A field of a tab-separated line: a tab or line break in it would split it.
void appendField(std::string& line, std::string_view field)
{
    for (const char c : field)
        line += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
}

// Writes "ID<tab>Name<tab>years" for each person, a block at a time.
void writePersons(std::ostream& out, const GedcomData& data, const PersonFilter& filter,
                  const std::vector<int>& persons)
{
    std::string block;
    for (const int person : persons) {
        appendField(block, data.persons[std::size_t(person)].xref);
        block += '\t';
        appendField(block, filter.name(person));
        block += '\t';
        appendField(block, filter.years(person));
        block += '\n';
        if (block.size() >= 65536) {
            out << block;
            block.clear();
        }
    }
    out << block;
}

} // namespace

int personNamed(const GedcomData& data, const std::string& gedcomPath, const std::string& text,
                const char* giveIdHow, std::ostream& err, std::size_t* others)
{
    // A record id needs no list of names, which takes long to make for a large file.
    if (const int record = text.empty() ? -1 : data.findPerson(text); record >= 0)
        return record;
    const PersonFilter filter(data);
    const std::vector<int> named = personsNamed(data, filter, text, others);
    if (named.size() == 1)
        return named.front();
    if (named.empty()) {
        err << gedcomPath << " has no person with the id or name \"" << text
            << "\" (stirpa --list-persons " << gedcomPath << " lists them).\n";
        return -1;
    }
    err << gedcomPath << " has " << named.size() << " persons named \"" << text
        << "\"; give one's id" << giveIdHow << ":\n";
    writePersons(err, data, filter, named);
    return -1;
}

namespace {

// The root an import starts from, and why.
struct RootChoice {
    int person = -1;
    DefaultRoot byDefault;  // when none was asked for
    std::size_t others = 0; // persons whose names hold the words of the whole name asked for
};

// The root the call asks for, or the default one; -1 after telling why there is none.
RootChoice chooseRoot(const ImportCall& call, const GedcomData& data, std::ostream& err)
{
    RootChoice choice;
    if (call.root.empty()) {
        choice.byDefault = defaultRoot(data, call.options.layout);
        choice.person = choice.byDefault.person;
        return choice;
    }
    choice.person =
        personNamed(data, call.gedcomPath, call.root, " with --root", err, &choice.others);
    return choice;
}

std::string counted(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + (count == 1 ? one : many);
}

// "out.txt: Ann Lee (I1, the home person), descendants, 5 boxes, 3 generations,
// 600 x 280 pixels"; a book tells its charts and files instead of the size.
std::string summary(const ImportCall& call, const GedcomData& data, const RootChoice& root,
                    const ImportWritten& made)
{
    const GedcomPerson& person = data.persons[std::size_t(root.person)];
    const DescriptionOptions& description = call.options.description;
    const int columns = call.options.bookColumns;
    std::string line =
        call.outPath + ": " + displayName(person, description) + " (" + std::string(person.xref);
    if (call.root.empty())
        line += root.byDefault.home ? ", the home person"
                                    : ", whose chart holds the most persons: " +
                                          std::to_string(root.byDefault.persons);
    line += std::string("), ") + chartKind(call.options.layout.kind).name() + ", ";
    if (columns)
        line += counted(made.written.size(), " chart", " charts") + " of at most " +
                std::to_string(columns) + " columns, ";
    line += counted(made.boxes, " box, ", " boxes, ");
    line += counted(std::size_t(made.generations), " generation", " generations");
    if (!columns)
        line += ", " + std::to_string(made.size.width) + " x " + std::to_string(made.size.height) +
                " pixels";
    const LivingPolicy living = description.living;
    if (living == LivingPolicy::Show && made.living > 0)
        line += ", " + counted(std::size_t(made.living), " person ", " persons ") +
                "marked private hidden (--living show-all shows them)";
    else if (living == LivingPolicy::NameOnly || living == LivingPolicy::Hide)
        line += ", " + counted(std::size_t(made.living), " living person ", " living persons ") +
                (living == LivingPolicy::Hide ? "hidden" : "named only");
    if (root.others > 0)
        line += "; " + counted(root.others, " other person matches \"", " other persons match \"") +
                call.root + "\": stirpa --list-persons " + call.gedcomPath + ' ' + call.root;
    return line;
}

} // namespace

int importGedcomCommand(const std::vector<std::string>& args, BatchStreams streams,
                        DateLanguage dateLanguage)
{
    std::optional<ImportCall> call = parseCall(args, dateLanguage);
    if (!call) {
        streams.err << "usage: stirpa --import-gedcom " << importUsage << "  (N from 1 to "
                    << maxGenerations << ", UP and DOWN to " << maxGenerations - 1
                    << ", COLUMNS from " << minBookColumns << " to " << maxBookColumns
                    << "; --split not with --hourglass)\n";
        return 2;
    }
    const ImportRoad road(
        {call->gedcomPath, absolutePath(call->gedcomPath), call->outPath, call->replace});
    if (!road.ready())
        return exitStatus(road.ready(), streams.err);
    const std::optional<GedcomLoad> load = readPersons(call->gedcomPath, streams.err);
    if (!load)
        return 1;
    const RootChoice root = chooseRoot(*call, load->data, streams.err);
    if (root.person < 0)
        return 1;
    call->options.layout.root = root.person;
    const ImportWritten made = road.write(load->data, call->options);
    if (!made) {
        streams.err << made.message() << '\n';
        return 1;
    }
    // A book's other charts first, each file named.
    for (std::size_t i = 1; i < made.written.size(); ++i)
        streams.out << made.written[i] << '\n';
    for (const std::string& removed : made.removed)
        streams.out << removed << ": removed, a chart of the older book\n";
    streams.out << summary(*call, load->data, root, made) << '\n';
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

std::vector<BatchOption> gedcomBatchOptions(DateLanguage dateLanguage)
{
    std::vector<BatchOption> options = {
        {"--import-gedcom", importUsage,
         "lay out a person's family from a GEDCOM file and save it to OUT; print what was "
         "made. The root is a record id or a name (every word in the person's name, title, "
         "name prefix or suffix or nickname, any case and accents); by default the file's home "
         "person, else the one whose chart holds the most persons (the earliest born of "
         "equals). --descendants 4 unless told; --hourglass UP DOWN puts UP generations of "
         "ancestors above the root and DOWN of descendants below. --split COLUMNS makes a book: "
         "branches that would make a chart wider than COLUMNS continue in charts of their own "
         "beside OUT (OUT03.txt for the one its continuation box ends in 03, OUT0301.txt for a "
         "branch of that), whose files are printed first; --export-html of each links page to "
         "page. --living name keeps only the names of living persons, --living hide writes "
         "\"Living\" instead; records the file marks private (RESN privacy or confidential) "
         "count as living, and --living show hides them unless --living show-all. Underscores "
         "in names read as blanks (\"Edward_VII\" as \"Edward VII\") unless "
         "--keep-underscores. Dates read \"3 Mar 1820\", \"abt. 1848\", \"1822\u20131823\" "
         "(--dates short), \"3 March 1820\", \"about 1848\" (--dates long) or as the file "
         "writes them (--dates raw), in the language of --lang or of the system (English or "
         "German: \"3. M\u00e4rz 1820\", \"um 1848\"). --titles writes each person's title "
         "before the name (\"Queen Victoria Hanover\"). --colour fills the boxes by the branch of "
         "the root's family each person belongs to, by sex or by generation, in colours that "
         "readers with colour blindness tell apart (none by default); updates keep it. OUT (and "
         "each chart of a book) "
         "replaces only a chart, unless --replace",
         [dateLanguage](const std::vector<std::string>& args, BatchStreams streams) {
             return importGedcomCommand(args, streams, dateLanguage);
         }},
        {"--list-persons", "FILE [TEXT]",
         "list the persons of a GEDCOM file by name: record id, name and years, one a line; "
         "with TEXT only those whose names (name, title, prefix, suffix, nickname) hold every "
         "word of it",
         listPersonsCommand},
    };
    for (BatchOption& option : familyLinkOptions())
        options.push_back(std::move(option));
    options.push_back(relateOption(dateLanguage));
    return options;
}
