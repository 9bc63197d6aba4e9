// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/family_link.h"
#include "model/record_links.h"

#include <optional>
#include <string>
#include <string_view>

// The fields a linked chart adds after the last field of its header line and
// of each linked box line. Readers that know nothing of them pass over those
// bytes, so a linked chart opens anywhere as a plain one.

// " gedcom N:PATH N:ROOT LAYOUT FLAGS[ fFINGERPRINT][ bCOLUMNS N:SUFFIX][ oOPTIONS]":
// LAYOUT dGENERATIONS, aGENERATIONS or hUP/DOWN; FLAGS places p/-, marriages
// m/-, living s/n/h; the family file's fingerprint in sixteen hex digits; a
// book's column limit and the chart's suffix in it; OPTIONS a letter for each
// choice other than its default (k underscores kept, a living show-all, l
// long dates, r dates as written).
// Nothing when the link cannot be held on one line.
void appendFamilyLinkField(std::string& out, const FamilyLink& link);
// " rN:XREF FINGERPRINT" (eight hex digits); nothing for an xref that cannot.
void appendRecordField(std::string& out, const RecordLink& link);

// " cRRGGBB" and " CRRGGBB" after a box line's record: the fill its chart's
// colour scheme gave it and the one chosen by hand; nothing for none.
struct BoxColours {
    Colour scheme = noColour;
    Colour own = noColour;
};
void appendColourFields(std::string& out, const BoxColours& colours);
// The colours of the fields after the cursor (right after the record field,
// or the line's last plain field when it has none).
BoxColours readColourFields(const char* cursor);

// " wN" at the end of a box line: its name takes N lines (2 to 99); nothing
// for a name on one line.
void appendNameLinesField(std::string& out, int nameLines);
// The N of a " wN" ending the line from the cursor on; 1 without one.
int readNameLinesField(const char* cursor);

// The fields at the cursor (right after the line's last plain field); nullopt
// when the bytes there are anything else.
std::optional<FamilyLink> readFamilyLinkField(const char* cursor);
std::optional<RecordLink> readRecordField(const char* cursor);

// The family file's path as the chart at chartPath stores it: relative to the
// chart's folder when the family path is absolute; and back to a path that
// works from anywhere.
std::string familyPathForChart(const std::string& familyPath, const std::string& chartPath);
std::string familyPathFromChart(const std::string& storedPath, const std::string& chartPath);
