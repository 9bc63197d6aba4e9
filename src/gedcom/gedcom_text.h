// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <string>
#include <string_view>

// A GEDCOM file's bytes as UTF-8 text, or why they cannot be read.
struct GedcomText {
    std::string utf8;
    // Why not, when the bytes cannot be read: its pattern's %1 stands for the
    // file's path, which its args leave out.
    Result result;
};

// Decodes by the byte-order mark (UTF-8, UTF-16 either way), else by the header's
// CHAR line: UTF-8 (also ASCII and no CHAR at all; invalid bytes are read as
// Windows-1252), ANSI (Windows-1252) or ANSEL. Any other CHAR is refused.
GedcomText decodeGedcom(std::string bytes);
