// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include "model/geometry.h"
#include "model/person.h"

// What the Define person dialog asks for one cell.
struct PersonEntry {
    std::string description; // edit-control text; empty erases the box
    Cell cell;
    Links links; // of a plain box
    bool continuation = false;
    int direction = 4; // of a continuation box
    Colour colour = noColour; // the box's own fill; noColour: none, its scheme's shows
};
