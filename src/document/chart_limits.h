// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Values a chart file may carry; anything outside is an invalid record, so no
// later pixel arithmetic can overflow.
namespace chartLimits {
inline constexpr int minCell = -10000;
inline constexpr int maxCell = 100000;
inline constexpr int maxLink = 100000;
// A description longer than this (16 MiB) is refused rather than padded.
inline constexpr long maxTextLength = 16L << 20;
// Blanks added, all lines of a file together, to descriptions that run past the
// end of their line. Without a bound a file of a few kilobytes could ask for
// gigabytes.
inline constexpr long maxPaddingPerFile = 16L << 20;
} // namespace chartLimits
