// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command/batch.h"

// stirpa --update-gedcom CHART FILE.ged OUT: brings the linked CHART up to date
// with the family file and saves it to OUT (which may be CHART), printing what
// changed. Exit status 1, nothing written, when the chart or the file cannot
// be read or the chart is not linked.
int updateGedcomCommand(const std::vector<std::string>& args, BatchStreams streams);

// stirpa --link-gedcom CHART FILE.ged OUT [--root ID] [--descendants N |
// --ancestors N]: links the chart's boxes to the file's persons by name and
// birth year and saves it to OUT, printing how many were linked and listing
// the others. Exit status 1, nothing written, when the chart or the file
// cannot be read or no box names a person; 2 for a wrong call.
int linkGedcomCommand(const std::vector<std::string>& args, BatchStreams streams);

// The link and update commands for the option table.
std::vector<BatchOption> familyLinkOptions();
