// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "helpmod/stirpa_string.h"
#include "model/geometry.h"
#include "model/person.h"

// What the Define person dialog asks for one cell.
struct PersonEntry {
    String description; // edit-control text; empty erases the box
    Cell cell;
    Links links; // of a plain box
    bool continuation = false;
    int direction = 4; // of a continuation box
};
