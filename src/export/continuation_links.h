// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "model/chart.h"

#include <string>
#include <string_view>
#include <vector>

// One line for each continuation box of the chart whose linked page (see
// continuationTarget) is not in the folder, in the chart's order: the links
// that would lead nowhere once the folder is published.
std::vector<Result> deadContinuationLinks(const Chart& chart, std::string_view pageName,
                                          const std::string& folder);
