// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <functional>

class QPainter;

// Pictures drawn by code rather than shipped as files. The drawing works in
// logical pixels of `size`; a pixel ratio of 2 gives a high-density screen its
// own sharp copy instead of a scaled one.
using PictureDrawing = std::function<void(QPainter&)>;

QPixmap drawnPixmap(QSize size, qreal ratio, const PictureDrawing& draw);
// Holds the drawing at ratios 1 and 2.
QIcon drawnIcon(QSize size, const PictureDrawing& draw);
