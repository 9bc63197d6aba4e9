// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/write_journal.h"

#include "base/regular_file.h"
#include "chartfile/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The journals this process writes, by device and inode (a folder has many
// names): its own set is never taken for a dead one, and never waited for.
std::mutex heldMutex;
std::set<std::pair<dev_t, ino_t>> held;

bool isHeld(const struct stat& journal)
{
    const std::lock_guard<std::mutex> lock(heldMutex);
    return held.count({journal.st_dev, journal.st_ino}) > 0;
}

void flushFolder(const std::string& folder)
{
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

std::string journalPath(const std::string& folder) { return folder + "/" + journalName; }

// The journal's records, each a list of its fields.
std::vector<std::vector<std::string_view>> recordsOf(std::string_view bytes)
{
    std::vector<std::vector<std::string_view>> records;
    std::vector<std::string_view> fields;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find('\0', start);
        if (end == std::string_view::npos)
            break; // a record cut short by the crash
        fields.push_back(bytes.substr(start, end - start));
        start = end + 1;
        const std::string_view kind = fields.front();
        const std::size_t size = kind == "T" ? 3 : 2;
        if (fields.size() == size) {
            records.push_back(std::move(fields));
            fields.clear();
        }
    }
    return records;
}

// Whether the records end in the mark of a complete list of all before it.
bool isComplete(const std::vector<std::vector<std::string_view>>& records)
{
    if (records.empty() || records.back().front() != "C")
        return false;
    return records.back()[1] == std::to_string(records.size() - 1);
}

} // namespace

std::string folderOfPath(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void settleInterruptedWrites(const std::string& folder)
{
    const std::string path = journalPath(folder);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat mine {};
    if (::fstat(fd, &mine) != 0 || isHeld(mine)) {
        ::close(fd);
        return;
    }
    // Blocks while a live writer finishes; then the journal is usually gone.
    struct stat named {};
    if (::flock(fd, LOCK_EX) != 0 || !S_ISREG(mine.st_mode) ||
        ::stat(path.c_str(), &named) != 0 || mine.st_ino != named.st_ino ||
        mine.st_dev != named.st_dev) {
        ::close(fd);
        return;
    }
    std::string bytes;
    char buffer[1 << 16];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, std::size_t(got));
    const auto records = recordsOf(bytes);
    bool settled = true;
    if (isComplete(records)) {
        for (const auto& record : records) {
            const std::string first(record[1]);
            if (record.front() == "T" &&
                ::rename(first.c_str(), std::string(record[2]).c_str()) != 0 && errno != ENOENT)
                settled = false; // a folder this process may not write: left for another
            else if (record.front() == "D" && ::unlink(first.c_str()) != 0 && errno != ENOENT)
                settled = false;
        }
    } else {
        for (const auto& record : records)
            if (record.front() == "T")
                ::unlink(std::string(record[1]).c_str());
    }
    if (settled) {
        flushFolder(folder);
        ::unlink(path.c_str());
        flushFolder(folder);
    }
    ::close(fd);
}

WriteJournal::~WriteJournal() { close(); }

Result WriteJournal::open(const std::string& folder)
{
    folder_ = folder;
    path_ = journalPath(folder);
    // Made and locked under a name of its own first, then linked into place:
    // no one may find it unlocked and take it for a dead writer's.
    for (int attempt = 0; attempt < 8; ++attempt) {
        settleInterruptedWrites(folder);
        std::string made = path_ + temporaryMark + "XXXXXX";
        const int fd = ::mkostemp(made.data(), O_CLOEXEC);
        if (fd < 0)
            break;
        ::flock(fd, LOCK_EX);
        const int linked = ::link(made.c_str(), path_.c_str());
        const int code = errno;
        ::unlink(made.c_str());
        struct stat info {};
        if (linked == 0 && ::fstat(fd, &info) == 0) {
            fd_ = fd;
            id_ = {info.st_dev, info.st_ino};
            const std::lock_guard<std::mutex> lock(heldMutex);
            held.insert(id_);
            return {};
        }
        ::close(fd);
        if (code != EEXIST) {
            errno = code;
            break;
        }
    }
    return Result::failure(Result::CannotCreate,
                           STIRPA_TR_NOOP("Message", "Cannot create a file in '%1': %2"),
                           {folder, std::strerror(errno ? errno : EEXIST)});
}

Result WriteJournal::append(const std::string& record)
{
    if (!writeAll(fd_, record))
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': %2"),
                               {path_, std::strerror(errno)});
    ++records_;
    return {};
}

Result WriteJournal::addTemporary(const std::string& temporary, const std::string& target)
{
    return append(std::string("T\0", 2) + temporary + '\0' + target + '\0');
}

Result WriteJournal::addRemoval(const std::string& target)
{
    return append(std::string("D\0", 2) + target + '\0');
}

Result WriteJournal::markComplete()
{
    if (Result marked = append(std::string("C\0", 2) + std::to_string(records_) + '\0'); !marked)
        return marked;
    if (::fdatasync(fd_) != 0)
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': %2"),
                               {path_, std::strerror(errno)});
    flushFolder(folder_);
    return {};
}

void WriteJournal::close()
{
    if (fd_ < 0)
        return;
    ::unlink(path_.c_str());
    flushFolder(folder_);
    ::close(fd_);
    fd_ = -1;
    records_ = 0;
    const std::lock_guard<std::mutex> lock(heldMutex);
    held.erase(id_);
}
