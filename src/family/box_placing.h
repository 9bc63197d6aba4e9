// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "family/chart_update.h"

#include <cstdint>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

class LevelRows;

// How a new box joins the box it is placed by: below it, above it, or right of it.
enum class Joining : char { Child, Parent, Partner };

// Where an update's new boxes go: each new person of the target beside a
// relative already in the chart, and each continuation box the target has at
// a cut the chart lacks beside the person it cuts, a round at a time (a box
// whose relatives are all new waits for a later round).
class BoxPlacer {
public:
    BoxPlacer(Chart& chart, const GedcomData& data, const ChartTarget& target);

    // Notes a linked box of the person as it stands before the update.
    void noteBox(int person, Person* box);
    // Notes a linked continuation box, cutting the person's branch toward the direction.
    void noteCut(int person, Direction direction);
    // Places the target's persons who have no box yet, and the continuation
    // boxes their cuts lack; rows, when given, are those of the chart as it is now.
    void addPersons(std::optional<LevelRows> rows, ChartUpdateReport& report);

private:
    struct Round;

    // Places the pending entries that have a relative with a box; returns the others.
    std::vector<std::size_t> placeRound(const std::vector<std::size_t>& pending,
                                        const LevelRows& rows, ChartUpdateReport& report);
    std::vector<std::size_t> groupByAnchor(const std::vector<std::size_t>& pending,
                                           Round& round) const;
    const Person* partnerToJoin(Round& round, const Person* anchor, Joining joining) const;
    void placeBesidePartner(Round& round, const Person* partner,
                            const std::vector<std::size_t>& entries) const;
    bool placeAfterChildren(Round& round, const Person* parent,
                            const std::vector<std::size_t>& entries) const;
    void placeAboveOrBelow(Round& round, const Person* anchor, bool child,
                           const std::vector<std::size_t>& entries) const;
    void openLines(const Round& round);
    void addBoxes(const Round& round, ChartUpdateReport& report);
    std::pair<Person*, Joining> placeOf(std::size_t entry) const;
    Person* makeBox(std::size_t entry, Cell cell, ChartUpdateReport& report);
    Person* anchorOf(int person) const { return anchor_[std::size_t(person)]; }
    // Where a new child of the person goes: a parent's box, the one with
    // children below it first, else the one the layout gives the children.
    Person* parentBoxOf(int person) const;
    Person* partnerBoxOf(int person) const;
    Person* childBoxOf(int person) const;
    int personOf(const Person* box) const;
    bool boxedByXref(int person) const;
    void reportUnplaced(std::size_t entry, ChartUpdateReport& report) const;

    Chart& chart_;
    Tree& tree_;
    const GedcomData& data_;
    const ChartTarget& target_;
    // Each person's box to place relatives next to: the one with a down
    // connector where there are several.
    std::vector<Person*> anchor_;
    std::vector<bool> downPlanned_;          // persons the layout gives a down connector
    std::unordered_set<std::uint64_t> cuts_; // continuation boxes by cutKey
};
