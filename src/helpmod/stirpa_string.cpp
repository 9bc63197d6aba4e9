// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpmod/stirpa_string.h"

#include "helpmod/number_text.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// Every empty String shares this buffer, so that empty texts (a new box, a
// moved-from String) cost no allocation. Nothing ever writes into a buffer.
char emptyText[] = "";

const char* lastSeparator(const char* text)
{
    const char* found = nullptr;
    for (const char* p = text; *p; ++p) {
        if (*p == '/' || *p == '\\' || *p == ':')
            found = p;
    }
    return found;
}

} // namespace

String::String() : buffer_(emptyText) {}

String::String(const char* bytes) : buffer_(nullptr)
{
    assign(bytes ? bytes : emptyText, bytes ? long(std::strlen(bytes)) : 0);
}

String::String(const char* bytes, long n) : buffer_(nullptr)
{
    if (n <= 0) {
        assign(emptyText, 0);
        return;
    }
    buffer_ = new char[std::size_t(n) + 1];
    // strnlen never reads past the source's terminator nor past n bytes.
    const long copied = bytes ? long(::strnlen(bytes, std::size_t(n))) : 0;
    if (copied > 0)
        std::memcpy(buffer_, bytes, std::size_t(copied));
    if (copied < n)
        std::memset(buffer_ + copied, ' ', std::size_t(n - copied));
    buffer_[n] = '\0';
}

String::String(const char* first, const char* second) : buffer_(nullptr)
{
    const std::size_t a = std::strlen(first), b = std::strlen(second);
    buffer_ = new char[a + b + 1];
    std::memcpy(buffer_, first, a);
    std::memcpy(buffer_ + a, second, b + 1);
}

String::String(int number) : buffer_(nullptr)
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%i", number);
    assign(text, n);
}

String::String(std::string_view bytes) : buffer_(nullptr)
{
    // Stops at an embedded NUL, like every zero-terminated text.
    const std::size_t n = bytes.find('\0');
    assign(bytes.data(), long(n == std::string_view::npos ? bytes.size() : n));
}

String::String(const String& other) : buffer_(nullptr) { assign(other.buffer_, other.length()); }

String::String(String&& other) noexcept : buffer_(std::exchange(other.buffer_, emptyText)) {}

String::~String() { release(buffer_); }

String& String::operator=(const char* bytes)
{
    if (bytes == buffer_)
        return *this;
    char* old = buffer_;
    buffer_ = nullptr;
    assign(bytes ? bytes : emptyText, bytes ? long(std::strlen(bytes)) : 0);
    release(old);
    return *this;
}

String& String::operator=(const String& other) { return *this = other.buffer_; }

String& String::operator=(String&& other) noexcept
{
    std::swap(buffer_, other.buffer_);
    return *this;
}

void String::release(char* buffer)
{
    if (buffer != emptyText)
        delete[] buffer;
}

void String::assign(const char* bytes, long n)
{
    if (n <= 0) {
        buffer_ = emptyText;
        return;
    }
    buffer_ = new char[std::size_t(n) + 1];
    std::memcpy(buffer_, bytes, std::size_t(n));
    buffer_[n] = '\0';
}

long String::length() const { return long(std::strlen(buffer_)); }

int String::toInt() const
{
    const char* cursor = buffer_;
    return clampToInt(readDecimal(cursor));
}

bool String::equals(const char* bytes) const { return std::strcmp(buffer_, bytes) == 0; }

bool String::startsWith(const char* bytes) const
{
    return std::strncmp(buffer_, bytes, std::strlen(bytes)) == 0;
}

String String::fileName() const
{
    const char* separator = lastSeparator(buffer_);
    return String(separator ? separator + 1 : buffer_);
}

String String::directory() const
{
    const char* separator = lastSeparator(buffer_);
    return separator ? String(buffer_, long(separator - buffer_ + 1)) : String();
}

String String::stem() const
{
    const char* dot = std::strrchr(buffer_, '.');
    return dot ? String(buffer_, long(dot - buffer_)) : String(*this);
}

String String::extension() const
{
    const char* dot = std::strrchr(buffer_, '.');
    return dot ? String(dot + 1) : String();
}

String operator+(const String& left, const char* right) { return String(left.c_str(), right); }

String operator+(const String& left, const String& right)
{
    return String(left.c_str(), right.c_str());
}
