// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/drawn_picture.h"

#include <QPainter>

QPixmap drawnPixmap(QSize size, qreal ratio, const PictureDrawing& draw)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    draw(painter);
    return pixmap;
}

QIcon drawnIcon(QSize size, const PictureDrawing& draw)
{
    QIcon icon;
    for (qreal ratio : {1.0, 2.0})
        icon.addPixmap(drawnPixmap(size, ratio, draw));
    return icon;
}
