// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
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
    // holds one, calls waiting with that folder first, then waits. A folder
    // that cannot be opened is left unlocked: writing there fails anyway.
    explicit FolderLock(const std::vector<std::string>& paths,
                        const std::function<void(const std::string& folder)>& waiting = {});
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    std::vector<int> descriptors_;
};
