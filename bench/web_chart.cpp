// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated chart of N boxes, for the web page benchmark.
//
// Usage: web_chart BOXES CHART.txt
#include "chart_generator.h"
#include "chartfile/chart_writer.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int boxes = argc == 3 ? std::atoi(argv[1]) : 0;
    if (boxes <= 0) {
        std::fprintf(stderr, "usage: web_chart BOXES CHART.txt\n");
        return 2;
    }
    if (const Result saved = saveChartFile(argv[2], generateChart(boxes)); !saved) {
        std::fprintf(stderr, "%s\n", saved.message().c_str());
        return 1;
    }
    return 0;
}
