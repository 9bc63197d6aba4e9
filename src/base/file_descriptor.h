// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

// An open file descriptor, closed by its owner when it goes: moved, never
// copied. -1 holds none.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    // Closing as it goes leaves errno as it was.
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other) {
            close();
            fd_ = other.release();
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Lets go of the descriptor without closing it.
    int release() { return std::exchange(fd_, -1); }
    // Closes it now; false with errno set when the close fails (a write to a
    // file can fail only there). One that holds none closes fine.
    bool close();

private:
    int fd_ = -1;
};
