// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Description bytes for display: kept as they are when they are valid UTF-8,
// otherwise read as Windows-1252. The result is always valid UTF-8.
std::string displayText(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);
