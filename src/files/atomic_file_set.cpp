// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atomic_file_set.h"

#include "base/regular_file.h"
#include "files/temporary_files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Up to this many temporaries are flushed one by one; more at once by flushing
// their file system, one journal commit instead of one each. Measured on ext4,
// four files flushed one by one took about as long as one flush of the file
// system, eight twice as long.
constexpr std::size_t flushedOneByOne = 4;

Result cannotWrite(const std::string& target, int code)
{
    return Result::failure(Result::CannotWrite, STIRPA_TR_NOOP("Message", "Cannot write '%1': %2"),
                           {target, std::strerror(code)});
}

// Creates and locks a new temporary beside the target, listed in the journal
// (when one is open) before it is made, so that a writer killed at any moment
// leaves none the journal does not name; none with errno on failure, with the
// journal's failure when it could not be listed.
FileDescriptor createTemporary(const std::string& target, std::string& temporary,
                               WriteJournal* journal, Result& listed)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string name = newTemporaryName(nameOfPath(target));
        if (journal) {
            if (listed = journal->addTemporary(name, nameOfPath(target)); !listed)
                return {};
        }
        temporary = folderOfPath(target) + "/" + name;
        FileDescriptor fd(
            ::open(temporary.c_str(), O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        // Another save may have taken the file for stale in the moment before the
        // lock; then the name no longer leads to this file and a new one is made.
        // A file system without locks still saves, only without that protection.
        ::flock(fd.get(), LOCK_EX);
        struct stat mine {};
        struct stat named {};
        if (::fstat(fd.get(), &mine) == 0 && ::stat(temporary.c_str(), &named) == 0 &&
            mine.st_dev == named.st_dev && mine.st_ino == named.st_ino)
            return fd;
    }
    errno = EEXIST;
    return {};
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The rename needs only the folder's permission, so the file's own is checked
// here: as a direct write would fail for anyone but root, and for root when no
// one at all may write it.
bool writeProtected(const std::string& target, const struct stat& old)
{
    if (::geteuid() == 0)
        return (old.st_mode & 0222) == 0;
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// Why the existing file must not be replaced; Ok when it may be.
Result replaceable(const std::string& target, const struct stat& old)
{
    if (S_ISDIR(old.st_mode))
        return cannotWrite(target, EISDIR);
    if (!S_ISREG(old.st_mode))
        return Result::failure(
            Result::CannotWrite,
            STIRPA_TR_NOOP("Message", "Cannot write '%1': it is not a regular file."), {target});
    if (writeProtected(target, old))
        return Result::failure(Result::WriteProtected,
                               STIRPA_TR_NOOP("Message", "The file '%1' is write-protected."),
                               {target});
    return {};
}

// Index of the first file whose data could not be flushed to disk, with errno
// set; the size of files when all were.
template <typename Files> std::size_t flushToDisk(const Files& files)
{
    if (files.size() <= flushedOneByOne) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (::fsync(files[i].lock.get()) != 0)
                return i;
        }
        return files.size();
    }
    std::vector<dev_t> flushed;
    for (std::size_t i = 0; i < files.size(); ++i) {
        struct stat info {};
        if (::fstat(files[i].lock.get(), &info) != 0)
            return i;
        if (std::find(flushed.begin(), flushed.end(), info.st_dev) != flushed.end())
            continue;
        if (::syncfs(files[i].lock.get()) != 0)
            return i;
        flushed.push_back(info.st_dev);
    }
    return files.size();
}

// Makes the renames into the folders durable.
void flushFolders(std::vector<std::string> folders)
{
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    for (const std::string& folder : folders) {
        const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir)
            ::fsync(dir.get());
    }
}

