// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/line_reader.h"

#include "base/regular_file.h"

#include <cerrno>
#include <cstring>

LineReader::LineReader(const std::string& path, std::size_t limit)
{
    const FileDescriptor fd = openRegularFile(path);
    failed_ = !fd || !readAtMost(fd.get(), limit, bytes_);
    if (failed_) {
        error_ = errno;
        bytes_.clear();
    }
}

LineReader LineReader::fromBytes(std::string bytes)
{
    LineReader reader;
    reader.bytes_ = std::move(bytes);
    return reader;
}

const char* LineReader::readLine()
{
    if (failed_ || next_ >= bytes_.size())
        return nullptr;
    const std::size_t start = next_;
    char* const first = bytes_.data() + start;
    const std::size_t left = bytes_.size() - start;
    // Vector scans for each kind of end of line beat a byte-by-byte scan; the
    // next CR is remembered, as most files have none or one on every line.
    if (nextCr_ <= start) {
        const void* cr = std::memchr(first, '\r', left);
        nextCr_ = cr ? std::size_t(static_cast<const char*>(cr) - bytes_.data()) : bytes_.size();
    }
    const void* lf = std::memchr(first, '\n', nextCr_ - start);
    const std::size_t end =
        lf ? std::size_t(static_cast<const char*>(lf) - bytes_.data()) : nextCr_;
    lineLength_ = end - start;
    if (end == bytes_.size()) {
        next_ = end;
    } else {
        next_ = end + 1;
        if (bytes_[end] == '\r' && next_ < bytes_.size() && bytes_[next_] == '\n')
            ++next_;
        bytes_[end] = '\0';
    }
    return bytes_.data() + start;
}
