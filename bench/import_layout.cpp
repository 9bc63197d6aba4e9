// SPDX-License-Identifier: GPL-3.0-or-later
// The shape of imported charts: for the descendants of a few founders and the
// ancestors of a few of the youngest persons of a generated 3,000-person
// village, the grid's columns and levels, the picture's width, height and aspect
// ratio, the box size, and the share of the picture the boxes cover. With a
// file name, the village is also written there as a GEDCOM file.
#include "gedcom_generator.h"

#include "layout/chart_import.h"
#include "gedcom/gedcom_reader.h"

#include <cstdio>
#include <fstream>
#include <set>

namespace {

void printRow(const char* kind, int person, const ChartImport& imported)
{
    const Chart& chart = imported.chart;
    const TreeSettings& s = chart.settings();
    std::set<int> columns, levels;
    double boxArea = 0;
    chart.tree().forEachPerson([&](const Person* box) {
        columns.insert(box->column());
        levels.insert(box->level());
        const double side = box->kind() == BoxKind::Person ? 1.0 : continuationScale;
        boxArea += side * s.boxWidth * side * s.boxHeight;
    });
    const int columnCount = *columns.rbegin() + 1, levelCount = *levels.rbegin() + 1;
    const long width = long(columnCount) * s.pitchX() - gapX;
    const long height = long(levelCount) * s.pitchY() - gapY;
    std::printf(
        "| %-11s | I%-5d | %5zu | %7d | %6d | %8ld x %-6ld | %8.1f | %4d x %-3d | %5.1f %% |\n",
        kind, person + 1, chart.tree().size(), columnCount, levelCount, width, height,
        double(width) / double(height), s.boxWidth, s.boxHeight,
        100.0 * boxArea / (double(width) * double(height)));
}

} // namespace

int main(int argc, char* argv[])
{
    const GeneratedFamilies village = generateVillage({11, 4, 3000, 4});
    if (argc > 1 && !(std::ofstream(argv[1]) << village.text)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    const GedcomLoad load = readGedcom(village.text);
    if (!load) {
        std::fprintf(stderr, "%s\n", load.message().c_str());
        return 1;
    }
    const GedcomData& data = load.data;
    std::printf("%d persons, %zu families\n\n", village.persons, data.families.size());
    std::printf("| chart       | person | boxes | columns | levels | pixels            | aspect   "
                "| box        | covered |\n");
    std::printf("|-------------|--------|------:|--------:|-------:|-------------------|---------:"
                "|------------|--------:|\n");
    ImportOptions options;
    options.layout.generations = maxGenerations;
    for (const int founder : {0, 2, 4}) {
        options.layout.root = founder;
        options.layout.kind = LayoutKind::Descendants;
        printRow("descendants", founder, importChart(data, options, "village"));
    }
    int shown = 0;
    for (int p = int(data.persons.size()) - 1; p >= 0 && shown < 3; p -= 97) {
        if (data.persons[std::size_t(p)].childOf.empty())
            continue;
        options.layout.root = p;
        options.layout.kind = LayoutKind::Ancestors;
        printRow("ancestors", p, importChart(data, options, "village"));
        ++shown;
    }
    return 0;
}
