// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/chart_document.h"
#include "model/tree_settings.h"
#include "view/chart_view.h"

#include <QTest>

// A shown chart view with a fixed viewport size and hidden scroll bars (they
// still scroll), on a new empty chart of its own document.
struct ShownView {
    explicit ShownView(QSize viewport = {600, 400})
    {
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(viewport);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }

    const Tree& tree() const { return document.tree(); }
    const TreeSettings& settings() const { return document.chart().settings(); }

    // Adds a box as a loaded chart would have it: painted, in the scroll sizes.
    const Person* add(Cell cell, const char* text = "Name|born", Links links = {})
    {
        const Person* box = document.addBox(std::make_unique<Person>(text, cell, links));
        document.setModified(false);
        view.updateScrollSizes();
        view.invalidateChart();
        view.viewport()->repaint();
        return box;
    }

    // A viewport point in the middle of the cell's box.
    QPoint inside(Cell cell) const
    {
        const TreeSettings& s = view.tree().settings();
        const Point origin = s.cellOrigin(cell);
        return QPoint(origin.x + s.boxWidth / 2, origin.y + s.boxHeight / 2) -
               view.scrollPosition();
    }
    // A viewport point in the gap right of the cell's box.
    QPoint gapRightOf(Cell cell) const
    {
        const TreeSettings& s = view.tree().settings();
        const Point origin = s.cellOrigin(cell);
        return QPoint(origin.x + s.boxWidth + gapX / 2, origin.y + s.boxHeight / 2) -
               view.scrollPosition();
    }
    // The top-left chart pixel of a cell's box.
    Point origin(Cell cell) const { return view.tree().settings().cellOrigin(cell); }

    // Paints what is stale and returns a copy of what the viewport shows.
    QImage picture()
    {
        view.viewport()->repaint();
        return view.backingImage().copy();
    }
    // What the window shows: the backing image with the generation column over it.
    QImage screen() { return view.viewport()->grab().toImage(); }
    // The same view painted anew from scratch.
    QImage freshPicture()
    {
        view.invalidateChart();
        return picture();
    }

    // Declared before the view, which watches it.
    ChartDocument document;
    ChartView view{&document};
};
