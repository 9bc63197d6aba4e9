// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/undo_record.h"

#include "model/tree.h"

#include <utility>

UndoRecord::~UndoRecord() { dropRemovedBox(); }

bool UndoRecord::holdsRemovedBox() const
{
    return (undoKind == Cut || undoKind == ErasePerson) && subject;
}

void UndoRecord::dropRemovedBox()
{
    if (holdsRemovedBox())
        delete subject;
    subject = nullptr;
}

void UndoRecord::recordCells(int kind, Cell from, Cell to)
{
    dropRemovedBox();
    undoKind = kind;
    cellA = from;
    cellB = to;
    redo = false;
}

void UndoRecord::recordPerson(int kind, Person* box)
{
    dropRemovedBox();
    undoKind = kind;
    subject = box;
    saved.copyContentFrom(*box);
    saved.setCell(box->cell());
    redo = false;
}

void UndoRecord::clear()
{
    dropRemovedBox();
    undoKind = None;
}

void UndoRecord::undo()
{
    switch (undoKind) {
    case MovePerson:
    case SwitchPersons:
        std::swap(cellA, cellB);
        // move() records the reverse edit, so a further call repeats the first one.
        owner->move(cellA, cellB);
        redo = true;
        break;
    case Cut:
    case ErasePerson:
        if (subject)
            owner->append(subject);
        subject = nullptr;
        undoKind = None;
        break;
    case PastePerson:
    case DragCopy:
        // The box keeps its cell: no edit between recording and undo can move it.
        if (subject)
            subject->copyContentFrom(saved);
        subject = nullptr;
        undoKind = None;
        break;
    default:
        break;
    }
}

const char* UndoRecord::kindLabel(int kind)
{
    switch (kind) {
    case None:
        return "Can't undo";
    case MovePerson:
        return "move person";
    case SwitchPersons:
        return "switch persons";
    case Cut:
        return "cut";
    case PastePerson:
        return "paste person";
    case DragCopy:
        return "drag copy";
    case ErasePerson:
        return "erase person";
    case Insertion:
        return "insertion";
    default:
        return "";
    }
}

String UndoRecord::labelText() const
{
    if (undoKind == None)
        return String(kindLabel(None));
    return String(redo ? "Redo " : "Undo ") + kindLabel(undoKind);
}
