// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"
#include "model/direction.h"
#include "model/family_link.h"
#include "model/geometry.h"

#include <functional>
#include <vector>

struct LayoutRequest {
    int root = 0; // a person index
    LayoutKind kind = LayoutKind::Descendants;
    int generations = 4;         // the root's own counts: 1 is the root alone
    int ancestorGenerations = 4; // of an hourglass, the upper half's; generations, the lower's
};

inline constexpr int maxGenerations = 50;

// A box the layout places: a person; a "see" box standing for a person whose
// box is elsewhere in the chart; or a continuation box for a branch cut at the
// generation limit.
struct PlannedBox {
    int person = -1; // -1 for a see box or a continuation box
    Cell cell;
    int rightTo = -1;  // the column of the box its right connector reaches; -1: none
    bool down = false; // a down connector to the box right below
    Direction direction = Direction::None; // of a continuation box: up or down
    int beyond = 0;                        // of a continuation box: the children or parents cut off
    int sees = -1;                         // of a see box: the person whose box is elsewhere
};

// Places the root's descendants or ancestors on the grid, the root first, so
// that Find parent leads from each child box to the parent it was placed under.
// Each person has one box; a person met again (a cycle, a marriage between
// relatives) gets a see box instead, and their branch is laid out once.
// Descendants: each person in the leftmost column of their block, spouses to the
// right, children on the next level, the first right below. Ancestors: the root
// on the bottom level, the first parent right above, the other one to the right
// of the first one's ancestors. Each block of a family is packed as close to
// the block on its left as the boxes on every level it shares with it allow.
// An ancestor met along several lines has their own box on the shortest one;
// at the generation limit, parents whose box stands in the chart get see boxes
// rather than a continuation box.
// Levels count from 0 at the top. Time and memory grow with the boxes times
// the generations.
// boxedElsewhere, when given, names persons whose own box stands in another
// chart (of a book): they get see boxes, as persons met again do.
std::vector<PlannedBox> planDescendants(const GedcomData& data, const LayoutRequest& request,
                                        const std::function<bool(int person)>& boxedElsewhere = {});
std::vector<PlannedBox> planAncestors(const GedcomData& data, const LayoutRequest& request,
                                      const std::function<bool(int person)>& boxedElsewhere = {});

// The parents an ancestors chart shows of a person: those of the first family
// that names any.
std::vector<int> shownParents(const GedcomData& data, int person);
// By person: the generations up from the root along the shortest line, for
// those within the limit; generations for everyone else.
std::vector<int> ancestorDepths(const GedcomData& data, int root, int generations);
