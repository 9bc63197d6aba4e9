// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/file_fingerprint.h"

#include "base/regular_file.h"

#include <unistd.h>

namespace {

constexpr std::uint64_t fnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t fnvPrime = 1099511628211ULL;

std::uint64_t mix(std::uint64_t hash, std::string_view bytes)
{
    for (const char byte : bytes)
        hash = (hash ^ std::uint8_t(byte)) * fnvPrime;
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
    std::uint64_t hash = fnvOffset;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (count == 0)
            break;
        hash = mix(hash, std::string_view(buffer, std::size_t(count)));
    }
    ::close(fd);
    return nonZero(hash);
}
