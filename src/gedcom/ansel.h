// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// ANSEL (the Latin subset of MARC-8 that GEDCOM files use) as UTF-8. A diacritic
// comes before its letter in ANSEL and after it in Unicode; a letter with one
// diacritic that Unicode has ready-made becomes that one character.
std::string fromAnsel(std::string_view bytes);
