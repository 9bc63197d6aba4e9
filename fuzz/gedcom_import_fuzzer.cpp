// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a GEDCOM file: decoded whatever their character set, read, listed
// by name, and the default root's family laid out as a chart. Every text comes
// out as UTF-8 without a control character but tab and line ends (a box holds
// none at all), read in parts at once it reads as in one go, the list holds
// every person once, and the chart has a box for each planned one, no two in a
// cell, or says why it cannot be made.
#include "base/control_characters.h"
#include "family/chart_update.h"
#include "fuzz_checks.h"
#include "gedcom/gedcom_reader.h"
#include "gedcom/gedcom_text.h"
#include "layout/chart_import.h"
#include "layout/chart_kind.h"
#include "layout/root_person.h"
#include "model/text_codec.h"

#include <cstdint>
#include <set>
#include <utility>

namespace {

bool sameEvent(const GedcomEvent& a, const GedcomEvent& b)
{
    return a.date == b.date && a.place == b.place && a.recorded == b.recorded;
}

bool sameReading(const GedcomLoad& a, const GedcomLoad& b)
{
    if (a.status != b.status || a.line != b.line || a.data.home != b.data.home ||
        a.data.warnings != b.data.warnings || a.data.persons.size() != b.data.persons.size() ||
        a.data.families.size() != b.data.families.size())
        return false;
    for (std::size_t i = 0; i < a.data.persons.size(); ++i) {
        const GedcomPerson& p = a.data.persons[i];
        const GedcomPerson& q = b.data.persons[i];
        if (p.xref != q.xref || p.name != q.name || p.given != q.given || p.surname != q.surname ||
            p.sex != q.sex || !sameEvent(p.birth, q.birth) ||
            !sameEvent(p.christening, q.christening) || !sameEvent(p.death, q.death) ||
            !sameEvent(p.burial, q.burial) || p.childOf != q.childOf || p.spouseIn != q.spouseIn)
            return false;
    }
    for (std::size_t i = 0; i < a.data.families.size(); ++i) {
        const GedcomFamily& f = a.data.families[i];
        const GedcomFamily& g = b.data.families[i];
        if (f.xref != g.xref || f.husband != g.husband || f.wife != g.wife ||
            f.children != g.children || !sameEvent(f.marriage, g.marriage))
            return false;
    }
    return true;
}

void checkList(const GedcomData& data)
{
    const PersonFilter filter(data);
    const std::vector<int> everyone = filter.matching({});
    require(everyone.size() == data.persons.size(), "the list holds every person");
    for (std::size_t rank = 0; rank < everyone.size(); ++rank) {
        require(filter.rankOf(everyone[rank]) == rank, "each person has the place listed");
        require(isValidUtf8(filter.label(everyone[rank])), "the list shows UTF-8");
    }
    const std::string_view name = filter.name(everyone.front());
    const std::vector<int> named = personsNamed(data, filter, name);
    require(name.find_first_not_of(' ') == std::string_view::npos || !named.empty(),
            "a listed name finds a person");
}

void checkChart(const GedcomData& data, std::size_t size)
{
    ImportOptions options;
    options.layout.root = defaultRoot(data).person;
    require(options.layout.root >= 0 && std::size_t(options.layout.root) < data.persons.size(),
            "a file with persons has a default root");
    options.layout.generations = 1 + int(size % 5);
    options.layout.kind = LayoutKind(size % 3);
    options.layout.ancestorGenerations = 1 + int(size / 5 % 4);
    options.description.living = LivingPolicy(size % 3);
    options.description.marriages = size % 4 == 0;
    options.today = {2025, 6, 15};
    const std::size_t planned = chartKind(options.layout.kind).plan(data, options.layout).size();
    ChartImport imported = importChart(data, options, "fuzz", "/fuzz/family.ged");
    if (!imported) {
        require(imported.status == Result::TooLarge, "a chart fails only for its size");
        return;
    }
    const Tree& tree = imported.chart.tree();
    require(tree.size() == planned, "a box for each planned one");
    std::set<std::pair<int, int>> cells;
    tree.forEachPerson([&](const Person* box) {
        require(cells.insert({box->cell().column, box->cell().level}).second,
                "no two boxes in one cell");
        require(isValidUtf8(box->text), "every box in UTF-8");
        require(withControlsReplaced(box->text, {}) == box->text, "no control character in a box");
    });
    // Updated from the same family, the chart is the import's still.
    const ChartUpdate update = updateChart(imported.chart, data, options.today);
    require(update ? !update.report.changesChart() : data.xrefRepeated(options.layout.root),
            "an update from the same file changes nothing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    GedcomText text = decodeGedcom(std::string(reinterpret_cast<const char*>(bytes), size));
    require(isValidUtf8(text.utf8), "decoded text is UTF-8");
    require(withControlsReplaced(text.utf8, "\t\n\r") == text.utf8,
            "no control character but tab and line ends decoded");
    const GedcomLoad load = readGedcom(text.utf8, 1);
    require(sameReading(readGedcom(text.utf8, 3), load), "read in parts as in one go");
    if (!load || load.data.persons.empty())
        return 0;
    checkList(load.data);
    checkChart(load.data, size);
    return 0;
}
