// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <string>
#include <vector>

// Checks made before a command writes a chart, so that nothing of the user's
// is lost by a slip of an argument.

// The one of inputs that is the very file at out (by any name: hard and
// symbolic links too), or empty when none is.
std::string inputAt(const std::string& out, const std::vector<std::string>& inputs);

// Refuses (CannotWrite) a chart's output that is one of the command's inputs,
// or an existing file that is no chart (a family file, anything else) unless
// replace is set. A missing or empty file may be written.
Result checkChartOutput(const std::string& out, const std::vector<std::string>& inputs,
                        bool replace);
