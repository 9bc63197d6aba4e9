// SPDX-License-Identifier: GPL-3.0-or-later
#include "undo_record.h"

UndoRecord::~UndoRecord() { dropRemovedBox(); }

bool UndoRecord::holdsRemovedBox() const
{
    return (undoKind == Cut || undoKind == ErasePerson) && subject;
}

void UndoRecord::dropRemovedBox()
{
    if (holdsRemovedBox()) {
        delete subject;
        subject = nullptr;
    }
}

void UndoRecord::clear()
{
    dropRemovedBox();
    undoKind = None;
}
