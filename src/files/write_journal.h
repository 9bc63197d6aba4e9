// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/file_descriptor.h"
#include "base/result.h"

#include <set>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

// The record that makes a set of files replaced together all or nothing across
// a crash. The writer lists each temporary before it makes it, and each file to
// remove; once every temporary's data is on disk it marks the list complete,
// renames and removes, then deletes the journal. A writer holds a lock on its
// journal while it lives, so a journal that can be locked is one whose writer
// died: settling then finishes a complete one (renames the temporaries that are
// left, removes the files) and undoes an incomplete one (removes its
// temporaries). Records are separated by NUL bytes, which no name holds.
//
// A journal may be a stranger's (a folder someone sent), so it is trusted only
// as far as it names what a writer of its folder makes: plain names of that
// folder, each file's own temporaries (by their naming) to rename over it,
// removals only of charts of the book whose first chart it writes
// ("family.txt", "family03.txt"), and it must be the user's own. Any
// other journal is void: never acted on, left in place, named once in a notice.
inline constexpr char journalName[] = ".stirpa-journal";

class WriteJournal {
public:
    WriteJournal() = default;
    ~WriteJournal();
    WriteJournal(const WriteJournal&) = delete;
    WriteJournal& operator=(const WriteJournal&) = delete;

    // Creates the journal of a set whose files all lie in folder, after settling
    // what a dead writer left there and waiting (see settleFolderFor) for a live
    // one. Fails, naming the journal, when another's is in the way.
    Result open(const std::string& folder);
    bool isOpen() const { return bool(fd_); }
    // Lists the temporary (by plain name) that is about to be made for the file
    // of target's name; removals after. Fail when a name breaks the rules.
    Result addTemporary(const std::string& temporary, const std::string& target);
    Result addRemoval(const std::string& name);
    // Marks the list complete and puts it on disk: from here on the set is done.
    Result markComplete();
    // Deletes the journal: after the renames and removals are on disk, or
    // after the writer has removed its temporaries.
    void close();

private:
    Result append(const std::string& record);
    Result breaksRule(const char* why, const std::string& name) const;

    std::string folder_;
    std::string path_;
    std::pair<dev_t, ino_t> id_{};
    FileDescriptor fd_;
    long records_ = 0;
    std::string bookChart_; // the first target: what is removed is of its book
    std::set<std::string, std::less<>> targets_;
};

// Settles the folder before a command reads or writes the file of the given
// name there (any file when the name is empty): finishes or undoes what a dead
// writer left, and waits while a live writer's set names the file (saying so
// through fileNotice, at most writerWaitLimit()). Never waits for a writer of
// other files. Fails when the wait ran out. A void journal is named in a notice
// and otherwise passed over.
Result settleFolderFor(const std::string& folder, const std::string& name);

// settleFolderFor the folder of path and the file it names.
Result settleBeforeReading(const std::string& path);
