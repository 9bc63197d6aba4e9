// SPDX-License-Identifier: GPL-3.0-or-later
#include "mem_file.h"

#include <cstdio>

memFile::memFile(const String& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        failed_ = true;
        return;
    }
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
    std::size_t end = bytes_.find_first_of("\r\n", start);
    if (end == std::string::npos) {
        end = bytes_.size();
        next_ = end;
    } else {
        next_ = end + 1;
        if (bytes_[end] == '\r' && next_ < bytes_.size() && bytes_[next_] == '\n')
            ++next_;
        bytes_[end] = '\0';
    }
    return bytes_.data() + start;
}
