// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A font's table by its four-letter tag; empty when the font has none.
using FontTable = std::function<std::string(std::string_view tag)>;

// A TrueType font cut down to the outlines of the glyphs given and of the glyphs
// they are built from, every glyph keeping its number, so that text set with
// the whole font's glyph numbers draws the same. Glyph 0 is always kept; numbers
// past the font's last glyph are ignored. Empty when the font has no TrueType
// outlines or its tables contradict one another.
std::string trueTypeSubset(const FontTable& table, const std::vector<std::uint16_t>& glyphs);
