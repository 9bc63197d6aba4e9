// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>

// The editor and --render are Qt programs of their own, so that stirpa's batch
// commands load no Qt.
inline constexpr char editorProgram[] = "stirpa-editor";
inline constexpr char renderProgram[] = "stirpa-render";

// Replaces this process by the Qt program named, run with argv (null-terminated,
// argv[0] kept): the installed one, else the one beside stirpa in the build.
// Returns only when it cannot, with exit status 1, having said why on err.
int runQtProgram(const std::string& name, char** argv, std::ostream& err);
