// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What tells whether a file was changed since it was last seen: which file the
// path leads to (a save by renaming makes a new one), its size and modification
// time. A missing file has the empty stamp.
struct FileStamp {
    bool exists = false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modifiedNs = 0;

    static FileStamp of(const std::string& path);
    bool operator==(const FileStamp&) const = default;
};
