// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom_generator.h"

#include "model/chart.h"

#include <string>

// A box's first line without the blank before the line break: a generated
// person's name, or what a continuation box names.
std::string nameLine(const Person& box);

// The chart's number of columns, from 0 to the rightmost box's.
int columnCount(const Chart& chart);

// Fails the running test where two boxes share a cell or one lies off the grid.
void checkCellsApart(const Chart& chart);

// Fails the running test where a continuation box's connector, as drawn,
// does not reach the box of the person right above or below it.
void checkContinuationsJoined(const Chart& chart);

// Fails the running test where a box whose parent has a box in the chart (the
// root and in-laws aside) does not find that parent.
void checkFindParent(const Chart& chart, Cell root, const GeneratedFamilies& families);
