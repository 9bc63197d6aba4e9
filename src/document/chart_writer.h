// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tree.h"
#include "tree_settings.h"

#include <ostream>
#include <string>

// Writes a chart in the format the reader accepts: the header line, then one
// line per box in list order.
void writeChart(std::ostream& out, const Tree& tree, const TreeSettings& settings);

// The result of saving a file.
struct SaveResult {
    bool ok = true;
    std::string message; // what went wrong, for the user

    explicit operator bool() const { return ok; }
};

// Saves atomically: the chart goes to a temporary file in the same folder, which
// replaces the old file only when it was written completely. On failure the old
// file is untouched.
SaveResult saveChartFile(const std::string& path, const Tree& tree, const TreeSettings& settings);
