// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/write_journal.h"

#include "base/regular_file.h"
#include "files/file_notices.h"
#include "files/lock_holder.h"
#include "files/temporary_files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

// Far more than the records of any book: a longer journal is no writer's.
constexpr std::size_t journalSizeLimit = std::size_t(16) << 20;

// The journals this process writes, by device and inode (a folder has many
// names): its own set is never taken for a dead one, and never waited for.
// The void journals already named in a notice are kept too, to name each once.
std::mutex journalsMutex;
std::set<std::pair<dev_t, ino_t>> held;
std::set<std::tuple<dev_t, ino_t, long>> named; // with the change time: inodes are reused

std::pair<dev_t, ino_t> identityOf(const struct stat& info) { return {info.st_dev, info.st_ino}; }

bool isHeld(const struct stat& journal)
{
    const std::lock_guard<std::mutex> lock(journalsMutex);
    return held.count(identityOf(journal)) > 0;
}

void flushFolder(int folder) { ::fsync(folder); }

int openFolder(const std::string& folder)
{
    return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// A book's chart name as its stem and extension, the pairs of digits that
// number a branch taken off the stem: "family0301.txt" is ("family", ".txt").
std::pair<std::string_view, std::string_view> bookOf(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    const std::size_t split = dot == std::string_view::npos || dot == 0 ? name.size() : dot;
    std::string_view stem = name.substr(0, split);
    std::size_t digits = 0;
    while (digits < stem.size() &&
           std::isdigit(static_cast<unsigned char>(stem[stem.size() - 1 - digits])))
        ++digits;
    stem.remove_suffix(digits - digits % 2);
    return {stem, name.substr(split)};
}

const char* plainNameProblem(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > NAME_MAX ||
        name.find('/') != std::string_view::npos)
        return STIRPA_TR_NOOP("Message", "it names a file outside its folder");
    if (name == journalName)
        return STIRPA_TR_NOOP("Message", "it names itself");
    return nullptr;
}

struct JournalRecords {
    std::vector<std::pair<std::string, std::string>> temporaries; // temporary, target
    std::vector<std::string> removals;
    bool complete = false;

    std::vector<std::string> names() const
    {
        std::vector<std::string> all = removals;
        for (const auto& [temporary, target] : temporaries)
            all.push_back(target);
        return all;
    }
};

const char* temporaryProblem(std::string_view temporary, std::string_view target)
{
    if (const char* problem = plainNameProblem(temporary))
        return problem;
    if (const char* problem = plainNameProblem(target))
        return problem;
    if (fileOfTemporary(temporary) != temporaryStem(target) || !fileOfTemporary(target).empty())
        return STIRPA_TR_NOOP("Message", "it names a file that is not its own temporary");
    return nullptr;
}

// A set removes only the charts of the book whose first chart it writes, and
// none it writes too.
template <typename Targets>
const char* removalProblem(std::string_view name, std::string_view bookChart,
                           const Targets& targets)
{
    if (const char* problem = plainNameProblem(name))
        return problem;
    if (bookChart.empty() || !fileOfTemporary(name).empty() || targets.count(name) ||
        bookOf(name) != bookOf(bookChart))
        return STIRPA_TR_NOOP("Message",
                              "it removes a file that is no chart of the book it writes");
    return nullptr;
}

// The journal's records, or why they are none a writer of the folder makes.
const char* readRecords(std::string_view bytes, JournalRecords& records)
{
    std::vector<std::string_view> fields;
    std::string_view bookChart; // the first target: what is removed is of its book
    std::set<std::string_view> targets;
    long count = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find('\0', start);
        if (end == std::string_view::npos)
            break; // a record cut short by the crash: the list is not complete
        fields.push_back(bytes.substr(start, end - start));
        start = end + 1;
        const std::string_view kind = fields.front();
        if (records.complete || (kind != "T" && kind != "D" && kind != "C"))
            return STIRPA_TR_NOOP("Message", "its records are not Stirpa's");
        if (fields.size() < (kind == "T" ? 3u : 2u))
            continue;
        const std::string_view name = fields.back();
        if (kind == "C") {
            if (name != std::to_string(count))
                return STIRPA_TR_NOOP("Message", "its records are not Stirpa's");
            records.complete = true;
        } else {
            if (const char* problem = kind == "T" ? temporaryProblem(fields[1], name)
                                                  : removalProblem(name, bookChart, targets))
                return problem;
            if (bookChart.empty())
                bookChart = name;
            if (kind == "T")
                targets.insert(name);
            if (kind == "T")
                records.temporaries.emplace_back(fields[1], name);
            else
                records.removals.emplace_back(name);
            ++count;
        }
        fields.clear();
    }
    return nullptr;
}

