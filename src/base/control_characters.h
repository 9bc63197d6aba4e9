// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Control characters: C0 bytes, DEL, and C1 written as UTF-8 (C2 80 to C2 9F),
// besides the C0 characters a caller keeps; with them the noncharacters U+FFFE
// and U+FFFF, which no XML may hold either. Bytes of any other character set
// are left as they are.

// Whether a control character may start with the byte: a quick test for long texts.
constexpr bool mayStartControlCharacter(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7F || value == 0xC2 || value == 0xEF;
}

// The length of the control character at `at` (1 to 3 bytes), or 0 when none
// starts there.
std::size_t controlCharacterLength(std::string_view text, std::size_t at, std::string_view kept);

// The text with each control character replaced by U+FFFD, so that it shows
// where one stood and nothing reading the text takes it for a command.
std::string withControlsReplaced(std::string_view text, std::string_view kept);
