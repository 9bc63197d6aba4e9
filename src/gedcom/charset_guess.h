// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/character_set.h"

#include <string_view>

// The single-byte set (Windows-1252, code page 437, Mac Roman or ANSEL) whose
// reading of the bytes above 127 looks most like names and places: letters
// inside words, in the case of the letters around them, rather than symbols,
// control characters or loose accents. Windows-1252 when nothing tells them
// apart. Looks at no more than the first 64 KiB of lines with such bytes.
CharacterSet likeliestSingleByteSet(std::string_view bytes);
