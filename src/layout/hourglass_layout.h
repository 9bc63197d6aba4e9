// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/family_layout.h"

// The root's ancestors above it and descendants below, as planLayout places
// each half (request.ancestorGenerations levels up to the root, request.generations
// from it down); the root is one box, first, joining the halves, so that Find
// parent leads up from every box of either half.
std::vector<PlannedBox> planHourglass(const GedcomData& data, const LayoutRequest& request);

// The plan of any layout kind the request asks for.
std::vector<PlannedBox> planChart(const GedcomData& data, const LayoutRequest& request);
