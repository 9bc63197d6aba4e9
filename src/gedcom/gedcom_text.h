// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// A GEDCOM file's bytes as UTF-8 text, or why they cannot be read.
struct GedcomText {
    bool ok = false;
    std::string utf8;
    std::string error;
};

// Decodes by the byte-order mark (UTF-8, UTF-16 either way), else by the header's
// CHAR line: UTF-8 (also ASCII and no CHAR at all; invalid bytes are read as
// Windows-1252), ANSI (Windows-1252) or ANSEL. Any other CHAR is refused.
GedcomText decodeGedcom(std::string bytes);
