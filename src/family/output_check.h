// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <string>
#include <vector>

// Checks made before a command writes, so that nothing of the user's is lost by
// a slip of an argument. No command replaces one of its inputs (by any name:
// hard and symbolic links, /proc/self/fd/N) or a GEDCOM file; each refusal is
// CannotWrite and names the file.

// For a chart's output: refuses, unless replace is set, an existing file that
// is no chart either. A missing or empty file may be written.
Result checkChartOutput(const std::string& out, const std::vector<std::string>& inputs,
                        bool replace);

// For an export's or a render's output: refuses a chart too (with or without
// its header line, typed in any form the reader takes). An earlier export is
// replaced.
Result checkExportOutput(const std::string& out, const std::vector<std::string>& inputs);
