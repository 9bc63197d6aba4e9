// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"

#include <QString>

// A result's message in the user's language, for message boxes and the status bar.
QString messageText(const Result& result);
