// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tree.h"

#include <memory>

// A made-up chart of about `boxes` boxes for timing: a grid twice as wide as it is
// deep with a few empty cells, three- and four-line descriptions, connectors,
// some lineage marks and one continuation box in twenty. The same seed gives the
// same chart.
std::unique_ptr<Tree> generateChart(int boxes, unsigned seed = 1);
