// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chart.h"

#include <ostream>

// The Log tree dump: "\nTree: " and the name, one describe line per box, and
// "  Extent: " with the cached extent; the stream is flushed once, at the end.
void dumpTree(std::ostream& out, const Chart& chart);
