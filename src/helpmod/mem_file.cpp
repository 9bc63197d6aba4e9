// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpmod/mem_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

memFile::memFile(const String& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        failed_ = true;
        return;
    }
    // Read straight into a buffer of the file's size: growing one chunk by chunk
    // would hold up to three times the file at once.
    struct stat info {};
    if (::fstat(::fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        bytes_.resize(std::size_t(info.st_size));
        bytes_.resize(std::fread(bytes_.data(), 1, bytes_.size(), file));
    }
    // Whatever the size did not tell: a file that grew meanwhile, or a pipe.
    char chunk[1 << 16];
    std::size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes_.append(chunk, count);
    // A folder opens but cannot be read (EISDIR); it must not pass for an empty file.
    failed_ = std::ferror(file) != 0;
    std::fclose(file);
    if (failed_)
        bytes_.clear();
}

memFile memFile::fromBytes(std::string bytes)
{
    memFile reader;
    reader.bytes_ = std::move(bytes);
    return reader;
}

const char* memFile::readLine()
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
