// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "model/chart.h"

#include <ostream>
#include <string>

class AtomicFileSet;

// Writes a chart in the format the reader accepts: the header line, then one
// line per box in list order; a linked chart's family file and records in the
// fields the reader's plain reading passes over.
void writeChart(std::ostream& out, const Chart& chart);

// Saves atomically: the chart goes to a temporary file in the same folder, which
// replaces the old file only when it was written completely. On failure the old
// file is untouched. The family file's path is stored relative to the chart.
Result saveChartFile(const std::string& path, const Chart& chart);
// The same as one of a set of files saved together: the chart is in place once
// the set is committed (see AtomicFileSet).
Result saveChartFile(AtomicFileSet& files, const std::string& path, const Chart& chart);
