// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileDescriptor openRegularFile(const std::string& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd)
        return fd;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        const int code = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        fd.close();
        errno = code;
        return fd;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool readAtMost(int fd, std::size_t limit, std::string& bytes)
{
    // Sized by the file first: growing chunk by chunk would hold up to three
    // times the file at once. The size is a hint only; the file may change.
    struct stat info {};
    std::size_t expected = 0;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        if (std::size_t(info.st_size) > limit) {
            errno = EFBIG;
            return false;
        }
        expected = std::size_t(info.st_size);
    }
    const std::size_t start = bytes.size();
    bytes.resize(start + expected + 1);
    std::size_t filled = start;
    while (true) {
        if (filled == bytes.size()) {
            if (filled - start > limit)
                break;
            bytes.resize(filled + (filled - start) / 2 + (1 << 16));
        }
        // One byte past the limit tells an endless or oversized file.
        const std::size_t room = bytes.size() - filled;
        const std::size_t wanted = std::min(room, limit + 1 - (filled - start));
        const ssize_t count = ::read(fd, bytes.data() + filled, wanted);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            bytes.resize(filled);
            return false;
        }
        if (count == 0)
            break;
        filled += std::size_t(count);
        if (filled - start > limit)
            break;
    }
    bytes.resize(filled);
    if (filled - start > limit) {
        errno = EFBIG;
        return false;
    }
    return true;
}

bool writeAll(int fd, std::string_view bytes)
{
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= std::size_t(written);
    }
    return true;
}

std::string readFileStart(const std::string& path, std::size_t size)
{
    const FileDescriptor fd = openRegularFile(path);
    if (!fd)
        return {};
    std::string bytes(size, '\0');
    ssize_t count = 0;
    do {
        count = ::pread(fd.get(), bytes.data(), size, 0);
    } while (count < 0 && errno == EINTR);
    bytes.resize(count > 0 ? std::size_t(count) : 0);
    // A line cut short could tell something else than the whole line.
    if (bytes.size() == size)
        bytes.resize(bytes.find_last_of("\r\n") + 1);
    return bytes;
}

bool sameFile(const std::string& first, const std::string& second)
{
    struct stat a {
    }, b{};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string resolvedPath(const std::string& path)
{
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer))
        return buffer;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    if (::realpath(folder.c_str(), buffer))
        return std::string(buffer) + (std::string_view(buffer) == "/" ? "" : "/") +
               path.substr(slash + 1);
    return path;
}

std::string folderOfPath(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOfPath(const std::string& path) { return path.substr(path.rfind('/') + 1); }
