// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The program's own owned, zero-terminated byte string. Bytes are taken as they
// are; there is no character-set conversion. The buffer is never null.
class String {
public:
    String();
    String(const char* bytes);
    // Exactly n bytes: copied from `bytes` up to its terminator, then padded with
    // blanks. A count of 0 or less gives the empty text.
    String(const char* bytes, long n);
    String(const char* first, const char* second);
    explicit String(int number);
    explicit String(std::string_view bytes);
    String(const String& other);
    String(String&& other) noexcept;
    ~String();

    String& operator=(const char* bytes);
    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;

    const char* c_str() const { return buffer_; }
    operator const char*() const { return buffer_; }
    std::string_view view() const { return buffer_; }
    std::string toStdString() const { return buffer_; }

    long length() const;
    bool isEmpty() const { return buffer_[0] == '\0'; }
    // The semantics of atoi, saturated to the int range instead of overflowing.
    int toInt() const;
    bool equals(const char* bytes) const;
    bool startsWith(const char* bytes) const;

    // Path parts; '/', '\' and ':' all separate directories.
    String fileName() const;
    String directory() const;
    String stem() const;
    String extension() const;

private:
    void assign(const char* bytes, long n);
    static void release(char* buffer);

    char* buffer_;
};

String operator+(const String& left, const char* right);
String operator+(const String& left, const String& right);
