// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/file_fingerprint.h"

#include "base/regular_file.h"

#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint64_t fnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t fnvPrime = 1099511628211ULL;

// FNV-1a over eight bytes at a time, then the bytes left: each step is one to
// one, so a file that differs in one word always differs in its fingerprint.
std::uint64_t mix(std::uint64_t hash, std::string_view bytes)
{
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        hash = (hash ^ word) * fnvPrime;
    }
    for (; i < bytes.size(); ++i)
        hash = (hash ^ std::uint8_t(bytes[i])) * fnvPrime;
    return hash;
}

// 0 stands for "not known" in a chart.
std::uint64_t nonZero(std::uint64_t hash) { return hash == 0 ? 1 : hash; }

} // namespace

std::uint64_t bytesFingerprint(std::string_view bytes) { return nonZero(mix(fnvOffset, bytes)); }

std::optional<std::uint64_t> fileFingerprint(const std::string& path)
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    // Mapped whole, not copied: the words fall as in the reader's copy.
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    const std::size_t size = std::size_t(info.st_size);
    if (size == 0) {
        ::close(fd);
        return bytesFingerprint({});
    }
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED)
        return std::nullopt;
    const std::uint64_t fingerprint =
        bytesFingerprint(std::string_view(static_cast<const char*>(mapped), size));
    ::munmap(mapped, size);
    return fingerprint;
}

bool tookInBytes(const FamilyLink& link, std::uint64_t fingerprint)
{
    return link.fileFingerprint != 0 && link.fileFingerprint == fingerprint;
}

bool familyFileUnchanged(const FamilyLink& link, const std::string& path)
{
    return link.fileFingerprint != 0 && tookInBytes(link, fileFingerprint(path).value_or(0));
}
