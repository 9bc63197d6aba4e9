// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/folder_lock.h"

#include "files/lock_holder.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

struct Folder {
    std::string path;
    int fd;
    std::pair<dev_t, ino_t> identity;
};

std::string folderOf(const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

} // namespace

FolderLock::FolderLock(const std::vector<std::string>& paths)
{
    std::vector<Folder> folders;
    for (const std::string& path : paths) {
        const std::string folder = folderOf(path);
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0)
            continue;
        if (::fstat(fd, &info) != 0) {
            ::close(fd);
            continue;
        }
        folders.push_back({folder, fd, {info.st_dev, info.st_ino}});
    }
    std::sort(folders.begin(), folders.end(),
              [](const Folder& a, const Folder& b) { return a.identity < b.identity; });
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const Folder& folder = folders[i];
        if (i > 0 && folder.identity == folders[i - 1].identity) {
            ::close(folder.fd);
            continue;
        }
        descriptors_.push_back(folder.fd);
        if (!acquired_)
            continue; // closed with the rest
        if (Result locked = lockWaitingAtMost(folder.fd, folder.path); !locked) {
            acquired_ = std::move(locked);
            for (const int fd : descriptors_)
                ::flock(fd, LOCK_UN);
        }
    }
}

FolderLock::~FolderLock()
{
    // Closing the descriptor ends its lock.
    for (const int fd : descriptors_)
        ::close(fd);
}
