// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"
#include "model/tree_settings.h"

// Values a chart file may carry; anything outside is an invalid record, so no
// later pixel arithmetic can overflow. Editing keeps within them too, or a saved
// chart could not be opened again.
namespace chartLimits {
inline constexpr int minCell = -10000;
inline constexpr int maxCell = 100000;
// Long enough for a connector fitted across every cell of the widest grid.
inline constexpr int maxLink = (maxCell - minCell + 1) * (TreeSettings::maxBoxSize + gapX);
static_assert(gapX == gapY);
// A file larger than this (1 GiB, some 20 million boxes) is no chart: it is
// refused before it is read, rather than filling the memory.
inline constexpr long long maxFileSize = 1LL << 30;
// A description longer than this (16 MiB) is refused rather than padded.
inline constexpr long maxTextLength = 16L << 20;
// Blanks added, all lines of a file together, to descriptions that run past the
// end of their line. Without a bound a file of a few kilobytes could ask for
// gigabytes.
inline constexpr long maxPaddingPerFile = 16L << 20;

constexpr bool cellInRange(long value) { return value >= minCell && value <= maxCell; }
constexpr bool contains(Cell cell) { return cellInRange(cell.column) && cellInRange(cell.level); }
} // namespace chartLimits
