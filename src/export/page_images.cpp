// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/page_images.h"

#include "base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// An image is a few hundred bytes; anything far larger is not one of ours.
constexpr std::size_t maxImageSize = 1 << 20;

bool exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Reads the image; false, with errno set, when it cannot be had.
bool readImage(const std::string& path, std::string& bytes)
{
    const FileDescriptor fd = openRegularFile(path);
    return fd && readAtMost(fd.get(), maxImageSize, bytes);
}

// Writes a new file only: one that appeared meanwhile stays as it is (EEXIST).
bool writeNewFile(const std::string& path, const std::string& bytes)
{
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd)
        return false;
    bool written = writeAll(fd.get(), bytes);
    int code = errno;
    if (!fd.close() && written) {
        written = false;
        code = errno;
    }
    if (written)
        return true;
    ::unlink(path.c_str());
    errno = code;
    return false;
}

} // namespace

std::vector<Result> copyPageImages(const std::string& templateFolder, const std::string& pageFolder)
{
    std::vector<Result> lines;
    std::string copied;
    for (const std::string& name : pageImageNames) {
        const std::string source = templateFolder + "/" + name;
        const std::string target = pageFolder + "/" + name;
        if (exists(target) || !exists(source))
            continue;
        std::string bytes;
        if (!readImage(source, bytes) || !writeNewFile(target, bytes)) {
            if (errno != EEXIST)
                lines.push_back(
                    Result::note(STIRPA_TR_NOOP("Message", "Cannot copy %1 beside the page: %2."),
                                 {name, std::strerror(errno)}));
            continue;
        }
        copied += (copied.empty() ? "" : ", ") + name;
    }
    if (!copied.empty())
        lines.insert(lines.begin(),
                     Result::note(STIRPA_TR_NOOP("Message", "Copied %1 beside the page from %2."),
                                  {copied, templateFolder}));
    return lines;
}
