// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/arrow_button.h"

#include "dialogs/drawn_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const char* sideName(ArrowButton::Side side)
{
    switch (side) {
    case ArrowButton::Up:
        return "UP";
    case ArrowButton::Right:
        return "RIGHT";
    case ArrowButton::Down:
        return "DOWN";
    case ArrowButton::Left:
        return "LEFT";
    }
    return "";
}

void drawArrow(QPainter& painter, ArrowButton::Side side, bool focused)
{
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn pointing up, then turned about the centre toward its side.
    painter.translate(ArrowButton::pictureSize / 2.0, ArrowButton::pictureSize / 2.0);
    painter.rotate(90.0 * static_cast<int>(side));
    QPainterPath arrow;
    arrow.moveTo(0, -11);
    arrow.lineTo(10, 0);
    arrow.lineTo(4, 0);
    arrow.lineTo(4, 11);
    arrow.lineTo(-4, 11);
    arrow.lineTo(-4, 0);
    arrow.lineTo(-10, 0);
    arrow.closeSubpath();
    const QColor fill = focused ? QColor(0, 0, 128) : QColor(64, 64, 64);
    painter.setPen(QPen(fill.darker(150), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(arrow);
}

} // namespace

ArrowButton::ArrowButton(Side side, QWidget* parent) : QToolButton(parent), side_(side)
{
    setText(QString::fromLatin1(sideName(side)));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIcon(arrowPicture(side, false));
    setIconSize(QSize(pictureSize, pictureSize));
    // Like a push button it takes the focus when clicked, so the focused picture
    // shows which arrow Space repeats.
    setFocusPolicy(Qt::StrongFocus);
}

QIcon ArrowButton::arrowPicture(Side side, bool focused)
{
    return drawnIcon({pictureSize, pictureSize},
                     [=](QPainter& painter) { drawArrow(painter, side, focused); });
}

void ArrowButton::focusInEvent(QFocusEvent* event)
{
    setIcon(arrowPicture(side_, true));
    QToolButton::focusInEvent(event);
}

void ArrowButton::focusOutEvent(QFocusEvent* event)
{
    setIcon(arrowPicture(side_, false));
    QToolButton::focusOutEvent(event);
}
