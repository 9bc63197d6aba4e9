// SPDX-License-Identifier: GPL-3.0-or-later
// Peak memory of importing hostile GEDCOM files, against the file's size. The
// program starts itself afresh to write each file, and again to read it and
// make the chart from the default root; the peak of that process, less the
// peak of one importing a file of one person, is what the import took. The
// first process stays small, so that the peak of the others is their own.
//
// Usage: gedcom_memory_bench                  (every file, one line each)
//        gedcom_memory_bench --write N FILE   (writes file N)
//        gedcom_memory_bench --import FILE    (imports it)
#include "gedcom_generator.h"
#include "hostile_files.h"

#include "layout/chart_import.h"
#include "gedcom/gedcom_reader.h"
#include "layout/root_person.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Reads the file and makes its chart; prints the persons and boxes.
int importFile(const char* path)
{
    const GedcomLoad load = readGedcomFile(path);
    std::size_t boxes = 0;
    if (load && !load.data.persons.empty()) {
        ImportOptions options;
        options.layout.root = defaultRoot(load.data).person;
        options.layout.generations = maxGenerations;
        const ChartImport imported = importChart(load.data, options, "bench");
        boxes = imported ? imported.chart.tree().size() : 0;
    }
    std::printf("%zu %zu\n", load.data.persons.size(), boxes);
    return 0;
}

struct Outcome {
    long long peak = 0; // bytes resident at most
    std::size_t persons = 0;
    std::size_t boxes = 0;
};

// Runs this program again with the arguments and reads what it prints.
bool runApart(const std::vector<std::string>& args, Outcome& outcome)
{
    int out[2];
    if (::pipe(out) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>("gedcom_memory_bench")};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv("/proc/self/exe", argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    FILE* result = ::fdopen(out[0], "r");
    const bool read =
        result && std::fscanf(result, "%zu %zu", &outcome.persons, &outcome.boxes) == 2;
    if (result)
        std::fclose(result);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    outcome.peak = (long long)usage.ru_maxrss * 1024;
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

constexpr const char* names[] = {
    "one person",      "100,000 persons of one family",  "levels nested 1,000 deep",
    "a line of 10 MB", "a family with 100,000 children", "a million lines of rubbish",
};

// Writes file N and prints its size.
int writeFile(int n, const char* path)
{
    const std::string text = n == 1   ? generateDescendants({50, 4, 5, 100000, 1, false}).text
                             : n == 2 ? deeplyNested(1000)
                             : n == 3 ? oneLongLine(10 << 20)
                             : n == 4 ? manyChildren(100000)
                             : n == 5 ? manyBadLines(1000000)
                                      : std::string("0 HEAD\n0 @I1@ INDI\n0 TRLR\n");
    std::ofstream(path, std::ios::binary) << text;
    std::printf("%zu 0\n", text.size());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--import") == 0)
        return importFile(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0)
        return writeFile(std::atoi(argv[2]), argv[3]);
    const fs::path folder =
        fs::temp_directory_path() / ("stirpa-gedcom-memory-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string path = (folder / "file.ged").string();
    std::printf("| %-32s | %8s | %8s | %8s | %8s | %7s |\n", "GEDCOM file", "file MB", "peak MB",
                "persons", "boxes", "ratio");
    std::printf("|----------------------------------|----------|----------|----------|----------|"
                "---------|\n");
    long long base = 0;
    for (int n = 0; n < int(std::size(names)); ++n) {
        Outcome written, imported;
        if (!runApart({"--write", std::to_string(n), path}, written) ||
            !runApart({"--import", path}, imported)) {
            std::fprintf(stderr, "cannot import %s\n", names[n]);
            return 1;
        }
        if (n == 0) {
            base = imported.peak;
            continue;
        }
        const double size = double(written.persons); // the file's size, as --write prints it
        const double grown = double(std::max(0LL, imported.peak - base));
        // Below a megabyte the peak is mostly the program's own.
        char ratio[16] = "-";
        if (size >= 1e6)
            std::snprintf(ratio, sizeof ratio, "%.1fx", grown / size);
        std::printf("| %-32s | %8.1f | %8.1f | %8zu | %8zu | %7s |\n", names[n], size / 1e6,
                    grown / 1e6, imported.persons, imported.boxes, ratio);
    }
    fs::remove_all(folder);
    return 0;
}
