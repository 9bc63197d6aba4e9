// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The help file's text, compiled in so help works without the file.
extern const char builtinHelpText[];
