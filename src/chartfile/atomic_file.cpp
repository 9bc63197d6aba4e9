// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/atomic_file.h"

#include "base/regular_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Result cannotWrite(const std::string& target, int code)
{
    return Result::failure(Result::CannotWrite, STIRPA_TR_NOOP("Message", "Cannot write '%1': %2"),
                           {target, std::strerror(code)});
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The real file a path names, following links, even when it does not exist yet.
std::string resolvedTarget(const std::string& path)
{
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer))
        return buffer;
    return path;
}

bool isTemporaryOf(const char* name, const std::string& base)
{
    const std::string prefix = base + temporaryMark;
    if (std::strncmp(name, prefix.c_str(), prefix.size()) != 0)
        return false;
    const char* suffix = name + prefix.size();
    if (std::strlen(suffix) != 6)
        return false;
    for (const char* c = suffix; *c; ++c) {
        const bool alphanumeric =
            (*c >= '0' && *c <= '9') || (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z');
        if (!alphanumeric)
            return false;
    }
    return true;
}

// Removes the temporaries of earlier saves of the target whose writer died. A
// writer holds a lock on its temporary until it is renamed or removed, and the
// lock goes with the process, so a temporary that can be locked is stale. Where
// the file system has no locks nothing is removed.
void removeStaleTemporaries(const std::string& folder, const std::string& target)
{
    const std::string base = target.substr(target.rfind('/') + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryOf(entry->d_name, base))
            continue;
        const std::string path = folder + "/" + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// Creates and locks a new temporary beside the target; -1 with errno on failure.
int createTemporary(const std::string& target, std::string& temporary)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = target + temporaryMark + "XXXXXX";
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        // Another save may have taken the file for stale in the moment before the
        // lock; then the name no longer leads to this file and a new one is made.
        // A file system without locks still saves, only without that protection.
        ::flock(fd, LOCK_EX);
        struct stat mine {};
        struct stat named {};
        if (::fstat(fd, &mine) == 0 && ::stat(temporary.c_str(), &named) == 0 &&
            mine.st_dev == named.st_dev && mine.st_ino == named.st_ino)
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
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

} // namespace

Result writeFileAtomically(const std::string& path, std::string_view bytes,
                           std::optional<unsigned> permissions)
{
    return writeFileAtomically(
        path, [bytes](const PieceWriter& write) { write(bytes); }, permissions);
}

Result writeFileAtomically(const std::string& path,
                           const std::function<void(const PieceWriter&)>& produce,
                           std::optional<unsigned> permissions)
{
    const std::string target = resolvedTarget(path);
    const std::string folder = folderOf(target);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing) {
        if (Result refused = replaceable(target, old); !refused)
            return refused;
    }
    // Stale temporaries go first: on a nearly full disk they may hold the room
    // this save needs.
    removeStaleTemporaries(folder, target);
    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0)
        return Result::failure(Result::CannotCreate,
                               STIRPA_TR_NOOP("Message", "Cannot create a file in '%1': %2"),
                               {folder, std::strerror(errno)});

    // A second descriptor keeps the lock (and so other saves off the temporary)
    // until the rename is done, after the first is closed and checked.
    const int lockHolder = ::dup(fd);
    const mode_t mode = permissions ? mode_t(*permissions)
                        : replacing ? old.st_mode & 07777
                                    : newFileMode();

    bool ok = true;
    int code = 0;
    try {
        produce([&](std::string_view piece) {
            if (ok && !writeAll(fd, piece)) {
                ok = false;
                code = errno;
            }
            return ok;
        });
    } catch (...) {
        // Out of memory while making the bytes: no temporary is left behind.
        ::close(fd);
        ::unlink(temporary.c_str());
        if (lockHolder >= 0)
            ::close(lockHolder);
        throw;
    }
    // The owner goes before the mode, as a change of owner clears the set-id bits.
    if (ok && replacing && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only root may give a file away: anyone else's save keeps its own owner.
    }
    if (ok && ::fchmod(fd, mode) != 0) {
        ok = false;
        code = errno;
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        code = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok)
        ::unlink(temporary.c_str());
    if (lockHolder >= 0)
        ::close(lockHolder);
    if (!ok)
        return cannotWrite(target, code);
    // Make the rename itself durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}
