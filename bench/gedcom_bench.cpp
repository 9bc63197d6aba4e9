// SPDX-License-Identifier: GPL-3.0-or-later
// GEDCOM import of a generated 100,000-person file (every generation of one
// root's descendants), held against loading and saving the chart it makes; the
// person list's filter, once per keystroke; and --list-persons of the file,
// held against the import's reading alone; the default root of 100,000 and
// 1,000,000 persons, for a short chart and the longest.
#include "gedcom_generator.h"

#include "app/command/gedcom_batch.h"
#include "files/atomic_file_set.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "family/book_files.h"
#include "layout/chart_import.h"
#include "gedcom/gedcom_reader.h"
#include "layout/person_filter.h"
#include "layout/root_person.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr int persons = 100000;

// The files of a run, in a folder of their own that goes when the run ends.
struct Files {
    fs::path folder;
    std::string gedcom;
    std::string chart;
    std::string saved;
    ~Files() { fs::remove_all(folder); }
};

const Files& files()
{
    static const Files made = [] {
        std::string pattern = (fs::temp_directory_path() / "stirpa-gedcom-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        const std::string gedcom = pattern + "/family.ged", chart = pattern + "/family.txt";
        std::ofstream(gedcom) << generateDescendants({50, 4, 5, persons, 1, false}).text;
        const GedcomLoad load = readGedcomFile(gedcom);
        ImportOptions options;
        options.layout.generations = maxGenerations;
        const ChartImport imported = importChart(load.data, options, "family");
        if (!imported || !saveChartFile(chart, imported.chart)) {
            std::fputs("cannot make the chart\n", stderr);
            std::exit(1);
        }
        return Files{pattern, gedcom, chart, pattern + "/saved.txt"}; // never copied
    }();
    return made;
}

void gedcomImport(benchmark::State& state)
{
    ImportOptions options;
    options.layout.generations = maxGenerations;
    for (auto _ : state) {
        const GedcomLoad load = readGedcomFile(files().gedcom);
        ChartImport imported = importChart(load.data, options, "family");
        benchmark::DoNotOptimize(imported.chart.tree().size());
    }
}

// The same family as a book of charts at most 100 columns wide, written beside
// one another.
void gedcomImportBook(benchmark::State& state)
{
    ImportOptions options;
    options.layout.generations = maxGenerations;
    options.bookColumns = 100;
    const std::string path = (files().folder / "book" / "family.txt").string();
    fs::create_directories(files().folder / "book");
    for (auto _ : state) {
        const GedcomLoad load = readGedcomFile(files().gedcom);
        const BookImport book = saveBook(load.data, options, path, files().gedcom);
        if (!book)
            state.SkipWithError(book.message().c_str());
        benchmark::DoNotOptimize(book.boxes);
    }
}

// A book's floor: opening each of its charts and saving them again, together,
// as the book is saved.
void gedcomImportBookFloor(benchmark::State& state)
{
    ImportOptions options;
    options.layout.generations = maxGenerations;
    options.bookColumns = 100;
    const std::string path = (files().folder / "book" / "family.txt").string();
    fs::create_directories(files().folder / "book");
    const GedcomLoad family = readGedcomFile(files().gedcom);
    const BookImport book = saveBook(family.data, options, path, files().gedcom);
    if (!book)
        state.SkipWithError(book.message().c_str());
    for (auto _ : state) {
        AtomicFileSet set;
        for (const std::string& chart : book.written) {
            const ChartLoad load = readChartFile(chart, TreeSettings());
            saveChartFile(set, chart, load.chart);
        }
        benchmark::DoNotOptimize(set.commit());
    }
}

// The floor: what opening the chart and saving it again costs.
void gedcomImportFloor(benchmark::State& state)
{
    for (auto _ : state) {
        ChartLoad load = readChartFile(files().chart, TreeSettings());
        benchmark::DoNotOptimize(saveChartFile(files().saved, load.chart));
    }
}

void gedcomFilter(benchmark::State& state)
{
    const GedcomLoad load = readGedcomFile(files().gedcom);
    const PersonFilter filter(load.data);
    // A name typed key by key: each keystroke filters the whole list again.
    const std::string typed = "given4711 surname";
    std::size_t length = 0;
    for (auto _ : state) {
        length = length % typed.size() + 1;
        benchmark::DoNotOptimize(filter.matching(typed.substr(0, length)));
    }
}

// The import's first step: reading and decoding the file.
void gedcomRead(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(readGedcomFile(files().gedcom).data.persons.size());
}

// stirpa --list-persons FILE, its output thrown away as a pipe would take it.
void gedcomListPersons(benchmark::State& state)
{
    std::ofstream out("/dev/null");
    std::ostringstream err;
    for (auto _ : state)
        benchmark::DoNotOptimize(listPersonsCommand({files().gedcom}, {out, err}));
}

// The person whose chart holds the most persons, of a family of range(0)
// persons, for charts of range(1) generations.
void gedcomDefaultRoot(benchmark::State& state)
{
    static std::map<int, GedcomData> families;
    const int count = int(state.range(0));
    if (!families.count(count))
        families[count] = readGedcom(generateDescendants({50, 4, 5, count, 1, false}).text).data;
    const LayoutRequest layout{0, LayoutKind::Descendants, int(state.range(1)), 4};
    for (auto _ : state)
        benchmark::DoNotOptimize(defaultRoot(families[count], layout).person);
}

} // namespace

BENCHMARK(gedcomDefaultRoot)
    ->ArgsProduct({{persons, 1000000}, {4, maxGenerations}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(gedcomImport)->Arg(persons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(gedcomImportBook)->Arg(persons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(gedcomImportBookFloor)->Arg(persons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(gedcomImportFloor)->Arg(persons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(gedcomFilter)->Arg(persons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(gedcomRead)->Arg(persons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(gedcomListPersons)->Arg(persons)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
