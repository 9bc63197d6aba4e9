// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"

class Chart;

// Colours a linked chart's boxes by its link's colour scheme, about the link's
// root: each person box linked to a person of the data takes the scheme's
// colour for them; continuation and see boxes, boxes typed by hand and
// persons the scheme leaves out take none. Colours chosen by hand stay.
//  - branch: each child of the root heads a branch that their descendants and
//    descendants' spouses share, numbered in the children's order (after the
//    palette's last colour the first comes again); above an ancestors' or
//    hourglass chart's root, each grandparent's line has its own colour and
//    each parent the colour halfway between their parents' lines.
//  - sex: men, women and persons of unknown sex.
//  - generation: one colour per level of the chart, counted from the root's.
void applySchemeColours(Chart& chart, const GedcomData& data);