// Whether the entry is a regular file of the user's, not reached through a link.
bool isOwnFile(int folder, const std::string& name, bool& exists)
{
    struct stat info {};
    exists = ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    return exists && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

// Why the complete set cannot be finished as listed, checked before anything
// is done: every temporary left and every file replaced or removed must be a
// regular file of the user's.
const char* finishProblem(int folder, const JournalRecords& records)
{
    std::vector<const std::string*> names;
    for (const auto& [temporary, target] : records.temporaries)
        names.insert(names.end(), {&temporary, &target});
    for (const std::string& name : records.removals)
        names.push_back(&name);
    for (const std::string* name : names) {
        bool exists = false;
        if (!isOwnFile(folder, *name, exists) && exists)
            return STIRPA_TR_NOOP("Message", "it names a file that is not the user's own");
    }
    return nullptr;
}

void finish(int folder, const JournalRecords& records)
{
    for (const auto& [temporary, target] : records.temporaries)
        ::renameat(folder, temporary.c_str(), folder, target.c_str());
    for (const std::string& name : records.removals)
        ::unlinkat(folder, name.c_str(), 0);
}

// Removes what temporaries of the set's files and of the journal itself its
// writer left: those listed, and those it died making.
void removeTemporaries(int folder, const JournalRecords& records)
{
    std::set<std::string> stems{temporaryStem(journalName)};
    for (const auto& [temporary, target] : records.temporaries) {
        stems.insert(temporaryStem(target));
        removeStaleTemporary(folder, temporary);
    }
    const int listing = ::dup(folder);
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
        return;
    }
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view file = fileOfTemporary(entry->d_name);
        if (!file.empty() && stems.count(std::string(file)))
            stale.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : stale)
        removeStaleTemporary(folder, name);
}

struct Look {
    enum Kind { None, Busy, Void } kind = None;
    pid_t holder = 0;
    std::vector<std::string> names; // Busy: the files the live writer's set names
    const char* why = nullptr;      // Void
    std::tuple<dev_t, ino_t, long> identity{};
};

