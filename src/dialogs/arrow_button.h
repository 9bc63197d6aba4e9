// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

// A button showing an arrow picture of its own (30 x 30 pixels), with a second
// picture while it has the keyboard focus. The text ("UP", "LEFT", "RIGHT",
// "DOWN") names it but is not shown.
class ArrowButton : public QToolButton {
    Q_OBJECT
public:
    enum Side { Up, Right, Down, Left };

    ArrowButton(Side side, QWidget* parent = nullptr);

    Side side() const { return side_; }
    // The picture of an arrow pointing to the side, plain or focused.
    static QIcon arrowPicture(Side side, bool focused);
    static constexpr int pictureSize = 30;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Side side_;
};
