// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class ChartView;

// What a screen reader hears of the chart: the current cell's description as
// the name ("empty cell" where there is no box) and its place as the value
// ("column 3, level 2", the numbers Define person shows). The role is Canvas:
// the chart is a drawing with a keyboard-driven current cell, not a table whose
// cells could be visited one by one, so there are no children to offer.
class ChartViewAccessible : public QAccessibleWidget {
public:
    explicit ChartViewAccessible(ChartView* view);

    QString text(QAccessible::Text t) const override;

    // Makes every ChartView answer with this interface; idempotent.
    static void install();
    // Tells a screen reader that the current cell or its box changed.
    static void announce(ChartView* view);
};
