// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Description bytes for display: kept as they are when they are valid UTF-8,
// otherwise read as Windows-1252. The result is always valid UTF-8.
std::string displayText(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);

// The length of the UTF-8 character that starts at `at` (1 for ASCII), or 0
// when the bytes there are no valid UTF-8.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t at);

// Windows-1252 bytes as UTF-8; the five unassigned bytes become U+FFFD.
std::string fromWindows1252(std::string_view bytes);

// The code point of valid UTF-8 that starts at `at`, which moves past it.
char32_t nextCodePoint(std::string_view utf8, std::size_t& at);

// Appends one code point (at most U+10FFFF) in UTF-8.
void appendUtf8(std::string& out, char32_t code);
