// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chartfile/result.h"
#include "helpmod/mem_file.h"
#include "helpmod/stirpa_string.h"
#include "model/chart.h"
#include "model/tree_settings.h"

#include <string>

// The outcome of reading a chart file. On success it holds the new chart, its
// last box selected; on failure the caller keeps what it had.
struct ChartLoad : Result {
    Chart chart;
    // For InvalidRecord: the offending line (its number is Result::line).
    std::string lineText;
};

// Opens a chart file, logging "Infile <path> opened" or "... cannot open", and
// reads it. A file without a header line takes the settings given. The chart is
// named after the file, or as given (a copy read for another file).
ChartLoad readChartFile(const String& path, const TreeSettings& defaults);
ChartLoad readChartFile(const String& path, const TreeSettings& defaults, const String& treeName);

// Reads chart lines from an open reader into a chart of the given name.
ChartLoad readChart(memFile& reader, const String& treeName, const TreeSettings& defaults);

// The name a chart takes from its path: the file name without its extension.
String treeNameOf(const String& path);
