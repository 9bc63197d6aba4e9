// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_checks.h"

#include "model/description_lines.h"
#include "recording_draw_context.h"

#include <QtTest>

#include <algorithm>
#include <set>

std::string nameLine(const Person& box)
{
    const std::vector<std::string_view> lines = descriptionLines(box.text);
    if (lines.empty())
        return {};
    std::string name(lines[0]);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

int columnCount(const Chart& chart)
{
    int last = -1;
    chart.tree().forEachPerson([&](const Person* box) { last = std::max(last, box->column()); });
    return last + 1;
}

void checkCellsApart(const Chart& chart)
{
    std::set<std::pair<int, int>> cells;
    chart.tree().forEachPerson([&](const Person* box) {
        QVERIFY(box->column() >= 0 && box->level() >= 0);
        QVERIFY2(cells.emplace(box->column(), box->level()).second,
                 qPrintable(QStringLiteral("two boxes at column %1, level %2")
                                .arg(box->column())
                                .arg(box->level())));
    });
}

void checkContinuationsJoined(const Chart& chart)
{
    const TreeSettings& s = chart.settings();
    chart.tree().forEachPerson([&](const Person* box) {
        if (box->kind() != BoxKind::Continuation)
            return;
        const Rect person =
            s.boxRect({box->column(), box->level() + (box->direction() == 2 ? -1 : 1)});
        RecordingDrawContext dc;
        box->draw(dc, s, false);
        QVERIFY2(std::any_of(dc.steps.begin(), dc.steps.end(),
                             [&](const auto& line) {
                                 return line.kind == RecordingDrawContext::Line &&
                                        line.from.x > person.left && line.from.x < person.right &&
                                        std::min(line.from.y, line.to.y) <= person.bottom &&
                                        std::max(line.from.y, line.to.y) >= person.top;
                             }),
                 box->text.c_str());
    });
}

void checkFindParent(const Chart& chart, Cell root, const GeneratedFamilies& families)
{
    const Tree& tree = chart.tree();
    std::set<std::string> named;
    tree.forEachPerson([&](const Person* box) {
        if (box->kind() == BoxKind::Person)
            named.insert(nameLine(*box));
    });
    auto isParent = [&](const std::string& child, const std::string& parent) {
        const std::vector<std::string>& parents = families.parentsOf.at(child);
        return std::find(parents.begin(), parents.end(), parent) != parents.end();
    };
    int checked = 0;
    tree.forEachPerson([&](const Person* box) {
        const std::string name = nameLine(*box);
        if (box->kind() != BoxKind::Person || families.inLaws.count(name))
            return;
        const Person* parent = tree.findParent(box);
        const std::string found = parent ? nameLine(*parent) : "(none)";
        bool parentShown = false;
        for (const std::string& p : families.parentsOf.at(name))
            parentShown = parentShown || named.count(p);
        if (parentShown && box->cell() != root) {
            QVERIFY2(isParent(name, found),
                     qPrintable(QString::fromStdString(name + " finds " + found)));
            ++checked;
        }
    });
    QVERIFY(checked > 0);
}
