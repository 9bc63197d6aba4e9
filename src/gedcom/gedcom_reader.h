// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "gedcom/gedcom_data.h"

#include <string>
#include <string_view>

// The outcome of reading a GEDCOM file: on success its persons and families.
struct GedcomLoad : Result {
    GedcomData data;
};

// Reads decoded GEDCOM text (any line ends, leading blanks allowed). Text that
// does not begin with "0 HEAD" is no GEDCOM file; anything else is read as far
// as it goes, the lines that make no sense skipped with a warning each.
GedcomLoad readGedcom(std::string utf8);

// Reads a regular file of at most maxGedcomSize bytes in any encoding
// decodeGedcom() knows.
GedcomLoad readGedcomFile(const std::string& path);

inline constexpr std::size_t maxGedcomSize = std::size_t(1) << 30;
