// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"
#include "gedcom/record_parser.h"

#include <vector>

// Joins the parts read into data as if the file had been read in one go (the
// parts after the one with the trailer left out), then links persons and
// families both ways, finds the home person, puts each family's children in
// birth order and ends the warnings. The parts are used up.
void linkRecords(GedcomData& data, std::vector<RecordPart>& parts);
