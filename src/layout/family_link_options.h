// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout/chart_import.h"
#include "model/family_link.h"

#include <string>

// The link an import of the file at path with these options gives its chart.
FamilyLink familyLinkFor(const GedcomData& data, const ImportOptions& options, std::string path);

// The import options a linked chart was made with, its root looked up in the
// data (-1 in layout.root when the file has no such person any more).
ImportOptions importOptionsOf(const FamilyLink& link, const GedcomData& data);
