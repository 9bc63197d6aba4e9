// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/batch.h"

// The batch options that paint with Qt (they need no display).
std::vector<BatchOption> guiBatchOptions();