Look voidJournal(const char* why, const struct stat& info)
{
    Look look;
    look.kind = Look::Void;
    look.why = why;
    look.identity = {info.st_dev, info.st_ino,
                     info.st_ctim.tv_sec * 1'000'000'000L + info.st_ctim.tv_nsec};
    return look;
}

std::string readAll(int fd, bool& tooLong)
{
    std::string bytes;
    tooLong = !readAtMost(fd, journalSizeLimit, bytes);
    return bytes;
}

// One look at the folder's journal: settles it when its writer died.
Look settleOnce(int folder)
{
    const int opened = ::openat(folder, journalName, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (opened < 0 && errno == ENOENT)
        return {};
    struct stat info {};
    if (opened < 0) {
        ::fstatat(folder, journalName, &info, AT_SYMLINK_NOFOLLOW);
        if (!S_ISREG(info.st_mode))
            return voidJournal(STIRPA_TR_NOOP("Message", "it is not a regular file"), info);
        return voidJournal(info.st_uid != ::geteuid()
                               ? STIRPA_TR_NOOP("Message", "it belongs to another user")
                               : STIRPA_TR_NOOP("Message", "it cannot be read"),
                           info);
    }
    const FileDescriptor journal(opened);
    if (::fstat(journal.get(), &info) != 0 || isHeld(info))
        return {};
    if (!S_ISREG(info.st_mode))
        return voidJournal(STIRPA_TR_NOOP("Message", "it is not a regular file"), info);
    if (info.st_uid != ::geteuid())
        return voidJournal(STIRPA_TR_NOOP("Message", "it belongs to another user"), info);
    const bool dead = ::flock(journal.get(), LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
    bool tooLong = false;
    const std::string bytes = readAll(journal.get(), tooLong);
    JournalRecords records;
    const char* problem =
        tooLong ? STIRPA_TR_NOOP("Message", "it is too long") : readRecords(bytes, records);
    if (problem)
        return voidJournal(problem, info);
    if (!dead) {
        Look look;
        look.kind = Look::Busy;
        look.holder = lockHolder(journal.get());
        look.names = records.names();
        return look;
    }
    // Its writer may have finished and another begun since it was opened.
    struct stat now {};
    if (::fstatat(folder, journalName, &now, AT_SYMLINK_NOFOLLOW) != 0 ||
        identityOf(now) != identityOf(info))
        return {};
    if (records.complete) {
        if (const char* unfinished = finishProblem(folder, records))
            return voidJournal(unfinished, info);
        finish(folder, records);
    }
    removeTemporaries(folder, records);
    flushFolder(folder);
    ::unlinkat(folder, journalName, 0);
    flushFolder(folder);
    return {};
}

void nameVoidJournal(const Look& look, const std::string& folder)
{
    {
        const std::lock_guard<std::mutex> lock(journalsMutex);
        if (!named.insert(look.identity).second)
            return;
    }
    fileNotice(Result::note(STIRPA_TR_NOOP("Message", "Left '%1' alone: %2, so it is no journal of "
                                                      "Stirpa's own."),
                            {folder + "/" + journalName, look.why}));
}

Result voidJournalInTheWay(const Look& look, const std::string& folder)
{
    return Result::failure(Result::CannotCreate,
                           STIRPA_TR_NOOP("Message",
                                          "Cannot write in '%1': '%2' is in the way (%3); "
                                          "nothing was written."),
                           {folder, folder + "/" + journalName, look.why});
}

// Settles the open folder for the file of the given name (any when empty), as
// settleFolderFor does; also gives the last look, so a writer can tell a void journal.
std::pair<Result, Look> settle(int folder, const std::string& folderName, const std::string& name)
{
    for (;;) {
        Look look = settleOnce(folder);
        if (look.kind == Look::Void)
            nameVoidJournal(look, folderName);
        if (look.kind != Look::Busy ||
            (!name.empty() &&
             std::find(look.names.begin(), look.names.end(), name) == look.names.end()))
            return {Result(), std::move(look)};
        const FileDescriptor journal(
            ::openat(folder, journalName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!journal)
            continue;
        if (Result waited = lockWaitingAtMost(journal.get(), folderName); !waited)
            return {std::move(waited), std::move(look)};
    }
}

} // namespace

Result settleFolderFor(const std::string& folder, const std::string& name)
{
    const FileDescriptor dir(openFolder(folder));
    return !dir ? Result() : settle(dir.get(), folder, name).first;
}

Result settleBeforeReading(const std::string& path)
{
    return settleFolderFor(folderOfPath(path), nameOfPath(path));
}

WriteJournal::~WriteJournal() { close(); }

Result WriteJournal::open(const std::string& folder)
{
    folder_ = folder;
    path_ = folder + "/" + journalName;
    const FileDescriptor dir(openFolder(folder));
    if (!dir)
        return Result::failure(Result::CannotCreate,
                               STIRPA_TR_NOOP("Message", "Cannot create a file in '%1': %2"),
                               {folder, std::strerror(errno)});
    for (int attempt = 0; attempt < 8; ++attempt) {
        const auto [settled, look] = settle(dir.get(), folder, {});
        if (!settled)
            return settled;
        if (look.kind == Look::Void)
            return voidJournalInTheWay(look, folder);
        // Made unnamed and locked, then linked into place: no one may find it
        // unlocked and take it for a dead writer's, and a writer killed before
        // the link leaves nothing behind. Where the file system cannot make a
        // file without a name, a temporary name of its own stands in.
        std::string made;
        FileDescriptor fd(::openat(dir.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
        if (!fd) {
            made = newTemporaryName(journalName);
            fd = FileDescriptor(::openat(dir.get(), made.c_str(),
                                         O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, 0600));
        }
        if (!fd)
            break;
        ::flock(fd.get(), LOCK_EX);
        const int linked =
            made.empty() ? ::linkat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(fd.get())).c_str(),
                                    dir.get(), journalName, AT_SYMLINK_FOLLOW)
                         : ::linkat(dir.get(), made.c_str(), dir.get(), journalName, 0);
        const int code = errno;
        if (!made.empty())
            ::unlinkat(dir.get(), made.c_str(), 0);
        struct stat info {};
        if (linked == 0 && ::fstat(fd.get(), &info) == 0) {
            fd_ = std::move(fd);
            id_ = identityOf(info);
            const std::lock_guard<std::mutex> lock(journalsMutex);
            held.insert(id_);
            return {};
        }
        fd.close();
        if (code != EEXIST) {
            errno = code;
            break;
        }
    }
    return Result::failure(Result::CannotCreate,
                           STIRPA_TR_NOOP("Message", "Cannot create a file in '%1': %2"),
                           {folder, std::strerror(errno ? errno : EEXIST)});
}

Result WriteJournal::breaksRule(const char* why, const std::string& name) const
{
    return Result::failure(Result::CannotWrite,
                           STIRPA_TR_NOOP("Message", "Cannot write '%1' in a set: %2."),
                           {folder_ + "/" + name, why});
}

Result WriteJournal::append(const std::string& record)
{
    if (!writeAll(fd_.get(), record))
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': %2"),
                               {path_, std::strerror(errno)});
    ++records_;
    return {};
}

Result WriteJournal::addTemporary(const std::string& temporary, const std::string& target)
{
    if (const char* problem = temporaryProblem(temporary, target))
        return breaksRule(problem, temporary);
    if (bookChart_.empty())
        bookChart_ = target;
    targets_.insert(target);
    return append(std::string("T\0", 2) + temporary + '\0' + target + '\0');
}

Result WriteJournal::addRemoval(const std::string& name)
{
    if (const char* problem = removalProblem(name, bookChart_, targets_))
        return breaksRule(problem, name);
    return append(std::string("D\0", 2) + name + '\0');
}

Result WriteJournal::markComplete()
{
    if (Result marked = append(std::string("C\0", 2) + std::to_string(records_) + '\0'); !marked)
        return marked;
    if (::fdatasync(fd_.get()) != 0)
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': %2"),
                               {path_, std::strerror(errno)});
    const FileDescriptor dir(openFolder(folder_));
    if (dir)
        flushFolder(dir.get());
    return {};
}

void WriteJournal::close()
{
    if (!fd_)
        return;
    const FileDescriptor dir(openFolder(folder_));
    if (dir) {
        ::unlinkat(dir.get(), journalName, 0);
        flushFolder(dir.get());
    }
    fd_.close();
    records_ = 0;
    bookChart_.clear();
    targets_.clear();
    const std::lock_guard<std::mutex> lock(journalsMutex);
    held.erase(id_);
}
