// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/qt_font.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

const QtFont* chartFont(std::string_view face, int height, bool bold)
{
    // Asked for at every box: found without making a string.
    static std::map<std::tuple<std::string, int, bool>, std::unique_ptr<QtFont>, std::less<>> cache;
    auto found = cache.find(std::make_tuple(face, height, bold));
    if (found != cache.end())
        return found->second.get();

    QFont font(QString::fromUtf8(face.data(), qsizetype(face.size())));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    for (int pixels = height; pixels >= 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= height || pixels == 1)
            break;
    }
    return cache
        .emplace(std::make_tuple(std::string(face), height, bold), std::make_unique<QtFont>(font))
        .first->second.get();
}

TextAgainstClip textAgainstClip(const QtFont& font, const QString& text, Point bottomLeft,
                                const Rect& clip, bool clipping)
{
    const int height = font.metrics.height();
    // The cell as if the text had no width: advances are never negative.
    Rect cell{bottomLeft.x - 2, bottomLeft.y - height, bottomLeft.x + height / 2, bottomLeft.y};
    if (cell.left >= clip.right || cell.top >= clip.bottom || cell.bottom <= clip.top)
        return TextAgainstClip::Outside;
    const bool insideButRight =
        cell.left >= clip.left && cell.top >= clip.top && cell.bottom <= clip.bottom;
    if (cell.right > clip.left && !(insideButRight && !clipping))
        return TextAgainstClip::Crossing;
    cell.right += font.metrics.horizontalAdvance(text);
    if (cell.right <= clip.left)
        return TextAgainstClip::Outside;
    return !clipping && insideButRight && cell.right <= clip.right ? TextAgainstClip::Inside
                                                                   : TextAgainstClip::Crossing;
}
