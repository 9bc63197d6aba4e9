// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <QSize>

#include <functional>

class QImage;
class RenderOutput;

// The widest and highest PNG the encoder writes (libpng's default limits).
inline constexpr int maxPngSide = 1000000;

// Fails (TooLarge) for a picture the encoder cannot write.
Result checkPngSize(QSize size);

// Paints the band of the picture whose top row is `top` into `band` (already
// the band's size).
using BandPainter = std::function<void(QImage& band, int top)>;

// Writes an RGB PNG of the given size band by band, so only one band of
// pixels is ever in memory; bandRows 0 picks bands of a few megabytes.
// Progress is told after each band. Throws RenderStopped when the output fails
// or the render is cancelled.
void writePngInBands(QSize size, const BandPainter& paint, RenderOutput& out, int bandRows = 0);
