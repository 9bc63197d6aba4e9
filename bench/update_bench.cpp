// SPDX-License-Identifier: GPL-3.0-or-later
// --update-gedcom of a 100,000-person chart, held against loading and saving
// that chart: once from a file with 1 % of the persons renamed and 1 % more
// children, once from the unchanged file. The runs take turns, seven rounds,
// so that a machine shared with other work slows each kind alike; prints the
// best of each kind, in wall time and in processor time.
#include "gedcom_generator.h"

#include "app/update_batch.h"
#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "gedcom/family_link_options.h"
#include "gedcom/gedcom_chart.h"
#include "gedcom/gedcom_reader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr int persons = 100000;

struct Seconds {
    double wall = 1e9;
    double processor = 1e9;
};

double processorSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void timeRun(Seconds& best, const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    const double processorStart = processorSeconds();
    run();
    best.processor = std::min(best.processor, processorSeconds() - processorStart);
    best.wall = std::min(
        best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

void printRow(const char* what, Seconds time, Seconds floor, const char* target)
{
    std::printf("%s: %.3f s = %.2f x (processor %.3f s = %.2f x) %s\n", what, time.wall,
                time.wall / floor.wall, time.processor, time.processor / floor.processor, target);
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
            const std::string xref = "I" + std::to_string(next++);
            const std::string f = line.substr(3, line.find('@', 3) - 3);
            out += "1 CHIL @" + xref + "@\n";
            added += "0 @" + xref + "@ INDI\n1 NAME New /Child/\n1 FAMC @" + f + "@\n";
        }
    }
    return out;
}

} // namespace

int main()
{
    std::string folder = (fs::temp_directory_path() / "stirpa-update-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string gedcom = folder + "/family.ged", changed = folder + "/changed.ged";
    const std::string chart = folder + "/family.txt", out = folder + "/out.txt";
    const std::string text = generateDescendants({50, 4, 5, persons, 1, false}).text;
    std::ofstream(gedcom) << text;
    std::ofstream(changed) << changedFile(text);
    {
        const GedcomLoad load = readGedcomFile(gedcom);
        ImportOptions options;
        options.layout.generations = maxGenerations;
        ChartImport imported = importChart(load.data, options, "family");
        imported.chart.setFamilyLink(familyLinkFor(load.data, options, gedcom));
        if (!imported || !saveChartFile(chart, imported.chart)) {
            std::fputs("cannot make the chart\n", stderr);
            return 1;
        }
        std::printf("chart: %zu boxes\n", imported.chart.tree().size());
    }
    std::ostringstream report, errors;
    const auto update = [&](const std::string& file, const std::string& to) {
        report.str("");
        if (updateGedcomCommand({chart, file, to}, {report, errors}) != 0) {
            std::fputs(errors.str().c_str(), stderr);
            std::exit(1);
        }
    };
    Seconds load, loadSave, changedUpdate, unchangedUpdate;
    std::string changedReport;
    for (int round = 0; round < 7; ++round) {
        timeRun(load, [&] { readChartFile(chart, TreeSettings()); });
        timeRun(loadSave, [&] {
            const ChartLoad read = readChartFile(chart, TreeSettings());
            saveChartFile(out, read.chart);
        });
        timeRun(changedUpdate, [&] { update(changed, out); });
        changedReport = report.str();
        // In place, as a user brings a chart up to date.
        timeRun(unchangedUpdate, [&] { update(gedcom, chart); });
    }
    std::printf("load %.3f s (processor %.3f s), load and save %.3f s (processor %.3f s)\n",
                load.wall, load.processor, loadSave.wall, loadSave.processor);
    printRow("update, 1 % changed and 1 % added", changedUpdate, loadSave,
             "load and save (target 3, and 2 s)");
    printRow("update, unchanged file", unchangedUpdate, load, "load (target 1.5)");
    std::printf("report of the changed file begins:\n%.300s\n", changedReport.c_str());
    fs::remove_all(folder);
    return 0;
}
