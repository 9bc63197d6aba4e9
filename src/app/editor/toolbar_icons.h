// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/editor/command_table.h"

#include <QIcon>

// A toolbar button's picture: the icon theme's, else a 16 x 15 drawing whose
// outlines take the ink colour (the palette's text colour, so it shows on a
// dark theme too).
QIcon toolbarIcon(Command command, const QColor& ink);

// A small family-tree picture, the about box's art, at a screen's pixel ratio.
QPixmap treePicture(int size, qreal ratio, int variant);
// The same picture as the application's icon.
QIcon treeIcon();
