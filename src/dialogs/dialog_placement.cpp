// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/dialog_placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

void placeDialog(QWidget* dialog, QPoint offset)
{
    if (!dialog)
        return;
    const QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : dialog;
    QPoint at = owner->frameGeometry().topLeft() + offset;
    // A window near the screen's edge would put the dialog partly off screen,
    // out of the user's reach: it is moved in just enough.
    if (const QScreen* screen = owner->screen()) {
        const QRect room = screen->availableGeometry();
        const QSize size = dialog->frameGeometry().size();
        at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - size.width())));
        at.setY(std::max(room.top(), std::min(at.y(), room.bottom() + 1 - size.height())));
    }
    dialog->move(at);
}
