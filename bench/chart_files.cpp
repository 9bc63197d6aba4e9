// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated chart of N boxes, and the same picture for Graphviz: every
// box a node pinned at its place and size (neato -n2), with its lines as the
// label and its connectors as edges, so both programs draw the same thing.
//
// Usage: chart_files BOXES CHART.txt CHART.dot
#include "chart_generator.h"
#include "chartfile/chart_writer.h"
#include "model/description_lines.h"
#include "model/text_codec.h"
#include "model/tree_settings.h"
#include "render/chart_painter.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace {

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

void writeDot(std::ostream& out, const Chart& chart)
{
    const TreeSettings& s = chart.settings();
    const int height = chart.tree().drawnSize().height;
    // One chart pixel is one point, drawn at 72 dpi: the picture has the chart's size.
    out << "digraph chart {\ngraph [dpi=72 bgcolor=\"#aaaaff\" splines=line]\n"
           "node [shape=box style=\"rounded,filled\" fillcolor=\"#ffffaa\" color=\"#000055\" "
           "fontname=Arial fontsize=12 fixedsize=true]\n"
           "edge [arrowhead=none color=\"#000055\"]\n";
    std::map<std::pair<int, int>, int> nodeAt;
    int id = 0;
    chart.tree().forEachPerson([&](const Person* box) {
        const Point corner = s.cellOrigin(box->cell());
        std::string label;
        for (std::string_view line : descriptionLines(box->text))
            label += escaped(displayText(line)) + "\\n";
        out << "n" << id << " [pos=\"" << corner.x + s.boxWidth / 2.0 << ","
            << height - corner.y - s.boxHeight / 2.0 << "\" width=" << s.boxWidth / 72.0
            << " height=" << s.boxHeight / 72.0 << " label=\"" << label << "\"]\n";
        nodeAt[{box->cell().column, box->cell().level}] = id++;
    });
    chart.tree().forEachPerson([&](const Person* box) {
        const Cell cell = box->cell();
        const int from = nodeAt[{cell.column, cell.level}];
        const auto edgeTo = [&](Cell to, Point end) {
            const auto found = nodeAt.find({to.column, to.level});
            if (found != nodeAt.end()) {
                out << "n" << from << " -> n" << found->second << "\n";
                return;
            }
            const int point = id++;
            out << "p" << point << " [shape=point width=0 pos=\"" << end.x << "," << height - end.y
                << "\"]\nn" << from << " -> p" << point << "\n";
        };
        const Point corner = s.cellOrigin(cell);
        if (box->rightLink() != 0)
            edgeTo({cell.column + 1, cell.level},
                   {corner.x + s.boxWidth + box->rightLink(), corner.y + s.boxHeight / 2});
        if (box->downLink() != 0)
            edgeTo({cell.column, cell.level + 1},
                   {corner.x + s.boxWidth / 2, corner.y + s.boxHeight + box->downLink()});
    });
    out << "}\n";
}

} // namespace

int main(int argc, char** argv)
{
    const int boxes = argc == 4 ? std::atoi(argv[1]) : 0;
    if (boxes <= 0) {
        std::fprintf(stderr, "usage: chart_files BOXES CHART.txt CHART.dot\n");
        return 2;
    }
    const Chart chart = generateChart(boxes);
    if (const Result saved = saveChartFile(argv[2], chart); !saved) {
        std::fprintf(stderr, "%s\n", saved.message().c_str());
        return 1;
    }
    std::ofstream dot(argv[3], std::ios::binary);
    writeDot(dot, chart);
    return dot.good() ? 0 : 1;
}
