// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/geometry.h"

class Person;

// What the user works on: the selected box, or else the current cell shown
// framed when it is empty; and the current cell, which the keys and the
// dialogs work on (noCell before any is chosen). The selected box need not
// stand at the current cell: a drag or an open can put it elsewhere.
struct Selection {
    const Person* box = nullptr;
    // The frame stands at the current cell; never with a box selected.
    bool frameShown = false;
    Cell current = noCell;

    bool operator==(const Selection&) const = default;
};
