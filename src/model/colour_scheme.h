// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// How an imported chart colours its boxes: by the branch of the root's family
// each person belongs to, by sex, by generation, or not at all.
enum class ColourScheme : char { None, Branch, Sex, Generation };

// "none", "branch", "sex", "generation": the command line's and the help's words.
std::string_view schemeName(ColourScheme scheme);
// The scheme of a name above; false for any other name.
bool parseSchemeName(std::string_view name, ColourScheme& scheme);

namespace boxColours {
// Light tints that readers with any common colour blindness tell apart, each
// light enough for the box's dark blue text to keep a contrast of 4.5 to 1.
inline constexpr std::array<Colour, 9> palette = {
    rgb(0x77, 0xAA, 0xDD), // blue
    rgb(0xEE, 0x88, 0x66), // orange
    rgb(0x44, 0xBB, 0x99), // mint
    rgb(0xEE, 0xDD, 0x88), // sand
    rgb(0xFF, 0xAA, 0xBB), // pink
    rgb(0x99, 0xDD, 0xFF), // sky
    rgb(0xBB, 0xCC, 0x33), // pear
    rgb(0xCC, 0xAA, 0xEE), // lilac
    rgb(0xDD, 0xDD, 0xDD), // grey
};
inline constexpr Colour men = palette[0];
inline constexpr Colour women = palette[4];
inline constexpr Colour unknownSex = palette[8];

// The n-th colour of a sequence (branches, generations): the palette repeats,
// so neighbours always differ.
constexpr Colour nth(std::size_t n) { return palette[n % palette.size()]; }

// Halfway between two colours, channel by channel.
constexpr Colour between(Colour a, Colour b)
{
    return rgb((redOf(a) + redOf(b)) / 2, (greenOf(a) + greenOf(b)) / 2,
               (blueOf(a) + blueOf(b)) / 2);
}
} // namespace boxColours

// "rrggbb", as the chart file and web pages write a colour.
std::string hexColour(Colour colour);

// The contrast of two colours as the web's accessibility guidelines measure
// it: 1 for the same colour, 21 for black on white.
double contrastRatio(Colour a, Colour b);
