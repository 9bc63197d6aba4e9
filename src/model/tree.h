// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cell_index.h"
#include "hmark.h"
#include "list.h"
#include "person.h"
#include "stirpa_string.h"
#include "tracker.h"
#include "undo_record.h"

#include <cstdint>
#include <vector>

// The chart: its boxes in list order (which is also paint order), the selection,
// the cached extent, the one-step undo record and the lineage path. Lookups by
// cell answer with the first box in list order at that cell.
class Tree {
public:
    explicit Tree(const String& name = String());
    ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    // Takes ownership of the box and puts it last in list order.
    void append(Person* box);
    // Unlinks the box from the list without destroying it; false when absent.
    bool detach(Person* box);

    Person* findPerson(Cell cell) const;
    // Widens the cached extent to a cell; true when it grew.
    bool growExtent(Cell cell);
    // The top-left pixel of the last cell; recomputed from the boxes while either
    // cached maximum is 0.
    Point extent();
    // Clears the cached extent so the next extent() recomputes it.
    void resetExtent();
    // The greatest column (axis 'x') or level (any other axis) in cells.
    Cell extentCells();
    // The plain box with the greatest column ('x') or level; earliest wins ties.
    Person* lastInDirection(char axis) const;
    String name() const { return name_; }

    std::size_t size() const { return persons.size(); }
    // Every box that may draw into the area (connectors included), in list order.
    std::vector<Person*> boxesInArea(const Rect& area) const;
    // The longest connector any box has had; bounds how far a box draws outside
    // its cell.
    Links connectorReach() const { return reach_; }

    // Rebuilds the cell index after cells changed wholesale.
    void reindex();

    List persons;
    BoxTracker selectionFrame;
    Person* selected = nullptr;
    int maxColumn = 0;
    int maxLevel = 0;
    UndoRecord undoRecord;
    List lineagePath;
    int segmentCount = 0;

    template <typename Visit> void forEachPerson(Visit visit) const
    {
        for (ListData* element : persons)
            visit(static_cast<Person*>(element));
    }

private:
    friend class Person;
    void moveInIndex(Person* box, Cell cell);
    void noteLinks(Links links);

    String name_;
    CellIndex index_;
    std::uint64_t nextOrder_ = 1;
    Links reach_;
};
