// SPDX-License-Identifier: GPL-3.0-or-later
#include "poster/poster_title.h"

#include "model/chart.h"
#include "model/description_lines.h"
#include "model/text_codec.h"

#include <filesystem>

namespace {

bool earlierInReading(const Person* a, const Person* b)
{
    return a->level() != b->level() ? a->level() < b->level() : a->column() < b->column();
}

} // namespace

const Person* chartRoot(const Chart& chart)
{
    const Tree& tree = chart.tree();
    const std::string& rootXref = chart.familyLink().root;
    const Person* linkedRoot = nullptr;
    const Person* topLeft = nullptr;
    tree.forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Person)
            return;
        if (!topLeft || earlierInReading(box, topLeft))
            topLeft = box;
        const RecordLink* record = tree.records().find(box);
        if (!linkedRoot && record && !rootXref.empty() && record->xref == rootXref)
            linkedRoot = box;
    });
    return linkedRoot ? linkedRoot : topLeft;
}

std::string posterTitle(const Chart& chart)
{
    std::string name;
    if (const Person* root = chartRoot(chart)) {
        const std::vector<std::string_view> lines = descriptionLines(root->text);
        if (!lines.empty())
            name = displayText(lines.front());
    }
    const FamilyLink& link = chart.familyLink();
    const std::string source =
        link.linked() ? displayText(std::filesystem::path(link.path).filename().string())
                      : displayText(chart.tree().name());
    if (name.empty() || source.empty())
        return name.empty() ? source : name;
    return name + " \xE2\x80\x94 " + source; // an em dash
}
