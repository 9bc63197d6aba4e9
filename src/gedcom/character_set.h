// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <string>
#include <string_view>

enum class CharacterSet {
    Ascii,
    Utf8,
    Utf16LittleEndian,
    Utf16BigEndian,
    Windows1252,
    CodePage437,
    MacRoman,
    Ansel,
};

// The character set a file was read in, and why that one.
struct CharacterSetChoice {
    enum Reason {
        Declared,     // as the file says, or as its byte-order mark says
        Undeclared,   // a guess: the file names no character set
        Unknown,      // a guess: the file names one not known here
        Contradicted, // the bytes are plainly another (UTF-8, UTF-16) than the one named
        Misfit,       // a guess: the bytes cannot be in the one named
    };
    CharacterSet used = CharacterSet::Ascii;
    std::string declared; // the header's CHAR value, upper case; empty when none
    Reason reason = Declared;
};

// The name users know a set by: "UTF-8", "IBM PC (code page 437)".
const char* characterSetName(CharacterSet set);

// The set a CHAR value names ("IBMPC", "IBM WINDOWS", "MACINTOSH", ...), or
// false when it names none known here. UNICODE gives UTF-16 little-endian.
bool declaredSet(std::string_view value, CharacterSet& set);

// What to tell the user when the set was not the one declared: a message
// without the file's name (status Ok; empty pattern when there is nothing to tell).
Result characterSetNote(const CharacterSetChoice& choice);
