// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "gedcom/gedcom_data.h"

#include <string>
#include <string_view>

// The outcome of reading a GEDCOM file: on success its persons and families.
struct GedcomLoad : Outcome {
    using Outcome::Outcome;

    GedcomData data;
};

// Reads decoded GEDCOM text (any line ends, leading blanks allowed). Text that
// does not begin with "0 HEAD" is no GEDCOM file; anything else is read as far
// as it goes, the lines that make no sense skipped with a warning each, values
// longer than a few KiB cut. The home person is the header's _HME, else the
// first person with a _HME line, else the person the header's submitter
// record points to. A large text is read in parts at once, one per
// processor, or in as many as `parts` asks; the outcome is the same.
GedcomLoad readGedcom(std::string utf8, std::size_t parts = 0);

// Reads a regular file of at most maxGedcomSize bytes in whatever character
// set decodeGedcom() finds; fails only when the file cannot be read or is no
// GEDCOM file.
GedcomLoad readGedcomFile(const std::string& path);

// Fails, naming path, for a family file without persons: nothing can be
// imported from it or updated.
Result checkHoldsPersons(const GedcomData& data, const std::string& path);

// Whether the file at path begins as a GEDCOM file does, with "0 HEAD".
bool isGedcomFile(const std::string& path);

// Refuses (CannotWrite) to write over a GEDCOM file at path: no command, with
// --replace or not, replaces one.
Result refuseGedcomOverwrite(const std::string& path);

inline constexpr std::size_t maxGedcomSize = std::size_t(1) << 30;
