// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/file_descriptor.h"
#include "base/result.h"

#include <string>
#include <vector>

// Holds the folders of some files locked while a command reads, changes and
// writes the charts in them, so that two Stirpa processes changing the same
// chart take turns instead of one losing the other's work. The lock is
// advisory: it binds Stirpa only. It ends with the object or the process.
class FolderLock {
public:
    // Locks the folder of each path (each folder once, in one order for every
    // process, so that two never wait for each other). When another process
    // holds one, says so (see lockWaitingAtMost) and waits a bounded time;
    // then acquired() fails and no folder stays locked. A folder that cannot
    // be opened is left unlocked: writing there fails anyway.
    explicit FolderLock(const std::vector<std::string>& paths);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Ok once every folder is locked; else why not.
    const Result& acquired() const { return acquired_; }

private:
    std::vector<FileDescriptor> descriptors_;
    Result acquired_;
};
