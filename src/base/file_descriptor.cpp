// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_descriptor.h"

#include <unistd.h>

bool FileDescriptor::close()
{
    const int fd = release();
    return fd < 0 || ::close(fd) == 0;
}
