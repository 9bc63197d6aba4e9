// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "chartfile/line_reader.h"
#include "model/chart.h"
#include "model/tree_settings.h"

#include <string>
#include <string_view>

// The outcome of reading a chart file. On success it holds the new chart (whose
// last box in list order is the last one read); on failure the caller keeps
// what it had.
struct ChartLoad : Outcome {
    using Outcome::Outcome;

    Chart chart;
    // For InvalidRecord: the offending line (its number is Result::line).
    std::string lineText;
};

// Opens a chart file, logging "Infile <path> opened" or "... cannot open", and
// reads it. A file without a header line takes the settings given. The chart is
// named after the file, or as given (a copy read for another file).
ChartLoad readChartFile(const std::string& path, const TreeSettings& defaults);
ChartLoad readChartFile(const std::string& path, const TreeSettings& defaults,
                        const std::string& treeName);

// The family link in the header line of the chart file at path, read without
// the rest of the file: a hint to act on before the chart is read. None when the
// file cannot be read or its first 64 KiB hold no header line.
FamilyLink peekFamilyLink(const std::string& path);

// Whether the file at path begins as a chart file does: with a header line or
// a box line, after any blank lines. An empty file is none.
bool isChartFile(const std::string& path);

// Whether the reader may open the file at path as a chart: its first line that
// is not blank is a header line or a box line in any form the reader takes.
bool mayBeChartFile(const std::string& path);

// Reads chart lines from an open reader into a chart of the given name.
ChartLoad readChart(LineReader& reader, const std::string& treeName, const TreeSettings& defaults);

// The name a chart takes from its path: the file name without its extension.
std::string treeNameOf(std::string_view path);
