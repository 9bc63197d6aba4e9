// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_descriptor.h"

#include <cerrno>
#include <unistd.h>

bool FileDescriptor::close()
{
    const int fd = release();
    return fd < 0 || ::close(fd) == 0;
}

FileDescriptor::~FileDescriptor()
{
    const int code = errno;
    close();
    errno = code;
}
