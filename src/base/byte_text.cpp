// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/byte_text.h"

#include <cstring>

std::string paddedBytes(const char* bytes, long n)
{
    if (n <= 0)
        return {};
    // strnlen never reads past the source's terminator nor past n bytes.
    const std::size_t copied = bytes ? ::strnlen(bytes, std::size_t(n)) : 0;
    std::string text(bytes ? bytes : "", copied);
    text.append(std::size_t(n) - copied, ' ');
    return text;
}

namespace {
std::size_t afterLastSeparator(std::string_view path)
{
    const std::size_t separator = path.find_last_of("/\\:");
    return separator == std::string_view::npos ? 0 : separator + 1;
}
} // namespace

std::string_view fileNamePart(std::string_view path)
{
    return path.substr(afterLastSeparator(path));
}

std::string_view folderPart(std::string_view path)
{
    return path.substr(0, afterLastSeparator(path));
}

std::string_view withoutExtension(std::string_view path)
{
    return path.substr(0, path.rfind('.'));
}

std::string_view extensionPart(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
}
