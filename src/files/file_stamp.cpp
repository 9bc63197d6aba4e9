// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_stamp.h"

#include <sys/stat.h>

FileStamp FileStamp::of(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino, info.st_size,
            info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}
