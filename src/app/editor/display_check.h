// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Why the editor cannot open its window here, or empty when it can. Qt aborts the
// whole process when its platform finds no display, so the editor asks first.
std::string editorDisplayProblem();
