// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

// A button showing the icon theme's arrow, else one drawn here (30 x 30 pixels)
// in the palette's text colour, in its highlight colour while it has the
// keyboard focus. The text ("UP", "LEFT", "RIGHT",
// "DOWN") names it but is not shown.
class ArrowButton : public QToolButton {
    Q_OBJECT
public:
    enum Side { Up, Right, Down, Left };

    ArrowButton(Side side, QWidget* parent = nullptr);

    Side side() const { return side_; }
    // The drawn picture of an arrow pointing to the side, plain or focused.
    static QIcon arrowPicture(Side side, bool focused, const QPalette& palette = QPalette());
    static constexpr int pictureSize = 30;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updatePicture();

    Side side_;
};
