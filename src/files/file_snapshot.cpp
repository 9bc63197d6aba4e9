// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_snapshot.h"

#include "base/regular_file.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint64_t mixFactor = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t finalFactor = 0xFF51AFD7ED558CCDULL;

std::uint64_t rotate(std::uint64_t value, int by) { return (value << by) | (value >> (64 - by)); }

// Folds eight bytes at a time into the digest; the last piece may be shorter.
std::uint64_t fold(std::uint64_t digest, const char* bytes, std::size_t count)
{
    while (count > 0) {
        std::uint64_t word = 0;
        const std::size_t taken = count < 8 ? count : 8;
        std::memcpy(&word, bytes, taken);
        digest = rotate(digest ^ (word * mixFactor), 29) * finalFactor + taken;
        bytes += taken;
        count -= taken;
    }
    return digest;
}

long long wallClockNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::optional<std::uint64_t> contentDigest(const std::string& path)
{
    const FileDescriptor fd = openRegularFile(path);
    if (!fd)
        return std::nullopt;
    // Each piece is filled before it is folded, so a short read cannot move
    // the word boundaries.
    std::vector<char> piece(1 << 16);
    std::uint64_t digest = 0;
    std::uint64_t total = 0;
    bool atEnd = false;
    while (!atEnd) {
        std::size_t filled = 0;
        while (filled < piece.size()) {
            const ssize_t count = ::read(fd.get(), piece.data() + filled, piece.size() - filled);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                return std::nullopt;
            if (count == 0) {
                atEnd = true;
                break;
            }
            filled += std::size_t(count);
        }
        digest = fold(digest, piece.data(), filled);
        total += filled;
    }
    // The length goes in last, so a text and the same with zero bytes after it differ.
    digest ^= total * mixFactor;
    digest ^= digest >> 33;
    return digest * finalFactor;
}

FileSnapshot FileSnapshot::of(const std::string& path)
{
    FileSnapshot snapshot;
    snapshot.seenNs_ = wallClockNs();
    snapshot.stamp_ = FileStamp::of(path);
    if (snapshot.stamp_.exists)
        snapshot.digest_ = contentDigest(path);
    return snapshot;
}

bool FileSnapshot::changed(const std::string& path)
{
    const long long nowNs = wallClockNs();
    const FileStamp now = FileStamp::of(path);
    const bool settled = stamp_.modifiedNs + stampGrainNs < seenNs_;
    if (now == stamp_ && (settled || !now.exists))
        return false;
    if (now.exists != stamp_.exists || now.size != stamp_.size || !digest_)
        return true;
    if (contentDigest(path) != digest_)
        return true;
    stamp_ = now;
    seenNs_ = nowNs;
    return false;
}
