// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "gedcom/gedcom_data.h"
#include "gedcom/xref_index.h"

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <vector>

// A part of a GEDCOM file read on its own, so that a large file is read on
// every processor: what its records say, before they are joined to the
// others' and linked to each other.

// A warning list long enough to point at the trouble, short enough to show.
inline constexpr std::size_t maxGedcomWarnings = 100;

// Whether a line (leading blanks allowed) is the "0 HEAD" every GEDCOM file begins with.
bool isHeaderLine(std::string_view line);

// A line linking a record to another: where it points (into the text being read,
// which outlives the reader) and the record found there.
struct LinkLine {
    enum Kind { Husband, Wife, Child, ChildOf, SpouseIn };
    Kind kind;
    int owner; // the family or person whose record holds the line
    XrefKey xref;
    long line;
    int target = -1;
    bool fromFamily() const { return kind <= Child; }
};

struct LineWarning {
    long line;
    std::string message;
};

struct SubmitterLink {
    std::string_view submitter;
    std::string_view person;
};

// A part of the file, read on a thread of its own. Each begins with a record
// (a level 0 line), so no record spans two; until the parts are joined, its
// line numbers and record indices count from its own start.
struct RecordPart {
    std::string_view text;
    bool first = true; // the file's start, which must be its header
    Result failure;
    std::vector<GedcomPerson> persons;
    std::vector<GedcomFamily> families;
    std::vector<GedcomNames> otherNames; // persons' otherNames count from the part's first
    std::vector<LinkLine> references;    // in file order
    std::list<std::string> joined;       // values continued over several lines
    std::vector<LineWarning> warnings;   // the first maxGedcomWarnings
    long warningCount = 0;
    long lines = 0;
    bool sawTrailer = false;
    // The home person: named by the header, marked in a person's record, or
    // linked from the submitter's record the header names.
    std::string_view headerHome;
    std::string_view headerSubmitter;
    int markedHome = -1;
    std::vector<SubmitterLink> submitterLinks;
};

// How many records and links a text holds, from evenly spread samples (and a
// quarter more): growing the vectors would move them all, again and again, and
// files often keep their persons and families apart.
struct RecordCounts {
    std::size_t persons = 0;
    std::size_t families = 0;
    std::size_t links = 0;
};

RecordCounts estimateRecords(std::string_view text);

// The starts of the parts the text is read in: at level 0 lines near equal
// shares of it, never before the end of its first line (its header, which
// tells whether it is GEDCOM at all).
std::vector<std::size_t> partStarts(std::string_view text, std::size_t parts);

// Reads the part's text, with room made for the records expected. The first
// part must begin with the header; a failure is kept in the part.
void parseRecords(RecordPart& part, const RecordCounts& expected);
