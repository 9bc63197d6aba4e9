// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The toolbar's 16 x 15 pictures, drawn here rather than shipped as files.
QIcon toolbarIcon(int commandId);

// A small family-tree picture: the application icon and the about box's art.
QPixmap treePicture(int size, int variant = 0);
