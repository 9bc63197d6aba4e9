// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "helpmod/stirpa_string.h"
#include "model/geometry.h"
#include "model/person.h"

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
    };

    explicit UndoRecord(Tree& owner) : owner(&owner) {}
    ~UndoRecord();
    UndoRecord(const UndoRecord&) = delete;
    UndoRecord& operator=(const UndoRecord&) = delete;

    // Remembers a move (MovePerson) or switch (SwitchPersons) between two cells.
    void recordCells(int kind, Cell from, Cell to);
    // Remembers the box with a copy of its text, links, cell and lineage. For Cut
    // and ErasePerson the box must already be out of the list: the record owns it.
    void recordPerson(int kind, Person* box);
    // Forgets the remembered edit (destroying a removed box it held).
    void clear();
    // Reverses the remembered edit; a move or switch becomes redoable and
    // toggles on every call, the other kinds are forgotten once reversed.
    void undo();

    // The Undo item's English text: "Undo " or "Redo " with the edit's label, or
    // "Can't undo" when empty; translated in the "Undo" context.
    const char* labelText() const;
    bool canUndo() const { return undoKind != None; }

    // True while the record owns a removed box.
    bool holdsRemovedBox() const;

    bool redo = false;
    int undoKind = None;
    Person* subject = nullptr;
    StorePerson saved;
    Tree* owner;
    Cell cellA = noCell;
    Cell cellB = noCell;

private:
    void dropRemovedBox();
};
