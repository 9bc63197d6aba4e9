// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chart.h"

// A made-up chart of about `boxes` boxes for timing: a grid twice as wide as it is
// deep with a few empty cells, three- and four-line descriptions, connectors,
// some lineage marks and one continuation box in twenty. The same seed gives the
// same chart.
Chart generateChart(int boxes, unsigned seed = 1);

// Adds an ancestor line of `generations` levels at `column` and the one right of
// it, bottom level `bottom`: on each level a box joined rightward to a partner
// whose down connector reaches the level below. Returns the bottom box.
Person* addAncestorLine(Tree& tree, int column, int bottom, int generations);

// Adds a row at `level` of a box with both connectors at column 0 and the next
// box `columns` - 1 columns on. Returns the first box.
Person* addLongRow(Tree& tree, int level, int columns);
