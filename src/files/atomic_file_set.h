// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/file_descriptor.h"
#include "base/result.h"
#include "files/atomic_file.h"
#include "files/write_journal.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Replaces several files together, each as writeFileAtomically replaces one (the
// old file or the new, never a mix; permissions, owner and group kept;
// temporaries locked, and removed on failure), with one flush to disk for all:
// every temporary is written first, their data is flushed at once, then each is
// renamed over its file and each folder is flushed once. Each folder is
// looked into once for the stale temporaries of the files written to it, and
// for a set a writer that died left half done (see WriteJournal).
//
// A set of more than one file, or one that removes files, is all or nothing
// across a crash: a journal in each folder lists its files there, and whoever
// next writes there, or reads a chart there, finishes or undoes it. A set
// removes only charts of the book it writes (see WriteJournal). At most
// chunkSize temporaries are open at a time: a full chunk is flushed to disk and
// closed, the journal keeping it. Once a write or commit has failed, the set
// writes nothing more, removes the temporaries not renamed and answers every
// later call with that failure. Temporaries never committed go with the set.
class AtomicFileSet {
public:
    // When the journal begins: with the second file (a set of one file needs
    // none), or with the first, for a set known to be several from the start,
    // so that no temporary of it is ever made unlisted.
    enum class Journaling { FromSecondFile, FromFirstFile };

    explicit AtomicFileSet(std::size_t chunkSize = 256)
        : AtomicFileSet(Journaling::FromSecondFile, chunkSize)
    {
    }
    explicit AtomicFileSet(Journaling journaling, std::size_t chunkSize = 256);
    ~AtomicFileSet();
    AtomicFileSet(const AtomicFileSet&) = delete;
    AtomicFileSet& operator=(const AtomicFileSet&) = delete;

    // Writes the new bytes of the file at path to its temporary; produce and
    // permissions as for writeFileAtomically.
    Result write(const std::string& path, const std::function<void(const PieceWriter&)>& produce,
                 std::optional<unsigned> permissions = std::nullopt);
    // Removes the file at path when the set is committed.
    Result remove(const std::string& path);
    // Puts every file written since the last commit in place.
    Result commit();
    // The paths, as given to write, whose new bytes are in place, in order.
    const std::vector<std::string>& committed() const { return committed_; }

private:
    struct Pending {
        std::string path;
        std::string target;
        std::string temporary;
        FileDescriptor lock; // the temporary's, holding its lock until the rename
    };

    Result fail(Result failure);
    Result removeStaleTemporaries(const std::string& folder, const std::string& target);
    // The journal a new temporary in folder is listed in: none while the set
    // needs none yet.
    Result journalForNext(const std::string& folder, WriteJournal*& journal);
    // Lists the set in journals from here on, the files written so far first.
    Result keepJournals();
    // The journal of the set's files in folder, made when there is none yet.
    Result journalIn(const std::string& folder, WriteJournal*& journal);
    void closeJournals();
    // Flushes the open temporaries and closes them; the journal keeps them.
    Result park();
    void discardPending();

    std::size_t chunkSize_;
    Journaling journaling_;
    std::vector<Pending> pending_;
    std::vector<Pending> parked_;       // written, flushed and closed
    std::vector<std::string> removals_; // files to remove at the commit
    bool journaled_ = false;
    std::map<std::string, std::unique_ptr<WriteJournal>> journals_; // by folder
    std::vector<std::string> committed_;
    std::optional<Result> failure_; // once set, the answer to every later call
    // The temporaries found in each folder looked into, by the name of their file.
    std::unordered_map<std::string, std::unordered_map<std::string, std::vector<std::string>>>
        temporariesByFolder_;
};
