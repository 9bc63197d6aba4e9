// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

// The editor and --render need Qt: they are a program of their own,
// stirpa-editor, so that stirpa's other commands load none of Qt.
inline constexpr char qtProgramName[] = "stirpa-editor";

// Replaces this process by stirpa-editor run with argv (null-terminated, argv[0]
// kept): the installed one, else the one beside stirpa in the build. Returns only
// when it cannot, with exit status 1, having said why on err.
int runQtProgram(char** argv, std::ostream& err);
