// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/chart.h"

// A copy of the chart as saving and opening it would give: boxes, settings,
// lineage and family links, without the undo record. For changes to be looked
// at before they are made to the chart itself.
Chart copyOfChart(const Chart& chart);