// Fills the new temporary with what produce makes, gives it the old file's
// owner (when it replaces one) and mode, and closes it; false with the errno
// in code when a step fails, or at once when ok is false (code then set).
bool fillTemporary(FileDescriptor fd, bool ok,
                   const std::function<void(const PieceWriter&)>& produce, const struct stat* old,
                   mode_t mode, int& code)
{
    produce([&](std::string_view piece) {
        if (ok && !writeAll(fd.get(), piece)) {
            ok = false;
            code = errno;
        }
        return ok;
    });
    // The owner goes before the mode, as a change of owner clears the set-id bits.
    if (ok && old && ::fchown(fd.get(), old->st_uid, old->st_gid) != 0) {
        // Only root may give a file away: anyone else's save keeps its own owner.
    }
    if (ok && ::fchmod(fd.get(), mode) != 0) {
        ok = false;
        code = errno;
    }
    if (!fd.close() && ok) {
        ok = false;
        code = errno;
    }
    return ok;
}

} // namespace

AtomicFileSet::AtomicFileSet(Journaling journaling, std::size_t chunkSize)
    : chunkSize_(std::max<std::size_t>(chunkSize, 1)),
      journaling_(journaling)
{
}

AtomicFileSet::~AtomicFileSet() { discardPending(); }

Result AtomicFileSet::fail(Result failure)
{
    discardPending();
    failure_ = failure;
    return failure;
}

void AtomicFileSet::discardPending()
{
    for (const std::vector<Pending>* files : {&pending_, &parked_})
        for (const Pending& file : *files)
            ::unlink(file.temporary.c_str());
    pending_.clear();
    parked_.clear();
    removals_.clear();
    closeJournals();
}

void AtomicFileSet::closeJournals()
{
    journals_.clear();
    journaled_ = false;
}

Result AtomicFileSet::journalIn(const std::string& folder, WriteJournal*& journal)
{
    auto [found, added] = journals_.try_emplace(folder);
    if (added) {
        found->second = std::make_unique<WriteJournal>();
        if (Result opened = found->second->open(folder); !opened) {
            journals_.erase(found);
            return opened;
        }
    }
    journal = found->second.get();
    return {};
}

Result AtomicFileSet::keepJournals()
{
    if (journaled_)
        return {};
    journaled_ = true;
    for (const std::vector<Pending>* files : {&parked_, &pending_})
        for (const Pending& file : *files) {
            WriteJournal* journal = nullptr;
            Result listed = journalIn(folderOfPath(file.target), journal);
            if (listed)
                listed = journal->addTemporary(nameOfPath(file.temporary), nameOfPath(file.target));
            if (!listed)
                return listed;
        }
    return {};
}

Result AtomicFileSet::park()
{
    if (Result kept = keepJournals(); !kept)
        return fail(kept);
    const std::size_t flushed = flushToDisk(pending_);
    if (flushed < pending_.size())
        return fail(cannotWrite(pending_[flushed].target, errno));
    for (Pending& file : pending_) {
        file.lock.close();
        parked_.push_back(std::move(file));
    }
    pending_.clear();
    return {};
}

Result AtomicFileSet::remove(const std::string& path)
{
    if (failure_)
        return *failure_;
    // The name itself goes, never what a link at it leads to.
    const std::string removed = resolvedPath(folderOfPath(path)) + "/" + nameOfPath(path);
    removals_.push_back(removed);
    WriteJournal* journal = nullptr;
    Result listed = keepJournals();
    if (listed)
        listed = journalIn(folderOfPath(removed), journal);
    if (listed)
        listed = journal->addRemoval(nameOfPath(removed));
    return listed ? listed : fail(listed);
}

// Every folder is read once, whatever the number of files written to it: the
// temporaries found are kept by file until that file is written.
Result AtomicFileSet::removeStaleTemporaries(const std::string& folder, const std::string& target)
{
    // Not while a live writer's set holds the file; a dead one's is settled.
    if (Result settled = settleFolderFor(folder, nameOfPath(target)); !settled)
        return settled;
    auto [found, unread] = temporariesByFolder_.try_emplace(folder);
    if (unread) {
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                const std::string_view file = fileOfTemporary(entry->d_name);
                if (!file.empty())
                    found->second[std::string(file)].emplace_back(entry->d_name);
            }
            ::closedir(dir);
        }
    }
    const auto temporaries = found->second.find(temporaryStem(nameOfPath(target)));
    if (temporaries == found->second.end())
        return {};
    const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const std::string& name : temporaries->second)
        removeStaleTemporary(dir.get(), name);
    found->second.erase(temporaries);
    return {};
}

