// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/file_fingerprint.h"

#include "base/regular_file.h"

#include <cerrno>
#include <cstring>
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
    const FileDescriptor fd = openRegularFile(path);
    if (!fd)
        return std::nullopt;
    // Read, not mapped: a file another program shortens meanwhile must give an
    // answer, never a bus error. Whole chunks are multiples of eight bytes, so
    // the words fall as in the reader's copy.
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return std::nullopt;
    constexpr std::size_t chunkSize = std::size_t(1) << 20;
    std::string chunk(chunkSize, '\0');
    std::uint64_t hash = fnvOffset;
    std::size_t total = 0;
    bool failed = false;
    while (true) {
        std::size_t filled = 0;
        while (filled < chunkSize) {
            const ssize_t count = ::read(fd.get(), chunk.data() + filled, chunkSize - filled);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                failed = count < 0;
                break;
            }
            filled += std::size_t(count);
        }
        hash = mix(hash, std::string_view(chunk.data(), filled));
        total += filled;
        if (filled < chunkSize || failed)
            break;
    }
    // A file that changed size while read has no one fingerprint.
    if (failed || total != std::size_t(info.st_size))
        return std::nullopt;
    return nonZero(hash);
}

bool tookInBytes(const FamilyLink& link, std::uint64_t fingerprint)
{
    return link.fileFingerprint != 0 && link.fileFingerprint == fingerprint;
}

bool familyFileUnchanged(const FamilyLink& link, const std::string& path)
{
    return link.fileFingerprint != 0 && tookInBytes(link, fileFingerprint(path).value_or(0));
}
