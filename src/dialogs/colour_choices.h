// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour_scheme.h"

class QComboBox;

// The colour schemes, in the order of ColourScheme: the item's index is the scheme.
void fillSchemeChoices(QComboBox* box);

// "None" and the box palette, each with a swatch; the item's data is the Colour
// (noColour for "None").
void fillColourChoices(QComboBox* box);
// Selects the item of the colour; a colour outside the palette is added as "Other".
void selectColourChoice(QComboBox* box, Colour colour);
Colour chosenColour(const QComboBox* box);
