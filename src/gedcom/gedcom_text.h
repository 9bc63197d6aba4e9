// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/character_set.h"

#include <cstddef>
#include <string>
#include <vector>

// A GEDCOM file's bytes as UTF-8 text, and the character set they were read in.
struct GedcomText {
    std::string utf8;
    CharacterSetChoice characterSet;
    std::vector<std::string> warnings; // what could not be read
    std::size_t controlsLeftOut = 0;   // control characters, see decodeGedcom
};

// Decodes any bytes, never refusing them for their character set. UTF-16 by its
// byte-order mark or, without one, by where its zero bytes are; otherwise valid
// UTF-8 is UTF-8 whatever the header's CHAR line says (UTF-8 with fewer stray
// bytes than characters too, each stray byte read as Windows-1252 where it
// stands and warned of by its line), and other bytes are read
// in the single-byte set it names (ANSI, IBMPC, MACINTOSH, ANSEL, ...), or in
// the likeliest one when it names none or one they cannot be in.
// Every control character but tab and the line ends (see control_characters.h)
// is then left out, with a warning: left out rather than replaced, so the text
// never grows, and no name carries one into a chart, a terminal or a page.
GedcomText decodeGedcom(std::string bytes);
