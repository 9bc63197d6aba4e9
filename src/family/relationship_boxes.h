// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "family/relationship.h"
#include "gedcom/gedcom_data.h"
#include "model/lineage.h"
#include "model/tree.h"

// The family file's person a linked box stands for, or -1 for a box typed by
// hand or a record the file no longer has.
int personOfBox(const Tree& tree, const GedcomData& data, const Person* box);

// The red line of the relationships in a linked chart: every box of a person
// on their lines, and the connectors along which Find parent goes from each
// child's box to its parent's. Boxes of persons the chart lacks are left
// out, and so are connectors that lead elsewhere. Time grows with the boxes
// and the lines.
RedLine relationshipLine(const Tree& tree, const GedcomData& data,
                         const std::vector<Relationship>& relationships);
