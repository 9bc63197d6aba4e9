// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/undo_record.h"

#include "model/tr_noop.h"
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

// Whole phrases, so a translation can order the words its own way. Only a move
// or a switch is ever redone.
const char* UndoRecord::labelText() const
{
    switch (undoKind) {
    case None:
        return STIRPA_TR_NOOP("Undo", "Can't undo");
    case MovePerson:
        return redo ? STIRPA_TR_NOOP("Undo", "Redo move person")
                    : STIRPA_TR_NOOP("Undo", "Undo move person");
    case SwitchPersons:
        return redo ? STIRPA_TR_NOOP("Undo", "Redo switch persons")
                    : STIRPA_TR_NOOP("Undo", "Undo switch persons");
    case Cut:
        return STIRPA_TR_NOOP("Undo", "Undo cut");
    case PastePerson:
        return STIRPA_TR_NOOP("Undo", "Undo paste person");
    case DragCopy:
        return STIRPA_TR_NOOP("Undo", "Undo drag copy");
    case ErasePerson:
        return STIRPA_TR_NOOP("Undo", "Undo erase person");
    case Insertion:
        return STIRPA_TR_NOOP("Undo", "Undo insertion");
    default:
        return redo ? "Redo " : "Undo ";
    }
}
