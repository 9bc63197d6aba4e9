// SPDX-License-Identifier: GPL-3.0-or-later
// The parent search with its animated lineage highlight.
#include "view/chart_view.h"

#include <QThread>

void ChartView::findParent(bool ancestor, bool highlight)
{
    // Each step is put on the screen before the pause, or the user would see
    // only the end of the walk.
    const auto pause = [this] {
        invalidateChart();
        viewport()->repaint();
        if (lineagePause_ > 0)
            QThread::msleep(static_cast<unsigned long>(lineagePause_));
    };
    if (const Person* found = document_->findParent(ancestor, highlight, pause))
        selectCell(found->cell());
}
