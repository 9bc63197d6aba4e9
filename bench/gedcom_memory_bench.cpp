// SPDX-License-Identifier: GPL-3.0-or-later
// Peak memory of importing hostile GEDCOM files, against the file's size. Each
// file is written first, then the program starts itself afresh to read it and
// make the chart from the default root, so the high-water mark holds nothing
// of the writing.
//
// Usage: gedcom_memory_bench                (every file, one line each)
//        gedcom_memory_bench --import FILE  (the second stage)
#include "gedcom_generator.h"
#include "hostile_files.h"

#include "gedcom/gedcom_chart.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/root_person.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

long long peakBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atoll(line.c_str() + 6) * 1024;
    }
    return 0;
}

// Prints the growth of the peak while reading the file and making its chart.
int measure(const char* path)
{
    const long long before = peakBytes();
    const GedcomLoad load = readGedcomFile(path);
    std::size_t boxes = 0;
    if (load && !load.data.persons.empty()) {
        ImportOptions options;
        options.layout.root = defaultRoot(load.data);
        options.layout.generations = maxGenerations;
        const ChartImport imported = importChart(load.data, options, String("bench"));
        boxes = imported ? imported.chart.tree().size() : 0;
    }
    std::printf("%lld %zu %zu\n", peakBytes() - before, load.data.persons.size(), boxes);
    return 0;
}

struct Sample {
    const char* name;
    std::string text;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--import") == 0)
        return measure(argv[2]);
    const fs::path folder = fs::temp_directory_path() / ("stirpa-gedcom-memory-" +
                                                          std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::vector<Sample> samples = {
        {"100,000 persons of one family", generateDescendants({50, 4, 5, 100000, 1, false}).text},
        {"levels nested 1,000 deep", deeplyNested(1000)},
        {"a line of 10 MB", oneLongLine(10 << 20)},
        {"a family with 100,000 children", manyChildren(100000)},
        {"a million lines of rubbish", manyBadLines(1000000)},
    };
    std::printf("| %-32s | %10s | %10s | %8s | %8s | %6s |\n", "file", "file MB", "peak MB",
                "persons", "boxes", "ratio");
    for (const Sample& sample : samples) {
        const std::string path = (folder / "file.ged").string();
        std::ofstream(path, std::ios::binary) << sample.text;
        const std::string command =
            "'" + fs::canonical("/proc/self/exe").string() + "' --import '" + path + "'";
        FILE* child = ::popen(command.c_str(), "r");
        long long grown = 0;
        std::size_t persons = 0, boxes = 0;
        if (!child || std::fscanf(child, "%lld %zu %zu", &grown, &persons, &boxes) != 3) {
            std::fprintf(stderr, "cannot measure %s\n", sample.name);
            return 1;
        }
        ::pclose(child);
        const double size = double(sample.text.size());
        std::printf("| %-32s | %10.1f | %10.1f | %8zu | %8zu | %5.1fx |\n", sample.name,
                    size / 1e6, double(grown) / 1e6, persons, boxes, double(grown) / size);
    }
    fs::remove_all(folder);
    return 0;
}
