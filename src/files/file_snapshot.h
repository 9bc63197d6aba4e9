// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/file_stamp.h"

#include <cstdint>
#include <optional>
#include <string>

// A file as it was seen: its stamp and a digest of its bytes, so that a file
// whose times alone changed (touched, restored by a backup program) or that was
// written again with the same bytes counts as unchanged, while other bytes of
// the same size, even within the second, count as a change.
class FileSnapshot {
public:
    // The snapshot of no file.
    FileSnapshot() = default;
    // Takes the stamp, then reads the file for its digest; a file that cannot be
    // read has none, and every later look at it finds it changed.
    static FileSnapshot of(const std::string& path);

    // Whether the file at path now holds other bytes than when the snapshot was
    // taken, or has come or gone. Compares the stamp, then the size, then the
    // digest; when only the stamp differs the snapshot takes the new one, so the
    // next look needs no reading.
    bool changed(const std::string& path);

private:
    // A file system may keep times to the second or two: a file stamped this
    // near to when it was looked at may change again without a new stamp.
    static constexpr long long stampGrainNs = 2'000'000'000;

    FileStamp stamp_;
    std::optional<std::uint64_t> digest_;
    long long seenNs_ = 0; // the wall-clock time the stamp was taken
};

// A 64-bit digest of a regular file's bytes, read piece by piece; nullopt when
// the file cannot be read.
std::optional<std::uint64_t> contentDigest(const std::string& path);
