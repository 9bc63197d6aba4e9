// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tree.h"

#include <ostream>

// The Log tree dump: "\nTree: " and the name, one describe line per box, and
// "  Extent: " with the cached extent.
void dumpTree(std::ostream& out, Tree& tree);
