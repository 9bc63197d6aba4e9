// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/folder_lock.h"

#include "base/regular_file.h"
#include "files/lock_holder.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

struct Folder {
    std::string path;
    FileDescriptor fd;
    std::pair<dev_t, ino_t> identity;
};

} // namespace

FolderLock::FolderLock(const std::vector<std::string>& paths)
{
    std::vector<Folder> folders;
    for (const std::string& path : paths) {
        const std::string folder = folderOfPath(path);
        FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat info {};
        if (!fd || ::fstat(fd.get(), &info) != 0)
            continue;
        folders.push_back({folder, std::move(fd), {info.st_dev, info.st_ino}});
    }
    std::sort(folders.begin(), folders.end(),
              [](const Folder& a, const Folder& b) { return a.identity < b.identity; });
    for (std::size_t i = 0; i < folders.size(); ++i) {
        Folder& folder = folders[i];
        if (i > 0 && folder.identity == folders[i - 1].identity)
            continue; // closed with the list
        const int fd = folder.fd.get();
        descriptors_.push_back(std::move(folder.fd));
        if (!acquired_)
            continue; // closed with the rest
        if (Result locked = lockWaitingAtMost(fd, folder.path); !locked) {
            acquired_ = std::move(locked);
            for (const FileDescriptor& held : descriptors_)
                ::flock(held.get(), LOCK_UN);
        }
    }
}

// Closing the descriptors ends their locks.
FolderLock::~FolderLock() = default;
