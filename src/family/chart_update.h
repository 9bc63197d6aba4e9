// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "family/level_rows.h"
#include "family/update_report.h"
#include "layout/chart_import.h"
#include "layout/family_layout.h"
#include "model/chart.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A box an import of the family file would make: as planned, its text, whether
// it stands above its plan's root (an ancestor's side), and the person it cuts
// when it is a continuation box (-1 for other boxes).
struct TargetBox {
    PlannedBox planned;
    std::string text;
    bool upward = false;
    int cut = -1;
};

// What an import of the family file would make of a chart now: its boxes (of
// one plan or several appended), and the persons whose own box is in another
// chart of the chart's book (by person; none for a chart alone). The
// description options and the living persons describe a box the plan does not
// hold.
struct ChartTarget {
    DescriptionOptions description;
    std::vector<bool> living;
    std::vector<TargetBox> boxes;
    std::optional<std::reference_wrapper<const std::vector<bool>>> elsewhere;

    // Appends another plan (a book's branch merged into this chart's).
    void append(std::vector<PlannedBox> morePlan, std::vector<std::string> moreTexts);
};

// A continuation box by the person whose branch it cuts and its direction, as
// a key: one cut has one box.
inline std::uint64_t cutKey(int person, Direction direction)
{
    return std::uint64_t(std::uint32_t(person)) << 8 | std::uint32_t(directionNumber(direction));
}

// The target of a chart the options import alone.
ChartTarget chartTarget(const GedcomData& data, const ImportOptions& options);

// What an update reads of a chart as it stands: Find parent's answer for every
// box (by list order) and the rows of its levels. Made beforehand where there
// is time, as while the family file is read.
struct ChartTables {
    std::vector<int> parents;
    std::optional<LevelRows> rows;
};
ChartTables chartTables(const Tree& tree);

struct ChartUpdate : Outcome {
    using Outcome::Outcome;

    ChartUpdateReport report;
};

// Brings a linked chart to the target: texts the user has not changed are
// rewritten with the import's, new persons get boxes beside their relatives
// (opening columns or levels where no free cell keeps Find parent right; above
// a child on an ancestor's side, else below a parent or beside a partner), and
// boxes whose person left or changed parents are listed where they stand.
// Nothing is deleted and no box is moved but by an opened line.
ChartUpdateReport updateChart(Chart& chart, const GedcomData& data, ChartTarget target);

// The failure of an update asked of a chart without a family link.
Result notLinked();
// Fails, naming the link's root, when the file lacks that person (root is -1)
// or holds them more than once.
Result checkRoot(const GedcomData& data, int root, const FamilyLink& link);

// The same for a chart alone, its target from its link; its tables when made
// beforehand. Fails, changing nothing, for a chart without a link or a file
// without its root.
ChartUpdate updateChart(Chart& chart, const GedcomData& data, const CalendarDate& today,
                        std::optional<ChartTables> tables = std::nullopt);
