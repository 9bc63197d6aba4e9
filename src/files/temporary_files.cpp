// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/temporary_files.h"

#include "base/file_descriptor.h"

#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t markLength = sizeof temporaryMark - 1;
constexpr std::size_t suffixLength = 6;

bool isLetterOrDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string temporaryStem(std::string_view name)
{
    return std::string(
        name.substr(0, std::min(name.size(), std::size_t(NAME_MAX) - markLength - suffixLength)));
}

std::string_view fileOfTemporary(std::string_view entry)
{
    if (entry.size() <= markLength + suffixLength)
        return {};
    const std::string_view suffix = entry.substr(entry.size() - suffixLength);
    const std::size_t mark = entry.size() - suffixLength - markLength;
    if (!std::all_of(suffix.begin(), suffix.end(), isLetterOrDigit) ||
        entry.substr(mark, markLength) != temporaryMark)
        return {};
    return entry.substr(0, mark);
}

std::string newTemporaryName(std::string_view name)
{
    static constexpr char letters[] =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string temporary = temporaryStem(name) + temporaryMark;
    for (std::size_t i = 0; i < suffixLength; ++i)
        temporary += letters[pick(random)];
    return temporary;
}

void removeStaleTemporary(int folder, const std::string& name)
{
    const FileDescriptor fd(
        ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid() && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
        ::unlinkat(folder, name.c_str(), 0);
}
