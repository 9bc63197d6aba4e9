// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_writer.h"

#include "atomic_file.h"
#include "pair_text.h"

#include <sstream>

void writeChart(std::ostream& out, const Tree& tree, const TreeSettings& settings)
{
    out << "Stirpa " << writePair(settings.boxWidth, settings.boxHeight).c_str() << ' '
        << writePair(settings.htmlStartX, settings.htmlStartY).c_str() << ' '
        << settings.generationMode << settings.generationStart << ' ' << settings.smallFontLine
        << '\n';
    tree.forEachPerson([&out](const Person* box) {
        // A continuation box's second byte is its direction digit.
        if (box->kind() == 'p')
            out << 'p' << box->direction() << ' ';
        else
            out << "P ";
        out << writePair(box->column(), box->level()).c_str() << ' ' << box->text.length()
            << ':' << box->text.c_str() << ' '
            << writePair(box->rightLink(), box->downLink()).c_str() << ' ' << box->lineage << '\n';
    });
}

SaveResult saveChartFile(const std::string& path, const Tree& tree, const TreeSettings& settings)
{
    std::ostringstream text;
    writeChart(text, tree, settings);
    std::string error;
    if (!writeFileAtomically(path, std::move(text).str(), error))
        return {false, error};
    return {};
}
