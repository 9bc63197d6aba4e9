// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <string>
#include <vector>

// Refuses (CannotWrite) an export's or a render's output that is one of the
// command's inputs, a Stirpa chart or a GEDCOM file: an earlier export is
// replaced, a file of the user's work never.
Result checkExportOutput(const std::string& out, const std::vector<std::string>& inputs);
