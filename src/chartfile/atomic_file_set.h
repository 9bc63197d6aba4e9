// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "chartfile/atomic_file.h"
#include "chartfile/write_journal.h"

#include <cstddef>
#include <functional>
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
// across a crash: a journal in the first file's folder lists it, and whoever
// next writes there, or reads a chart there, finishes or undoes it. At most
// chunkSize temporaries are open at a time: a full chunk is flushed to disk and
// closed, the journal keeping it. Once a write or commit has failed, the set
// writes nothing more, removes the temporaries not renamed and answers every
// later call with that failure. Temporaries never committed go with the set.
class AtomicFileSet {
public:
    explicit AtomicFileSet(std::size_t chunkSize = 256);
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
        int lock; // the temporary's descriptor, holding its lock until the rename
    };

    Result fail(Result failure);
    void removeStaleTemporaries(const std::string& folder, const std::string& target);
    // Lists the set in a journal from its second file or first removal on.
    Result keepJournal();
    // Flushes the open temporaries and closes them; the journal keeps them.
    Result park();
    void discardPending();

    std::size_t chunkSize_;
    std::vector<Pending> pending_;
    std::vector<Pending> parked_;       // written, flushed and closed
    std::vector<std::string> removals_; // files to remove at the commit
    WriteJournal journal_;
    std::vector<std::string> committed_;
    Result failure_;
    // The temporaries found in each folder looked into, by the name of their file.
    std::unordered_map<std::string, std::unordered_map<std::string, std::vector<std::string>>>
        temporariesByFolder_;
};
