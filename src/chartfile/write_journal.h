// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <string>
#include <sys/types.h>
#include <utility>

// The record that makes a set of files replaced together all or nothing across
// a crash. The writer lists each temporary as it makes it, and each file to
// remove; once every temporary's data is on disk it marks the list complete,
// renames and removes, then deletes the journal. A writer holds a lock on its
// journal while it lives, so a journal that can be locked is one whose writer
// died: settleInterruptedWrites then finishes a complete one (renames the
// temporaries that are left, removes the files) and undoes an incomplete one
// (removes its temporaries). Records are separated by NUL bytes, which no
// path holds.
inline constexpr char journalName[] = ".stirpa-journal";

class WriteJournal {
public:
    WriteJournal() = default;
    ~WriteJournal();
    WriteJournal(const WriteJournal&) = delete;
    WriteJournal& operator=(const WriteJournal&) = delete;

    // Creates the folder's journal, after settling one a dead writer left.
    Result open(const std::string& folder);
    bool isOpen() const { return fd_ >= 0; }
    Result addTemporary(const std::string& temporary, const std::string& target);
    Result addRemoval(const std::string& target);
    // Marks the list complete and puts it on disk: from here on the set is done.
    Result markComplete();
    // Deletes the journal: after the renames and removals are on disk, or
    // after the writer has removed its temporaries.
    void close();

private:
    Result append(const std::string& record);

    std::string folder_;
    std::string path_;
    std::pair<dev_t, ino_t> id_{};
    int fd_ = -1;
    long records_ = 0;
};

// Finishes or undoes the set of files whose writer died in the folder; waits
// for a live writer in another process to finish first. Cheap when there is none.
void settleInterruptedWrites(const std::string& folder);

// The folder part of a path: "." for a bare name.
std::string folderOfPath(const std::string& path);
