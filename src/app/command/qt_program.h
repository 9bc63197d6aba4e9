// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

// The editor and --render need Qt: they are programs of their own, so that
// stirpa's other commands load none of Qt, and a render none of Qt Widgets.
inline constexpr char editorProgramName[] = "stirpa-editor";
inline constexpr char renderProgramName[] = "stirpa-render";

// Replaces this process by the program named run with argv (null-terminated,
// argv[0] kept): the installed one, else the one beside stirpa in the build.
// Returns only when it cannot, with exit status 1, having said why on err.
int runQtProgram(const char* name, char** argv, std::ostream& err);
