// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontMetrics>
#include <QRect>

// Dialog units of a font, as classic dialog templates measure: a quarter of the
// average character width across, an eighth of the line height down.
struct DialogUnits {
    explicit DialogUnits(const QFontMetrics& metrics)
        : baseX(metrics.horizontalAdvance(
                    QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                52.0),
          baseY(metrics.height())
    {
    }
    int x(int units) const { return qRound(units * baseX / 4); }
    int y(int units) const { return qRound(units * baseY / 8.0); }
    QPoint point(int x, int y) const { return {this->x(x), this->y(y)}; }
    QSize size(int width, int height) const { return {x(width), y(height)}; }
    QRect rect(int x, int y, int width, int height) const
    {
        return {point(x, y), size(width, height)};
    }

    double baseX;
    int baseY;
};
