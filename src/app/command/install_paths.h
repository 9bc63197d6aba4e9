// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Installed, stirpa is <prefix>/bin/stirpa and the Qt programs it starts are in
// <prefix>/libexec/stirpa. Each place is found from where the running program is,
// so a prefix moved elsewhere still works, and without a Qt application, so the
// batch commands can use them.

// The folder of the installed data, <prefix>/share/stirpa.
std::string installedDataFolder();
// The same for a program in programFolder: from <prefix>/libexec/stirpa as from
// <prefix>/bin, and from any other folder as from bin.
std::string dataFolderFor(const std::string& programFolder);

// The folder of the Qt programs, for stirpa in <prefix>/bin.
std::string installedProgramFolder();

// The folder the running program is in.
std::string runningProgramFolder();

// Where the HTML export looks for its page template: the current folder first,
// then beside the program (the build's copy), then the installed copy.
std::vector<std::string> htmlTemplatePaths();

// What an export of the chart at chartPath reads: the chart, and for a complete
// page every place its template is looked for.
std::vector<std::string> exportInputs(const std::string& chartPath, bool completePage);
