// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a data file (the sample chart, the help file) is: the current directory
// first, then the installed data folder, then the build (the help file is made
// there) and the source tree this was built from. Returns the plain name when it
// is nowhere, so opening it fails visibly.
QString findResource(const QString& name);
