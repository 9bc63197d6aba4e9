// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command/batch.h"
#include "layout/family_layout.h"
#include "gedcom/gedcom_reader.h"

#include <functional>
#include <optional>
#include <ostream>

// stirpa --import-gedcom FILE OUT [--root ID|NAME] [--descendants N | --ancestors N |
// --hourglass UP DOWN] [--split COLUMNS] [--living show|name|hide]: lays out the
// root's family (default the file's home person, else the one whose chart holds
// the most persons; four generations of descendants), saves the chart to OUT (with
// --split, a book of charts beside it, each file printed) and prints one line about it,
// dates in the language given. Exit status 1, with OUT untouched, when the file
// cannot be read or the root is unknown or not one person (the persons it could
// be are listed); 2 for a wrong call.
int importGedcomCommand(const std::vector<std::string>& args, BatchStreams streams,
                        DateLanguage dateLanguage);

// stirpa --list-persons FILE [TEXT]: one line per person, "ID<tab>Name<tab>years",
// in name order; with TEXT only those whose names hold every word of it. Exit
// status 1 when the file cannot be read or no person matches.
int listPersonsCommand(const std::vector<std::string>& args, BatchStreams streams);

// Reads a GEDCOM file, telling on the error stream what was skipped and which
// character set was guessed; nothing when it cannot be read or holds no one.
std::optional<GedcomLoad> readPersons(const std::string& path, std::ostream& err);
// The same for a file already read from path.
std::optional<GedcomLoad> personsOf(GedcomLoad load, const std::string& path, std::ostream& err);

// The one person a text names, as --root takes it: a record id or a name (see
// personsNamed; others counts the persons the whole name leaves out). -1 after
// telling err that there is none, or listing the several it could be, with
// how to give an id instead (" with --root").
int personNamed(const GedcomData& data, const std::string& gedcomPath, const std::string& text,
                const char* giveIdHow, std::ostream& err, std::size_t* others = nullptr);

// The value of --descendants or --ancestors: 1 to maxGenerations, digits only.
std::optional<int> generationCount(const std::string& text);

// Takes the layout options out of args (--descendants N, --ancestors N,
// --hourglass UP DOWN, each count from 1 on and UP and DOWN without the root's
// own; the last one given counts) as a request without its root. False for a
// value out of range or missing.
bool takeLayoutOption(std::vector<std::string>& args, std::optional<LayoutRequest>& option);

// The path from anywhere, as a chart's link keeps it.
std::string absolutePath(const std::string& path);


// The GEDCOM commands for the option table; imports write dates in the language given.
std::vector<BatchOption> gedcomBatchOptions(DateLanguage dateLanguage);
