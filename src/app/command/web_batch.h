// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command/batch.h"

// stirpa --export-web CHART OUT [--background]: publishes the chart as one
// self-contained web page, on white paper or, with --background, on the chart's
// own background colour. Exit status 1, with OUT untouched, when the chart
// cannot be read or the page cannot be written; 2 for a wrong call.
int exportWebCommand(const std::vector<std::string>& args, BatchStreams streams);
