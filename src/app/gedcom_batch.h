// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/batch.h"

// stirpa --import-gedcom FILE OUT [--root XREF] [--descendants N | --ancestors N]:
// lays out the root's family (default the file's first person, four generations
// of descendants) and saves the chart to OUT. Exit status 1, with OUT untouched,
// when the file cannot be read or the root is unknown; 2 for a wrong call.
int importGedcomCommand(const std::vector<std::string>& args, BatchStreams streams);
