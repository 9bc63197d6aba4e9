// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/chart_update.h"

#include <optional>
#include <vector>

class LevelRows;

// Where an update's new boxes go: each new person of the target beside a
// relative already in the chart, a round at a time (a person whose relatives
// are all new waits for a later round).
class BoxPlacer {
public:
    BoxPlacer(Chart& chart, const GedcomData& data, const ChartTarget& target);

    // Notes a linked box of the person as it stands before the update.
    void noteBox(int person, Person* box);
    // Places the target's persons who have no box yet; rows, when given, are
    // those of the chart as it is now.
    void addPersons(std::optional<LevelRows> rows, ChartUpdateReport& report);

private:
    struct Round;
    std::vector<int> placeRound(const std::vector<int>& pending, const LevelRows& rows,
                                ChartUpdateReport& report);
    Person* anchorOf(int person) const { return anchor_[std::size_t(person)]; }
    // Where a new child of the person goes: a parent's box, the one with
    // children below it first, else the one the layout gives the children.
    Person* parentBoxOf(int person) const;
    Person* partnerBoxOf(int person) const;
    Person* childBoxOf(int person) const;
    int personOf(const Person* box) const;
    void reportUnplaced(int person, ChartUpdateReport& report) const;

    Chart& chart_;
    Tree& tree_;
    const GedcomData& data_;
    const ChartTarget& target_;
    // Each person's box to place relatives next to: the one with a down
    // connector where there are several.
    std::vector<Person*> anchor_;
    std::vector<bool> downPlanned_; // persons the layout gives a down connector
    std::vector<int> planned_;      // by person: the first box of theirs in the plan, or -1
};
