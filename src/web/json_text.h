// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Appends the body of a JSON string (no quotes) holding the UTF-8 text given.
// Besides what JSON needs escaped, '<', '>' and '&' and the line and paragraph
// separators U+2028 and U+2029 are written as \u escapes, so the result can
// stand inside an HTML script element: no text can end the element, open a
// comment or be taken for markup.
void appendJsonText(std::string& out, std::string_view utf8);
