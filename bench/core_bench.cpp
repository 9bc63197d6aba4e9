// SPDX-License-Identifier: GPL-3.0-or-later
// File timings of generated charts, each beside its floor: the least any
// implementation must spend on the same bytes. Load is held against reading the
// file's lines with no parsing, save, HTML export and the tree dump against
// writing the same number of bytes.
#include "chart_generator.h"
#include "files/atomic_file.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/tree_dump.h"
#include "export/html_export.h"
#include "model/chart_search.h"
#include "model/tree_settings.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path& scratch()
{
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "stirpa-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        return fs::path(pattern);
    }();
    return folder;
}

// A generated chart with its file and the bytes each writer makes of it.
struct Sample {
    std::optional<Chart> chart;
    std::string chartPath;
    std::size_t chartBytes = 0;
    std::size_t htmlBytes = 0;
    std::size_t dumpBytes = 0;
};

Sample& sample(int boxes)
{
    static std::map<int, Sample> samples;
    Sample& s = samples[boxes];
    if (s.chart)
        return s;
    s.chart = generateChart(boxes);
    s.chartPath = (scratch() / ("chart" + std::to_string(boxes) + ".txt")).string();
    {
        std::ofstream out(s.chartPath, std::ios::binary);
        writeChart(out, *s.chart);
    }
    s.chartBytes = fs::file_size(s.chartPath);
    std::ostringstream html, dump;
    writeHtmlChart(html, *s.chart, {"chart"});
    dumpTree(dump, *s.chart);
    s.htmlBytes = html.view().size();
    s.dumpBytes = dump.view().size();
    return s;
}

std::string readWhole(const Sample& s, benchmark::State& state)
{
    std::string bytes(s.chartBytes, '\0');
    std::FILE* file = std::fopen(s.chartPath.c_str(), "rb");
    if (!file || std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
        state.SkipWithError("read failed");
    if (file)
        std::fclose(file);
    return bytes;
}

template <typename Visit> void forEachLine(const std::string& bytes, Visit visit)
{
    const char* const end = bytes.data() + bytes.size();
    for (const char* line = bytes.data(); line < end;) {
        const void* found = std::memchr(line, '\n', std::size_t(end - line));
        const char* stop = found ? static_cast<const char*>(found) : end;
        visit(line, std::size_t(stop - line));
        line = stop + 1;
    }
}

std::string outPath(const char* name) { return (scratch() / name).string(); }

// Writes bytes to a file the plainest way: the floor of every writer.
void writePlain(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::perror(path.c_str());
        std::exit(1);
    }
    std::fclose(file);
}

void setBytes(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(std::int64_t(state.iterations() * bytes));
    state.counters["boxes"] = double(state.range(0));
}

void timeLoads(benchmark::State& state, const std::string& chartPath, std::size_t boxes)
{
    for (auto _ : state) {
        ChartLoad loaded = readChartFile(chartPath, TreeSettings());
        if (!loaded || loaded.chart.tree().size() != boxes)
            state.SkipWithError("load failed");
        // Dropping the chart is not part of reading it.
        state.PauseTiming();
        loaded.chart = Chart();
        state.ResumeTiming();
    }
}

void load(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    timeLoads(state, s.chartPath, s.chart->tree().size());
    setBytes(state, s.chartBytes);
}

// Every box in one cell: a crowded cell must not make loading slower per box.
void loadOneCell(benchmark::State& state)
{
    const std::size_t boxes = std::size_t(state.range(0));
    const std::string path = outPath("one_cell.txt");
    {
        std::ofstream out(path, std::ios::binary);
        for (std::size_t i = 0; i < boxes; ++i)
            out << "P 0j0 1:x 0j0 0\n";
    }
    timeLoads(state, path, boxes);
    setBytes(state, fs::file_size(path));
}

