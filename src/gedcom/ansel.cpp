// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/ansel.h"

#include "model/text_codec.h"

#include <cstdint>
#include <vector>

namespace {

// The spacing characters 0xA1 to 0xCF; 0 marks bytes with no character.
constexpr char16_t spacing[0xD0 - 0xA1] = {
    0x0141, 0x00D8, 0x0110, 0x00DE, 0x00C6, 0x0152, 0x02B9, 0x00B7, 0x266D, 0x00AE, 0x00B1, // A1-AB
    0x01A0, 0x01AF, 0x02BC, 0,      0x02BB, 0x0142, 0x00F8, 0x0111, 0x00FE, 0x00E6, 0x0153, // AC-B6
    0x02BA, 0x0131, 0x00A3, 0x00F0, 0,      0x01A1, 0x01B0, 0x25A1, 0x25A0, 0x00B0, 0x2113, // B7-C1
    0x2117, 0x00A9, 0x266F, 0x00BF, 0x00A1, 0x00DF, 0x20AC, 0,      0,      0,      0,      // C2-CC
    0x0065, 0x006F, 0x00DF,                                                                 // CD-CF
};

// The combining diacritics 0xE0 to 0xFE.
constexpr char16_t combining[0xFF - 0xE0] = {
    0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307, 0x0308, 0x030C, 0x030A,
    0xFE20, 0xFE21, 0x0315, 0x030B, 0x0310, 0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333,
    0x0332, 0x0326, 0x031C, 0x032E, 0xFE22, 0xFE23, 0,      0,      0x0313,
};

// Letters that Unicode has ready-made with a diacritic: the letters, and the
// composed characters in the same order.
struct Composition {
    char16_t mark;
    std::string_view letters;
    std::u16string_view composed;
};
constexpr Composition compositions[] = {
    {0x0300, "AEIOUaeiou", u"\u00C0\u00C8\u00CC\u00D2\u00D9\u00E0\u00E8\u00EC\u00F2\u00F9"},
    {0x0301, "AEIOUYaeiouyCcLlNnRrSsZz",
     u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD\u00E1\u00E9\u00ED\u00F3\u00FA\u00FD"
     u"\u0106\u0107\u0139\u013A\u0143\u0144\u0154\u0155\u015A\u015B\u0179\u017A"},
    {0x0302, "AEIOUaeiouCcGgHhJjSsWwYy",
     u"\u00C2\u00CA\u00CE\u00D4\u00DB\u00E2\u00EA\u00EE\u00F4\u00FB"
     u"\u0108\u0109\u011C\u011D\u0124\u0125\u0134\u0135\u015C\u015D\u0174\u0175\u0176\u0177"},
    {0x0303, "ANOanoIiUu", u"\u00C3\u00D1\u00D5\u00E3\u00F1\u00F5\u0128\u0129\u0168\u0169"},
    {0x0304, "AaEeIiOoUu", u"\u0100\u0101\u0112\u0113\u012A\u012B\u014C\u014D\u016A\u016B"},
    {0x0306, "AaGgUuEeIiOo",
     u"\u0102\u0103\u011E\u011F\u016C\u016D\u0114\u0115\u012C\u012D\u014E\u014F"},
    {0x0307, "CcEeGgIZz", u"\u010A\u010B\u0116\u0117\u0120\u0121\u0130\u017B\u017C"},
    {0x0308, "AEIOUaeiouyY",
     u"\u00C4\u00CB\u00CF\u00D6\u00DC\u00E4\u00EB\u00EF\u00F6\u00FC\u00FF\u0178"},
    {0x030A, "AaUu", u"\u00C5\u00E5\u016E\u016F"},
    {0x030B, "OoUu", u"\u0150\u0151\u0170\u0171"},
    {0x030C, "CcDdEeNnRrSsTtZz",
     u"\u010C\u010D\u010E\u010F\u011A\u011B\u0147\u0148\u0158\u0159\u0160\u0161\u0164\u0165\u017D"
     u"\u017E"},
    {0x0327, "CcGgKkLlNnRrSsTt",
     u"\u00C7\u00E7\u0122\u0123\u0136\u0137\u013B\u013C\u0145\u0146\u0156\u0157\u015E\u015F\u0162"
     u"\u0163"},
    {0x0328, "AaEeIiUu", u"\u0104\u0105\u0118\u0119\u012E\u012F\u0172\u0173"},
};

char32_t composed(char letter, char16_t mark)
{
    for (const Composition& c : compositions) {
        if (c.mark != mark)
            continue;
        const std::size_t at = c.letters.find(letter);
        return at == std::string_view::npos ? 0 : c.composed[at];
    }
    return 0;
}

char32_t spacingCharacter(std::uint8_t byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xA1 && byte <= 0xCF && spacing[byte - 0xA1])
        return spacing[byte - 0xA1];
    return 0xFFFD;
}

} // namespace

std::string fromAnsel(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    std::vector<char16_t> marks; // diacritics waiting for their letter
    for (const char c : bytes) {
        const auto byte = std::uint8_t(c);
        if (byte >= 0xE0 && byte <= 0xFE && combining[byte - 0xE0]) {
            marks.push_back(combining[byte - 0xE0]);
            continue;
        }
        const char32_t base = spacingCharacter(byte);
        const char32_t single =
            marks.size() == 1 && base < 0x80 ? composed(char(base), marks[0]) : 0;
        if (single) {
            appendUtf8(out, single);
        } else {
            appendUtf8(out, base);
            for (const char16_t mark : marks)
                appendUtf8(out, mark);
        }
        marks.clear();
    }
    for (const char16_t mark : marks)
        appendUtf8(out, mark);
    return out;
}
