// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "helpmod/stirpa_string.h"
#include "model/cell_index.h"
#include "model/hmark.h"
#include "model/list.h"
#include "model/person.h"
#include "model/tracker.h"
#include "model/tree_settings.h"
#include "model/undo_record.h"

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class DrawContext;

// The boxes of a chart in list order (which is also paint order), the selection,
// the cached extent, the one-step undo record and the lineage path. Lookups by
// cell answer with the first box in list order at that cell. The grid geometry
// comes from the settings given, which must outlive the tree (a Chart holds both).
class Tree {
public:
    explicit Tree(const TreeSettings& settings, const String& name = String());
    ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    // Takes ownership of the box and puts it last in list order.
    void append(Person* box);
    // Appends the boxes in order, as append() one by one would, indexing them at once.
    void appendAll(std::vector<std::unique_ptr<Person>>& boxes);
    // Unlinks the box from the list without destroying it; false when absent.
    bool detach(Person* box);

    Person* findPerson(Cell cell) const;
    // Widens the cached extent to a cell; true when it grew.
    bool growExtent(Cell cell);
    // The top-left pixel of the last cell; recomputed from the boxes while either
    // cached maximum is 0.
    Point extent() const;
    // Clears the cached extent so the next extent() recomputes it.
    void resetExtent();
    // extent() in cells: the last column and level.
    Cell extentCells() const;
    // What extent() gives right after resetExtent(), leaving the cache alone.
    Point boxExtent() const;
    // The plain box with the greatest column ('x') or level; earliest wins ties.
    Person* lastInDirection(char axis) const;
    // lastInDirection('y'), cached until a box is added, removed or moved.
    Person* deepestPerson() const;
    String name() const { return name_; }
    const TreeSettings& settings() const { return *settings_; }

    std::size_t size() const { return persons.size(); }
    // Exactly the boxes whose drawing (frame, connectors, pointer stub) covers a
    // pixel of the area, in list order; the area's edges and the drawing's count.
    std::vector<Person*> boxesInArea(const Rect& area) const;
    // The longest connector any box has had; bounds how far a box draws outside
    // its cell.
    Links connectorReach() const { return reach_; }

    // Rebuilds the cell index after cells changed wholesale.
    void reindex();

    // Editing (tree_editing.cpp). Operations that cannot act return false and
    // change nothing.

    // Redraws the old selection unselected, selects the first box at the cell and
    // draws it selected; an empty cell gets the selection frame instead.
    Person* select(DrawContext& dc, Cell cell);
    // Takes the box out of the list and hands it to the undo record (kind Cut or
    // ErasePerson). A null or absent box, or any other kind, changes nothing.
    void erase(Person* box, int undoKind);
    // Moves the box at `from` to `to`, switching with a box found there; false
    // when `to` is outside the grid, equals `from`, or `from` is empty.
    bool move(Cell from, Cell to);
    // Copies the content of the box at `from` into the box at `to` (undoable) or
    // into a new plain box there (clears the undo record). False as for move.
    bool dragCopy(Cell from, Cell to);
    // Pastes into the selected box (undoable), else into the cell under a shown
    // selection frame as a new plain box; false with neither, or when the frame
    // lies outside the grid or its cell has meanwhile got a box.
    bool paste(const Person& source);
    // Shifts every box at or beyond the index one column ('x') or level (other
    // axes) on; connector lengths stay. Cannot be undone: clears the record.
    // False, changing nothing, when a box would pass the grid's far edge.
    bool insertLine(char axis, int index);
    // Stretches a plain box's nonzero connectors to the near edge of the next box
    // within the extent, or to one gap when there is none.
    void fitConnectors(Person* box);
    // The parent reached through connectors, or null; pushes lineage marks at the
    // front of lineagePath (a failed search may leave marks of its leftward pass).
    Person* findParent(Person* box);
    // Applies the lineage marks in the order they were pushed, moving the drawn
    // selection along them with pause() after each step.
    void showLineage(DrawContext& dc, const std::function<void()>& pause);
    // Drops every mark and clears the lineage bits, redrawing the boxes that had any.
    void clearLineage(DrawContext& dc);

    List persons;
    BoxTracker selectionFrame;
    Person* selected = nullptr;
    // The cached extent in cells; extent() fills it in from the boxes.
    mutable int maxColumn = 0;
    mutable int maxLevel = 0;
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
    Person* markAbove(Cell cell);
    void pushMark(Person* box, int bits);
    void dropMarksOf(const Person* box);
    void adopt(Person* box);
    void moveInIndex(Person* box, Cell cell);
    void noteLinks(Links links);

    // The greatest column or level of any box, kept as boxes come, go and move,
    // with how many boxes reach it; when the last of them leaves, the value is
    // found again from all boxes the next time it is asked for.
    struct Greatest {
        int value = INT_MIN;
        std::size_t count = 0;
        bool known = true;
        void add(int v);
        void remove(int v);
    };
    void addToExtremes(Cell cell) const;
    void removeFromExtremes(Cell cell);
    Cell greatestCell() const;

    const TreeSettings* settings_;
    String name_;
    CellIndex index_;
    mutable Greatest greatestColumn_;
    mutable Greatest greatestLevel_;
    std::uint32_t nextOrder_ = 1;
    Links reach_;
    // Counts changes of the boxes' cells and list membership.
    std::uint64_t revision_ = 0;
    mutable std::uint64_t deepestRevision_ = ~std::uint64_t(0);
    mutable Person* deepest_ = nullptr;
};
