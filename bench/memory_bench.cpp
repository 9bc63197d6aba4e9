// SPDX-License-Identifier: GPL-3.0-or-later
// Peak memory of loading a generated chart, per box beyond its text. The chart
// is written first, then the program starts itself afresh to load it, so the
// high-water mark holds nothing of the generation.
//
// Usage: memory_bench [BOXES]          (default 1,000,000)
//        memory_bench --load CHART     (the second stage)
#include "chart_generator.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "model/tree_settings.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The resident high-water mark in bytes (VmHWM), or ru_maxrss where there is no /proc.
long long peakBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atoll(line.c_str() + 6) * 1024;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (long long)usage.ru_maxrss * 1024;
}

int measure(const char* chart)
{
    const long long before = peakBytes();
    ChartLoad loaded = readChartFile(chart, TreeSettings());
    const long long after = peakBytes();
    if (!loaded) {
        std::fprintf(stderr, "%s\n", loaded.message().c_str());
        return 1;
    }
    long long textBytes = 0;
    const Tree& tree = loaded.chart.tree();
    tree.forEachPerson([&](const Person* box) { textBytes += box->text.size(); });
    const double boxes = double(tree.size());
    const double perBox = double(after - before - textBytes) / boxes;
    std::printf("boxes %.0f\nfile bytes %lld\ntext bytes %lld\npeak before %lld\npeak after %lld\n"
                "bytes per box beyond its text %.1f\n",
                boxes, (long long)std::filesystem::file_size(chart), textBytes, before, after,
                perBox);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--load") == 0)
        return measure(argv[2]);
    const int boxes = argc > 1 ? std::atoi(argv[1]) : 1000000;
    if (boxes <= 0) {
        std::fprintf(stderr, "usage: memory_bench [BOXES] | --load CHART\n");
        return 2;
    }
    std::string chart = (std::filesystem::temp_directory_path() / "stirpa-memory-XXXXXX").string();
    const int fd = ::mkstemp(chart.data());
    if (fd < 0) {
        std::perror("mkstemp");
        return 1;
    }
    ::close(fd);
    {
        std::ofstream out(chart, std::ios::binary);
        writeChart(out, generateChart(boxes));
    }
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/proc/self/exe", argv[0], "--load", chart.c_str(), (char*)nullptr);
        std::perror("exec");
        _exit(1);
    }
    int status = 1;
    ::waitpid(child, &status, 0);
    std::filesystem::remove(chart);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
