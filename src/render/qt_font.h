// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetrics>

#include "model/geometry.h"

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

// Where a line of text whose cell's bottom-left corner is at `bottomLeft` lies
// against a clip: its cell and a little more, as glyphs overhang their
// advance. The text is measured (shaped, which costs more than the rest of a
// box) only where its height and start leave the answer open; where the caller
// clips anyway (`clipping`), the answer is never Inside.
enum class TextAgainstClip { Outside, Inside, Crossing };
TextAgainstClip textAgainstClip(const QtFont& font, const QString& text, Point bottomLeft,
                                const Rect& clip, bool clipping);
