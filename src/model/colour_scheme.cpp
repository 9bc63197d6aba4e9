// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/colour_scheme.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<std::string_view, 4> schemeNames = {"none", "branch", "sex", "generation"};

double linearChannel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Colour c)
{
    return 0.2126 * linearChannel(redOf(c)) + 0.7152 * linearChannel(greenOf(c)) +
           0.0722 * linearChannel(blueOf(c));
}

} // namespace

std::string_view schemeName(ColourScheme scheme) { return schemeNames[std::size_t(scheme)]; }

bool parseSchemeName(std::string_view name, ColourScheme& scheme)
{
    const auto found = std::find(schemeNames.begin(), schemeNames.end(), name);
    if (found == schemeNames.end())
        return false;
    scheme = ColourScheme(found - schemeNames.begin());
    return true;
}

std::string hexColour(Colour colour)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string text;
    for (const int channel : {redOf(colour), greenOf(colour), blueOf(colour)}) {
        text += hex[channel >> 4];
        text += hex[channel & 15];
    }
    return text;
}

double contrastRatio(Colour a, Colour b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
