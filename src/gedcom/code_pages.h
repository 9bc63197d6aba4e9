// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/character_set.h"

#include <string>
#include <string_view>

// Bytes in one of the single-byte sets (Windows-1252, code page 437, Mac Roman,
// ANSEL) as UTF-8, by tables of our own; every byte becomes a character. Any
// other set leaves the bytes as they are.
std::string fromSingleByteSet(std::string_view bytes, CharacterSet set);
