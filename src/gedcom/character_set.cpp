// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/character_set.h"

#include <utility>

namespace {

// CHAR values by their letters and digits alone, in upper case: "IBM WINDOWS",
// "ibm-windows" and "IBMWINDOWS" are the same declaration.
constexpr std::pair<std::string_view, CharacterSet> declarations[] = {
    {"UTF8", CharacterSet::Utf8},
    {"UNICODE", CharacterSet::Utf16LittleEndian},
    {"UTF16", CharacterSet::Utf16LittleEndian},
    {"UTF16LE", CharacterSet::Utf16LittleEndian},
    {"UCS2", CharacterSet::Utf16LittleEndian},
    {"UTF16BE", CharacterSet::Utf16BigEndian},
    {"ANSEL", CharacterSet::Ansel},
    {"ANSI", CharacterSet::Windows1252},
    {"IBMWINDOWS", CharacterSet::Windows1252},
    {"WINDOWS", CharacterSet::Windows1252},
    {"WINDOWS1252", CharacterSet::Windows1252},
    {"CP1252", CharacterSet::Windows1252},
    {"LATIN1", CharacterSet::Windows1252},
    {"ISO88591", CharacterSet::Windows1252},
    {"IBMPC", CharacterSet::CodePage437},
    {"IBMDOS", CharacterSet::CodePage437},
    {"DOS", CharacterSet::CodePage437},
    {"MSDOS", CharacterSet::CodePage437},
    {"PC8", CharacterSet::CodePage437},
    {"CP437", CharacterSet::CodePage437},
    {"IBM437", CharacterSet::CodePage437},
    {"MACINTOSH", CharacterSet::MacRoman},
    {"MAC", CharacterSet::MacRoman},
    {"MACROMAN", CharacterSet::MacRoman},
    {"APPLEROMAN", CharacterSet::MacRoman},
    {"ASCII", CharacterSet::Ascii},
    {"USASCII", CharacterSet::Ascii},
    {"ANSIX34", CharacterSet::Ascii},
    {"ANSIX341986", CharacterSet::Ascii},
};

} // namespace

const char* characterSetName(CharacterSet set)
{
    switch (set) {
    case CharacterSet::Ascii:
        return "ASCII";
    case CharacterSet::Utf8:
        return "UTF-8";
    case CharacterSet::Utf16LittleEndian:
        return "UTF-16 little-endian";
    case CharacterSet::Utf16BigEndian:
        return "UTF-16 big-endian";
    case CharacterSet::Windows1252:
        return "Windows-1252 (ANSI)";
    case CharacterSet::CodePage437:
        return "IBM PC (code page 437)";
    case CharacterSet::MacRoman:
        return "Macintosh (Mac Roman)";
    case CharacterSet::Ansel:
        return "ANSEL";
    }
    return "";
}

bool declaredSet(std::string_view value, CharacterSet& set)
{
    std::string key;
    for (const char c : value) {
        if (c >= 'a' && c <= 'z')
            key += char(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            key += c;
    }
    for (const auto& [name, named] : declarations) {
        if (name == key) {
            set = named;
            return true;
        }
    }
    return false;
}

Result characterSetNote(const CharacterSetChoice& choice)
{
    const std::string used = characterSetName(choice.used);
    switch (choice.reason) {
    case CharacterSetChoice::Declared:
        break;
    case CharacterSetChoice::Undeclared:
        return {Result::Ok,
                0,
                STIRPA_TR_NOOP("Message",
                               "The file names no character set; it was read as %1, a guess."),
                {used}};
    case CharacterSetChoice::Unknown:
        return {Result::Ok,
                0,
                STIRPA_TR_NOOP("Message", "The file names the character set %1, which is not "
                                          "known here; it was read as %2, a guess."),
                {choice.declared, used}};
    case CharacterSetChoice::Contradicted:
        return {Result::Ok,
                0,
                STIRPA_TR_NOOP("Message", "The file names the character set %1, but its bytes "
                                          "are %2; it was read as %2."),
                {choice.declared, used}};
    case CharacterSetChoice::Misfit:
        return {Result::Ok,
                0,
                STIRPA_TR_NOOP("Message", "The file names the character set %1, which its "
                                          "bytes do not fit; it was read as %2, a guess."),
                {choice.declared, used}};
    }
    return {};
}
