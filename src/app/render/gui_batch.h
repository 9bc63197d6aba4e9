// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command/batch.h"

// The batch options that paint with Qt. They need no display; where they make the
// Qt application themselves, they keep Qt's own notes off standard error.
std::vector<BatchOption> guiBatchOptions();