// The file read whole into memory and cut into lines, each line kept as a string
// of its own: what the load's floor is measured by. Nothing is parsed.
void loadFloor(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    for (auto _ : state) {
        const std::string bytes = readWhole(s, state);
        std::vector<std::string> lines;
        forEachLine(bytes, [&lines](const char* line, std::size_t length) {
            lines.emplace_back(line, length);
        });
        benchmark::DoNotOptimize(lines.data());
    }
    setBytes(state, s.chartBytes);
}

// Stricter still: the lines are only found in the file's bytes, not kept apart.
void loadBulkFloor(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    for (auto _ : state) {
        const std::string bytes = readWhole(s, state);
        std::vector<const char*> lines;
        forEachLine(bytes, [&lines](const char* line, std::size_t) { lines.push_back(line); });
        benchmark::DoNotOptimize(lines.data());
    }
    setBytes(state, s.chartBytes);
}

void save(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    const std::string path = outPath("saved.txt");
    for (auto _ : state) {
        if (!saveChartFile(path, *s.chart))
            state.SkipWithError("save failed");
    }
    setBytes(state, s.chartBytes);
}

// Writing a file of the given size through the atomic save path.
void atomicFloor(benchmark::State& state, const char* name, std::size_t size)
{
    const std::string path = outPath(name);
    const std::string bytes(size, 'x');
    for (auto _ : state) {
        const Result written = writeFileAtomically(path, bytes);
        if (!written)
            state.SkipWithError(written.message().c_str());
    }
    setBytes(state, size);
}

// Saving goes through the atomic path; so does its floor.
void saveFloor(benchmark::State& state)
{
    atomicFloor(state, "saved.txt", sample(int(state.range(0))).chartBytes);
}

void writeStream(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    const std::string path = outPath("written.txt");
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary);
        writeChart(out, *s.chart);
    }
    setBytes(state, s.chartBytes);
}

// Writing a file of the given size with fwrite.
void plainFloor(benchmark::State& state, const char* name, std::size_t size)
{
    const std::string path = outPath(name);
    const std::string bytes(size, 'x');
    for (auto _ : state)
        writePlain(path, bytes);
    setBytes(state, size);
}

void writeStreamFloor(benchmark::State& state)
{
    plainFloor(state, "written.txt", sample(int(state.range(0))).chartBytes);
}

void html(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    const std::string path = outPath("chart.html");
    for (auto _ : state) {
        if (!exportHtml(*s.chart, path))
            state.SkipWithError("export failed");
    }
    setBytes(state, s.htmlBytes);
}

void htmlFloor(benchmark::State& state)
{
    atomicFloor(state, "chart.html", sample(int(state.range(0))).htmlBytes);
}

void dump(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    const std::string path = outPath("stirpalog.txt");
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary);
        dumpTree(out, *s.chart);
    }
    setBytes(state, s.dumpBytes);
}

void dumpFloor(benchmark::State& state)
{
    plainFloor(state, "stirpalog.txt", sample(int(state.range(0))).dumpBytes);
}

// The find bar folds every description once after a change of the chart, then
// answers each keystroke with one scan.
void findPrepare(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ChartSearch(s.chart->tree()));
}

void findText(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)));
    const ChartSearch search(s.chart->tree());
    for (auto _ : state)
        benchmark::DoNotOptimize(search.find("zoe pell"));
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(load)->Apply(sizes);
BENCHMARK(loadFloor)->Apply(sizes);
BENCHMARK(loadBulkFloor)->Apply(sizes);
BENCHMARK(loadOneCell)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(save)->Apply(sizes);
BENCHMARK(saveFloor)->Apply(sizes);
BENCHMARK(writeStream)->Apply(sizes);
BENCHMARK(writeStreamFloor)->Apply(sizes);
BENCHMARK(html)->Apply(sizes);
BENCHMARK(htmlFloor)->Apply(sizes);
BENCHMARK(dump)->Apply(sizes);
BENCHMARK(dumpFloor)->Apply(sizes);
BENCHMARK(findPrepare)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(findText)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(scratch(), ignored);
    return 0;
}
