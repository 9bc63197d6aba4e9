// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Text made safe to stand in HTML or XML, in an element or a quoted attribute.
std::string escapedMarkup(std::string_view text);
