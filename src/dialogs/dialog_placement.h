// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

class QWidget;

// Moves the dialog's top-left to its parent window's frame corner plus offset,
// moved in just enough where it would leave the screen's available area.
void placeDialog(QWidget* dialog, QPoint offset);
