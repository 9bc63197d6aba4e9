// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// 0x00BBGGRR, red in the low byte; noColour means "no colour".
using Colour = std::uint32_t;

inline constexpr Colour noColour = 0x01000000;

constexpr Colour rgb(int r, int g, int b) { return Colour(r) | Colour(g) << 8 | Colour(b) << 16; }
constexpr int redOf(Colour c) { return int(c & 0xFF); }
constexpr int greenOf(Colour c) { return int(c >> 8 & 0xFF); }
constexpr int blueOf(Colour c) { return int(c >> 16 & 0xFF); }

struct NamedColour {
    std::string_view name;
    Colour value;
};

// The named palette, in its fixed order; the last entry (empty name) is noColour.
inline constexpr NamedColour palette[] = {
    {"black", 0x00000000},    {"red", 0x000000FF},
    {"green", 0x0000FF00},    {"blue", 0x00FF0000},
    {"pink", 0x00FF00FF},     {"cyan", 0x00FFFF00},
    {"yellow", 0x0000FFFF},   {"white", 0x00FFFFFF},
    {"darkred", 0x00000055},  {"darkgreen", 0x00005500},
    {"darkblue", 0x00550000}, {"darkpink", 0x00550055},
    {"darkcyan", 0x00555500}, {"darkyellow", 0x00005555},
    {"darkgrey", 0x00555555}, {"palegrey", 0x00AAAAAA},
    {"palered", 0x00AAAAFF},  {"palegreen", 0x00AAFFAA},
    {"paleblue", 0x00FFAAAA}, {"palepink", 0x00FFAAFF},
    {"palecyan", 0x00FFFFAA}, {"paleyellow", 0x00AAFFFF},
    {"", noColour},
};

// The colour of a palette name; noColour for an unknown name.
constexpr Colour namedColour(std::string_view name)
{
    for (const NamedColour& entry : palette) {
        if (entry.name == name)
            return entry.value;
    }
    return noColour;
}

namespace colours {
inline constexpr Colour red = namedColour("red");
inline constexpr Colour white = namedColour("white");
inline constexpr Colour darkblue = namedColour("darkblue");
inline constexpr Colour paleblue = namedColour("paleblue");
inline constexpr Colour palecyan = namedColour("palecyan");
inline constexpr Colour paleyellow = namedColour("paleyellow");
inline constexpr Colour generationFill = 0x00C8B4B4;
// Orange: the frame of a find match, unlike any box or selection colour.
inline constexpr Colour findMark = 0x00008CFF;
} // namespace colours
