// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour.h"

#include <QImage>

// The colour of one pixel of a painted chart, as a chart colour.
inline Colour pixelColour(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return rgb(qRed(c), qGreen(c), qBlue(c));
}
