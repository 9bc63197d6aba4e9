// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/debug_log.h"

#include "base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <streambuf>

namespace {

// Buffered writes to an open file. Without one, or when writing fails, the bytes
// are dropped: the log must never hold up the program.
class LogBuffer : public std::streambuf {
public:
    LogBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }
    ~LogBuffer() override { attach(-1); }

    // Flushes and closes the file written so far; writes go to fd from now on.
    void attach(int fd)
    {
        sync();
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

protected:
    int overflow(int c) override
    {
        sync();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override
    {
        if (fd_ >= 0)
            writeAll(fd_, {pbase(), std::size_t(pptr() - pbase())});
        setp(buffer_, buffer_ + sizeof buffer_);
        return 0;
    }

private:
    char buffer_[1 << 16];
    int fd_ = -1;
};

LogBuffer& logBuffer()
{
    static LogBuffer buffer;
    return buffer;
}

std::ostream& logStream()
{
    static std::ostream stream(&logBuffer());
    return stream;
}

std::ostream*& redirected()
{
    static std::ostream* stream = nullptr;
    return stream;
}

// Why the path cannot be the log, as the end of a sentence.
std::string refusal(const std::string& path, int code)
{
    if (code == ELOOP)
        return path + " is a symbolic link";
    // ENXIO: a FIFO no one reads, or a socket.
    if (code == ENXIO || code == EINVAL)
        return path + " is not a regular file";
    return path + ": " + std::strerror(code);
}

} // namespace

std::ostream& debugLog()
{
    if (redirected())
        return *redirected();
    return logStream();
}

bool openDebugLog(const std::string& path)
{
    logBuffer().attach(-1);
    // Neither a link (whose target would be truncated) nor a FIFO or a device
    // (which may block every write) is followed or written to.
    int fd = ::open(path.c_str(),
                    O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666);
    int code = errno;
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        fd = -1;
        code = EINVAL;
    }
    if (fd < 0) {
        std::cerr << "stirpa: not writing the log: " << refusal(path, code) << '\n';
        return false;
    }
    logBuffer().attach(fd);
    return true;
}

void redirectDebugLog(std::ostream* stream) { redirected() = stream; }
