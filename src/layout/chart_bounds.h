// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"

#include <vector>

// By person: a bound on the persons a descendants chart of the given
// generations holds: the person and spouses, and their children's bounds one
// generation less. One pass over the families per generation; a loop adds no
// more than its generations allow.
std::vector<double> descendantBounds(const GedcomData& data, int generations);

// The same for an ancestors chart: the person and the parents' bounds.
std::vector<double> ancestorBounds(const GedcomData& data, int generations);
