// SPDX-License-Identifier: GPL-3.0-or-later
#include "mem_file.h"

#include <fstream>
#include <sstream>

memFile::memFile(const String& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) {
        failed_ = true;
        return;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        failed_ = true;
        return;
    }
    bytes_ = std::move(content).str();
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
