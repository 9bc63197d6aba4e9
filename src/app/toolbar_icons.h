// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command_table.h"

#include <QIcon>

// The toolbar's 16 x 15 pictures, drawn here rather than shipped as files.
QIcon toolbarIcon(Command command);

// A small family-tree picture, the about box's art, at a screen's pixel ratio.
QPixmap treePicture(int size, qreal ratio, int variant);
// The same picture as the application's icon.
QIcon treeIcon();
