// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mem_file.h"
#include "stirpa_string.h"
#include "tree.h"
#include "tree_settings.h"

#include <memory>
#include <string>

// The outcome of reading a chart file. On success it holds the new tree and the
// settings to put in force; on failure the caller keeps what it had.
struct ChartLoad {
    enum Status { Loaded, CannotOpen, InvalidRecord };

    Status status = Loaded;
    std::unique_ptr<Tree> tree;
    TreeSettings settings;
    // The box that becomes selected: the last one read, or null.
    Person* lastRead = nullptr;
    // For InvalidRecord: the offending line and its number (from 1).
    std::string line;
    long lineNumber = 0;
    // What to tell the user when the status is not Loaded; it shows at most the
    // first 200 bytes of the offending line.
    std::string message;

    explicit operator bool() const { return status == Loaded; }
};

// Opens a chart file, logging "Infile <path> opened" or "... cannot open", and
// reads it over the given settings (a file without a header keeps them).
ChartLoad readChartFile(const String& path, const TreeSettings& current);

// Reads chart lines from an open reader into a tree of the given name.
ChartLoad readChart(memFile& reader, const String& treeName, const TreeSettings& current);

// The name a chart takes from its path: the file name without its extension.
String treeNameOf(const String& path);
