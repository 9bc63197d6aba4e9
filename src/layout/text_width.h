// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The pixels a line of box text takes on screen (UTF-8; other bytes one
// character each): in the bold name font or the regular font of the lines under
// it. Never less than the drawn width; a character outside the width table
// counts as wider than any in it.
int textWidth(std::string_view text, bool bold);
