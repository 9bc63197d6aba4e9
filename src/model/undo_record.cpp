// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/undo_record.h"

#include "base/tr_noop.h"
#include "model/tree.h"

#include <utility>

void UndoRecord::recordCells(Kind kind, Cell from, Cell to)
{
    clear();
    kind_ = kind;
    cellA_ = from;
    cellB_ = to;
}

void UndoRecord::recordContent(Kind kind, Person* box)
{
    clear();
    kind_ = kind;
    subject_ = box;
    saved_.copyContentFrom(*box);
    saved_.setCell(box->cell());
}

void UndoRecord::recordRemoved(Kind kind, std::unique_ptr<Person> box)
{
    clear();
    kind_ = kind;
    saved_.copyContentFrom(*box);
    saved_.setCell(box->cell());
    removed_ = std::move(box);
}

void UndoRecord::clear()
{
    removed_.reset();
    subject_ = nullptr;
    kind_ = None;
    redo_ = false;
}

void UndoRecord::undo()
{
    switch (kind_) {
    case MovePerson:
    case SwitchPersons: {
        std::swap(cellA_, cellB_);
        const Cell from = cellA_, to = cellB_;
        // move() records the reverse edit, so a further call repeats the first one.
        owner_->move(from, to);
        redo_ = true;
        break;
    }
    case Cut:
    case ErasePerson:
        if (removed_)
            owner_->append(std::move(removed_));
        clear();
        break;
    case PastePerson:
    case DragCopy:
    case Recolour:
        // The box keeps its cell: no edit between recording and undo can move it.
        if (subject_)
            subject_->copyContentFrom(saved_);
        clear();
        break;
    default:
        break;
    }
}

// Whole phrases, so a translation can order the words its own way. Only a move
// or a switch is ever redone.
const char* UndoRecord::labelText() const
{
    switch (kind_) {
    case None:
        return STIRPA_TR_NOOP("Undo", "Can't undo");
    case MovePerson:
        return redo_ ? STIRPA_TR_NOOP("Undo", "Redo move person")
                     : STIRPA_TR_NOOP("Undo", "Undo move person");
    case SwitchPersons:
        return redo_ ? STIRPA_TR_NOOP("Undo", "Redo switch persons")
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
    case Recolour:
        return STIRPA_TR_NOOP("Undo", "Undo box colour");
    }
    return redo_ ? "Redo " : "Undo ";
}