Result AtomicFileSet::journalForNext(const std::string& folder, WriteJournal*& journal)
{
    // From its second file on (or its first, when asked), a set is listed
    // before its temporaries exist.
    journal = nullptr;
    if (journaling_ == Journaling::FromSecondFile && pending_.empty() && parked_.empty() &&
        !journaled_)
        return {};
    Result kept = keepJournals();
    if (kept)
        kept = journalIn(folder, journal);
    return kept;
}

Result AtomicFileSet::write(const std::string& path,
                            const std::function<void(const PieceWriter&)>& produce,
                            std::optional<unsigned> permissions)
{
    if (failure_)
        return *failure_;
    const std::string target = resolvedPath(path);
    const std::string folder = folderOfPath(target);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing) {
        if (Result refused = replaceable(target, old); !refused)
            return fail(refused);
    }
    // Stale temporaries go first: on a nearly full disk they may hold the room
    // this save needs.
    if (Result removed = removeStaleTemporaries(folder, target); !removed)
        return fail(removed);
    WriteJournal* journal = nullptr;
    if (Result kept = journalForNext(folder, journal); !kept)
        return fail(kept);
    std::string temporary;
    Result listed;
    FileDescriptor fd = createTemporary(target, temporary, journal, listed);
    if (!listed)
        return fail(listed);
    if (!fd)
        return fail(Result::failure(Result::CannotCreate,
                                    STIRPA_TR_NOOP("Message", "Cannot create a file in '%1': %2"),
                                    {folder, std::strerror(errno)}));
    // A second descriptor keeps the lock (and so other saves off the temporary)
    // until the rename is done, after the first is closed and checked.
    FileDescriptor lock(::dup(fd.get()));
    const mode_t mode = permissions ? mode_t(*permissions)
                        : replacing ? old.st_mode & 07777
                                    : newFileMode();
    int code = errno;
    bool ok = false;
    try {
        ok = fillTemporary(std::move(fd), bool(lock), produce, replacing ? &old : nullptr, mode,
                           code);
    } catch (...) {
        // Out of memory while making the bytes: no temporary is left behind.
        ::unlink(temporary.c_str());
        throw;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return fail(cannotWrite(target, code));
    }
    pending_.push_back({path, target, temporary, std::move(lock)});
    return pending_.size() >= chunkSize_ ? park() : Result();
}

Result AtomicFileSet::commit()
{
    if (failure_)
        return *failure_;
    const std::size_t flushed = flushToDisk(pending_);
    if (flushed < pending_.size())
        return fail(cannotWrite(pending_[flushed].target, errno));
    // From here on a crash leaves the new files, not the old.
    // A set across folders keeps a journal in each, all marked before any
    // rename: only a crash between two of the marks can leave it mixed.
    for (auto& [folder, journal] : journals_)
        if (Result marked = journal->markComplete(); !marked)
            return fail(marked);
    std::vector<std::string> folders;
    Result renamed;
    for (std::vector<Pending>* files : {&parked_, &pending_}) {
        for (Pending& file : *files) {
            if (!renamed)
                break;
            if (::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
                renamed = cannotWrite(file.target, errno);
                break;
            }
            file.lock.close();
            file.temporary.clear();
            committed_.push_back(file.path);
            folders.push_back(folderOfPath(file.target));
        }
        std::erase_if(*files, [](const Pending& file) { return file.temporary.empty(); });
    }
    if (renamed) {
        for (const std::string& path : removals_)
            if (::unlink(path.c_str()) == 0)
                folders.push_back(folderOfPath(path));
        removals_.clear();
    }
    flushFolders(std::move(folders));
    closeJournals();
    return renamed ? renamed : fail(renamed);
}
