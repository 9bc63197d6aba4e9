// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// Line reader for chart files. The whole file is read at construction; each
// readLine() hands out the next line without its end of line (LF, CR LF or a lone
// CR), or null when none is left. A returned line stays valid until the next
// readLine() or the reader's end. fail() is true exactly when the file could not
// be opened or read: it is missing, not a regular file (a FIFO or a device is
// never waited on), or larger than the limit given; error() then holds errno.
class LineReader {
public:
    explicit LineReader(const std::string& path, std::size_t limit = std::size_t(-1) / 2);
    // A reader over bytes already in memory (tests, fuzzing).
    static LineReader fromBytes(std::string bytes);

    const char* readLine();
    // The byte count of the line readLine() gave last, up to its end of line (a
    // NUL byte inside the line counts like any other).
    std::size_t lineLength() const { return lineLength_; }

    bool fail() const { return failed_; }
    bool good() const { return !failed_; }
    int error() const { return error_; }

private:
    LineReader() = default;

    std::string bytes_;
    std::size_t next_ = 0;
    std::size_t lineLength_ = 0;
    // Where the next CR is (the size when there is none), once looked for.
    std::size_t nextCr_ = 0;
    bool failed_ = false;
    int error_ = 0;
};
