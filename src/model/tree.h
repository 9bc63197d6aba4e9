// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/cell_index.h"
#include "model/lineage.h"
#include "model/person.h"
#include "model/record_links.h"
#include "model/tree_settings.h"
#include "model/undo_record.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The boxes of a chart in list order (which is also paint order), the cached
// extent and the one-step undo record. Lookups by cell answer with the first box
// in list order at that cell. The grid geometry comes from the settings given,
// which must outlive the tree (a Chart holds both). The tree draws nothing and
// knows no selection: whoever edits it says which box or cell an edit is for.
class Tree {
public:
    explicit Tree(const TreeSettings& settings, std::string name = {});
    ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    // Takes the box and puts it last in list order; returns it.
    Person* append(std::unique_ptr<Person> box);
    // Appends the boxes in order, as append() one by one would, indexing them at once.
    void appendAll(std::vector<std::unique_ptr<Person>>& boxes);
    // Takes the box out of the list and hands it back, without its record;
    // null when it is not this tree's.
    std::unique_ptr<Person> detach(const Person* box);

    const Person* findPerson(Cell cell) const { return index_.first(cell); }
    Person* findPerson(Cell cell) { return index_.first(cell); }
    // This tree's own box for a pointer it handed out; null for any other.
    Person* own(const Person* box)
    {
        return box && box->owner_ == this ? const_cast<Person*>(box) : nullptr;
    }

    std::size_t size() const { return boxes_.size(); }
    bool empty() const { return boxes_.empty(); }
    // The last box in list order (the last one read or added); null when empty.
    const Person* lastBox() const { return boxes_.empty() ? nullptr : boxes_.back().get(); }

    template <typename Visit> void forEachPerson(Visit visit) const
    {
        for (const std::unique_ptr<Person>& box : boxes_)
            visit(static_cast<const Person*>(box.get()));
    }
    template <typename Visit> void forEachPerson(Visit visit)
    {
        for (const std::unique_ptr<Person>& box : boxes_)
            visit(box.get());
    }

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
    // The size the boxes are drawn at: settings().drawnSize(boxExtent()).
    Size drawnSize() const { return settings_->drawnSize(boxExtent()); }
    // The pixels a picture of the whole chart covers: from the origin, or from
    // above and left of it when boxes lie at negative cells, to drawnSize().
    Rect drawnArea() const;
    // The plain box with the greatest column ('x') or level; earliest wins ties.
    const Person* lastInDirection(char axis) const;
    // lastInDirection('y'), cached until a box is added, removed or moved.
    const Person* deepestPerson() const;
    const std::string& name() const { return name_; }
    const TreeSettings& settings() const { return *settings_; }

    // Exactly the boxes whose drawing (frame, connectors, pointer stub) covers a
    // pixel of the area, in list order; the area's edges and the drawing's count.
    std::vector<const Person*> boxesInArea(const Rect& area) const;

    // Rebuilds the cell index after cells changed wholesale.
    void reindex();

    // Editing (tree_editing.cpp). Operations that cannot act return false and
    // change nothing.

    // Takes the box out of the list and hands it to the undo record (kind Cut or
    // ErasePerson). A null or absent box, or any other kind, changes nothing.
    bool erase(const Person* box, UndoRecord::Kind undoKind);
    // Moves the box at `from` to `to`, switching with a box found there; false
    // when `to` is outside the grid, equals `from`, or `from` is empty.
    bool move(Cell from, Cell to);
    // Copies the content and record of the box at `from` into the box at `to`
    // (undoable) or into a new plain box there (clears the undo record). False
    // as for move.
    bool dragCopy(Cell from, Cell to);
    // Pastes into a box of this tree (undoable), which takes the record given
    // (none: its text is the user's); false for any other box.
    bool pasteInto(const Person& source, const Person* box, const RecordLink* record = nullptr);
    // Remembers the box as it is, so that undo brings it back after an update
    // that gives it another colour of its own; false for a box not of this tree.
    bool keepBeforeRecolour(const Person* box);
    // Pastes as a new plain box at an empty cell, with the record given; false
    // when the cell lies off the grid or holds a box. Clears the undo record.
    bool pasteAt(const Person& source, Cell cell, const RecordLink* record = nullptr);
    // Shifts every box at or beyond the index one column ('x') or level (other
    // axes) on; connector lengths stay. Cannot be undone: clears the record.
    // False, changing nothing, when a box would pass the grid's far edge.
    bool insertLine(char axis, int index);
    // Moves every box to the cell the map gives, as insertLine does for one
    // line; the caller keeps the cells within the grid. Clears the undo record.
    template <typename Map> void remapCells(Map map)
    {
        for (const std::unique_ptr<Person>& box : boxes_)
            box->cell_ = map(box->cell_);
        reindex();
        undoRecord_.clear();
    }
    // Stretches a plain box's nonzero connectors to the near edge of the next box
    // within the extent, or to one gap when there is none.
    void fitConnectors(Person* box);

    // The parent reached through connectors, or null. With a path, the steps
    // taken are added to it (a failed search may leave steps of its leftward
    // pass, as the lineage has always shown them).
    const Person* findParent(const Person* box, LineagePath* path = nullptr) const;
    // Adds a step's connector bits to its box's lineage; false for a box not here.
    bool markLineage(const LineageMark& mark);
    // Clears every box's lineage bits; true when any box had some.
    bool clearLineage();

    const UndoRecord& undoRecord() const { return undoRecord_; }

    // The family file records of the linked boxes.
    const RecordLinks& records() const { return records_; }
    RecordLinks& mutableRecords() { return records_; }
    // Reverses the remembered edit (see UndoRecord::undo), the box's record with it.
    void undo();
    // Forgets the remembered edit: an edit it cannot take back came after it.
    void forgetUndo() { undoRecord_.clear(); }

private:
    // Records an edit of the box's content, keeping its record for undo.
    void keepForUndo(UndoRecord::Kind kind, Person* box);
    friend class Person;
    friend class UndoRecord;
    const Person* parentAbove(Cell cell, LineagePath* path) const;
    void adopt(Person* box);
    void moveInIndex(Person* box, Cell cell);
    void noteLinks(Links links);
    // The index in list order of a box of this tree.
    std::size_t positionOf(const Person* box) const;

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
    std::string name_;
    std::vector<std::unique_ptr<Person>> boxes_;
    CellIndex index_;
    UndoRecord undoRecord_;
    RecordLinks records_;
    // The record the undo record's box had before the edit (a cut box's own).
    std::optional<RecordLink> undoneRecord_;
    // The cached extent in cells; extent() fills it in from the boxes.
    mutable int maxColumn_ = 0;
    mutable int maxLevel_ = 0;
    mutable Greatest greatestColumn_;
    mutable Greatest greatestLevel_;
    std::uint32_t nextOrder_ = 1;
    // The longest connector any box has had; bounds how far a box draws outside
    // its cell.
    Links reach_;
    // Counts changes of the boxes' cells and list membership.
    std::uint64_t revision_ = 0;
    mutable std::uint64_t deepestRevision_ = ~std::uint64_t(0);
    mutable const Person* deepest_ = nullptr;
};
