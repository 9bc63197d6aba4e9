// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetrics>

#include <string_view>

// A font as the chart asks for it: the height is the character cell height
// (ascent plus descent), so the pixel size is the largest whose cell fits.
struct QtFont {
    explicit QtFont(const QFont& font) : font(font), metrics(font) {}
    QFont font;
    QFontMetrics metrics;
};

// The font for a face, cell height and weight; made once and kept.
const QtFont* chartFont(std::string_view face, int height, bool bold);
