// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/family_layout.h"

// The root's ancestors above it and descendants below, each half placed as
// planAncestors and planDescendants place it (request.ancestorGenerations
// levels up to the root, request.generations from it down); the root is one box, first, joining the
// halves, so that Find parent leads up from every box of either half.
std::vector<PlannedBox> planHourglass(const GedcomData& data, const LayoutRequest& request);
