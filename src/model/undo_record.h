// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"
#include "model/person.h"

#include <memory>

class Tree;

// The single remembered edit of a Tree. While it holds a cut or erased box it
// owns that box, and destroys it when the record is overwritten or cleared.
class UndoRecord {
public:
    enum Kind {
        None = 0,
        MovePerson = 2,
        SwitchPersons = 3,
        Cut = 4,
        PastePerson = 5,
        DragCopy = 6,
        ErasePerson = 7,
        Insertion = 8,
        // Define person's Update that gave the box another colour: the box as it was.
        Recolour = 9,
    };

    explicit UndoRecord(Tree& owner) : owner_(&owner) {}
    UndoRecord(const UndoRecord&) = delete;
    UndoRecord& operator=(const UndoRecord&) = delete;

    // Remembers a move (MovePerson) or switch (SwitchPersons) between two cells.
    void recordCells(Kind kind, Cell from, Cell to);
    // Remembers the box with a copy of its text, links, cell and lineage, to be
    // restored into it (PastePerson, DragCopy).
    void recordContent(Kind kind, Person* box);
    // Takes a box out of the list (Cut, ErasePerson) to give it back on undo.
    void recordRemoved(Kind kind, std::unique_ptr<Person> box);
    // Forgets the remembered edit (destroying a removed box it held).
    void clear();
    // Reverses the remembered edit; a move or switch becomes redoable and
    // toggles on every call, the other kinds are forgotten once reversed.
    void undo();

    // The Undo item's English text: "Undo " or "Redo " with the edit's label, or
    // "Can't undo" when empty; translated in the "Undo" context.
    const char* labelText() const;
    bool canUndo() const { return kind_ != None; }
    Kind kind() const { return kind_; }
    bool isRedo() const { return redo_; }
    // The box the edit changed or removed; null for a move or switch.
    const Person* subject() const { return removed_ ? removed_.get() : subject_; }
    // The content the box had before the edit (PastePerson, DragCopy).
    const Person& savedContent() const { return saved_; }

private:
    Tree* owner_;
    Kind kind_ = None;
    bool redo_ = false;
    Person* subject_ = nullptr;
    std::unique_ptr<Person> removed_;
    StorePerson saved_;
    Cell cellA_ = noCell;
    Cell cellB_ = noCell;
};
