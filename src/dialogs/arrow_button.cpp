// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/arrow_button.h"

#include "dialogs/drawn_picture.h"

#include <QEvent>
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

const char* themeName(ArrowButton::Side side)
{
    switch (side) {
    case ArrowButton::Up:
        return "go-up";
    case ArrowButton::Right:
        return "go-next";
    case ArrowButton::Down:
        return "go-down";
    case ArrowButton::Left:
        return "go-previous";
    }
    return "";
}

void drawArrow(QPainter& painter, ArrowButton::Side side, const QColor& fill)
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
    painter.setPen(QPen(fill.lightness() > 128 ? fill.darker(150) : fill.lighter(150), 1.0,
                        Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(arrow);
}

} // namespace

ArrowButton::ArrowButton(Side side, QWidget* parent) : QToolButton(parent), side_(side)
{
    setText(QString::fromLatin1(sideName(side)));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    updatePicture();
    setIconSize(QSize(pictureSize, pictureSize));
    // Like a push button it takes the focus when clicked, so the focused picture
    // shows which arrow Space repeats.
    setFocusPolicy(Qt::StrongFocus);
}

QIcon ArrowButton::arrowPicture(Side side, bool focused, const QPalette& palette)
{
    const QColor fill = palette.color(focused ? QPalette::Highlight : QPalette::ButtonText);
    return drawnIcon({pictureSize, pictureSize},
                     [=](QPainter& painter) { drawArrow(painter, side, fill); });
}

void ArrowButton::updatePicture()
{
    setIcon(QIcon::fromTheme(QString::fromLatin1(themeName(side_)),
                             arrowPicture(side_, hasFocus(), palette())));
}

void ArrowButton::focusInEvent(QFocusEvent* event)
{
    QToolButton::focusInEvent(event);
    updatePicture();
}

void ArrowButton::focusOutEvent(QFocusEvent* event)
{
    QToolButton::focusOutEvent(event);
    updatePicture();
}

void ArrowButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        updatePicture();
    QToolButton::changeEvent(event);
}
