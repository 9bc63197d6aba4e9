// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry.h"
#include "person.h"

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

    // Forgets the remembered edit (destroying a removed box it held).
    void clear();

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
