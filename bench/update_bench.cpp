// SPDX-License-Identifier: GPL-3.0-or-later
// --update-gedcom of a 100,000-person chart, held against loading and saving
// that chart: once from a file with 1 % of the persons renamed and 1 % more
// children, once from the unchanged file; and the update of a book of the
// same family (100 columns a chart) from the changed file, held against
// loading and saving its charts as one set. The runs take turns, nine rounds,
// so that a machine shared with other work slows each kind alike; prints the
// best of each kind, in wall time and in processor time, and the median of
// each round's ratio to its floor (the steadier figure on a machine whose
// speed drifts). With --chart, the chart alone, without the book. With
// --files DIR, only writes the chart, the family file and the changed one
// into DIR, for a profiler to run `stirpa --update-gedcom` on.
#include "gedcom_generator.h"

#include "app/command/update_batch.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "family/book_files.h"
#include "family/update_road.h"
#include "files/atomic_file_set.h"
#include "gedcom/gedcom_reader.h"
#include "layout/chart_import.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int persons = 100000;

struct Seconds {
    double wall = 1e9;
    double processor = 1e9;
};

// Every round's times of one kind, and the best of them.
struct Timings {
    Seconds best;
    std::vector<double> walls;
};

double processorSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void timeRun(Timings& timings, const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    const double processorStart = processorSeconds();
    run();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    timings.best.processor = std::min(timings.best.processor, processorSeconds() - processorStart);
    timings.best.wall = std::min(timings.best.wall, wall);
    timings.walls.push_back(wall);
}

void printRow(const char* what, const Timings& time, const Timings& floor, const char* target)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < time.walls.size(); ++i)
        ratios.push_back(time.walls[i] / floor.walls[i]);
    std::nth_element(ratios.begin(), ratios.begin() + long(ratios.size() / 2), ratios.end());
    std::printf("%s: %.3f s = %.2f x (processor %.3f s = %.2f x; median of the rounds %.2f x) %s\n",
                what, time.best.wall, time.best.wall / floor.best.wall, time.best.processor,
                time.best.processor / floor.best.processor, ratios[ratios.size() / 2], target);
}

// Every hundredth person renamed, every hundredth family a child more.
std::string changedFile(const std::string& text)
{
    std::istringstream in(text);
    std::string out, line, added;
    int person = 0, family = 0, next = 900000;
    bool rename = false;
    while (std::getline(in, line)) {
        if (line == "0 TRLR")
            out += added;
        if (line.starts_with("0 @I"))
            rename = ++person % 100 == 0;
        if (rename && line.starts_with("1 NAME Given")) {
            line.replace(7, 5, "Changed");
            rename = false;
        }
        out += line + '\n';
        if (line.starts_with("0 @F") && ++family % 100 == 0) {
            const std::string xref = 'I' + std::to_string(next++);
            const std::string f = line.substr(3, line.find('@', 3) - 3);
            out += "1 CHIL @" + xref + "@\n";
            added += "0 @" + xref + "@ INDI\n1 NAME New /Child/\n1 FAMC @" + f + "@\n";
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    const bool withBook = !(argc > 1 && std::string_view(argv[1]) == "--chart");
    const bool filesOnly = argc > 2 && std::string_view(argv[1]) == "--files";
    std::string folder = filesOnly
                             ? std::string(argv[2])
                             : (fs::temp_directory_path() / "stirpa-update-bench-XXXXXX").string();
    if (filesOnly ? !fs::create_directories(folder) : !::mkdtemp(folder.data())) {
        std::fprintf(stderr, "cannot make a new folder %s\n", folder.c_str());
        return 1;
    }
    const std::string gedcom = folder + "/family.ged", changed = folder + "/changed.ged";
    const std::string chart = folder + "/family.txt", out = folder + "/out.txt";
    const std::string book = folder + "/book/family.txt", bookOut = folder + "/out/family.txt";
    fs::create_directories(folder + "/book");
    fs::create_directories(folder + "/out");
    std::vector<std::string> bookFiles;
    const std::string text = generateDescendants({50, 4, 5, persons, 1, false}).text;
    std::ofstream(gedcom) << text;
    std::ofstream(changed) << changedFile(text);
    {
        const GedcomLoad load = readGedcomFile(gedcom);
        ImportOptions options;
        options.layout.generations = maxGenerations;
        const ChartImport imported = importChart(load.data, options, "family", gedcom);
        if (!imported || !saveChartFile(chart, imported.chart)) {
            std::fputs("cannot make the chart\n", stderr);
            return 1;
        }
        std::printf("chart: %zu boxes\n", imported.chart.tree().size());
        if (filesOnly)
            return 0;
        options.bookColumns = 100;
        const BookImport made =
            withBook ? saveBook(load.data, options, book, gedcom) : BookImport();
        if (withBook && !made) {
            std::fprintf(stderr, "cannot make the book: %s\n", made.message().c_str());
            return 1;
        }
        bookFiles = made.written;
        if (withBook)
            std::printf("book: %zu charts, %zu boxes\n", bookFiles.size(), made.boxes);
    }
    std::ostringstream report, errors;
    const auto update = [&](const std::string& file, const std::string& to) {
        report.str("");
        if (updateGedcomCommand({chart, file, to}, {report, errors}) != 0) {
            std::fputs(errors.str().c_str(), stderr);
            std::exit(1);
        }
    };
    Timings load, loadSave, changedUpdate, unchangedUpdate, bookLoadSave, bookUpdate;
    std::string changedReport;
    std::size_t bookCharts = 0;
    for (int round = 0; round < 9; ++round) {
        timeRun(load, [&] { readChartFile(chart, TreeSettings()); });
        timeRun(loadSave, [&] {
            const ChartLoad read = readChartFile(chart, TreeSettings());
            saveChartFile(out, read.chart);
        });
        timeRun(changedUpdate, [&] { update(changed, out); });
        changedReport = report.str();
        // In place, as a user brings a chart up to date.
        timeRun(unchangedUpdate, [&] { update(gedcom, chart); });
        if (!withBook)
            continue;
        timeRun(bookLoadSave, [&] {
            AtomicFileSet files;
            for (const std::string& file : bookFiles) {
                const ChartLoad read = readChartFile(file, TreeSettings());
                saveChartFile(files, folder + "/out/" + fs::path(file).filename().string(),
                              read.chart);
            }
            files.commit();
        });
        timeRun(bookUpdate, [&] {
            const FamilyUpdate updated = updateChartFile(book, changed, currentDate());
            if (!updated || !saveUpdate(updated, bookOut)) {
                std::fprintf(stderr, "book update failed: %s\n", updated.message().c_str());
                std::exit(1);
            }
            bookCharts = updated.charts.size();
        });
    }
    std::printf("load %.3f s (processor %.3f s), load and save %.3f s (processor %.3f s)\n",
                load.best.wall, load.best.processor, loadSave.best.wall, loadSave.best.processor);
    printRow("update, 1 % changed and 1 % added", changedUpdate, loadSave,
             "load and save (target 3, and 2 s)");
    printRow("update, unchanged file", unchangedUpdate, load, "load (target 1.5)");
    if (withBook) {
        std::printf("book of %zu charts after the update\n", bookCharts);
        printRow("book update, 1 % changed and 1 % added", bookUpdate, bookLoadSave,
                 "loading and saving the book (target 3)");
    }
    std::printf("report of the changed file begins:\n%.300s\n", changedReport.c_str());
    fs::remove_all(folder);
    return 0;
}
