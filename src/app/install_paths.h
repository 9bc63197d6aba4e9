// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The folder of the installed data, <prefix>/share/stirpa for the program
// running as <prefix>/bin/stirpa; found without a Qt application, so the batch
// commands can use it.
std::string installedDataFolder();

// Where the HTML export looks for its page template: the current folder first,
// then the installed copy.
std::vector<std::string> htmlTemplatePaths();
