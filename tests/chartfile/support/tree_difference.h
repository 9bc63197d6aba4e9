// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tree.h"

#include <string>

// The first difference between two trees' boxes in list order (count, kind,
// cell, links, text, lineage, direction), or the empty text when they hold the
// same boxes. Standard library only: the fuzz targets use it too.
std::string treeDifference(const Tree& a, const Tree& b);
