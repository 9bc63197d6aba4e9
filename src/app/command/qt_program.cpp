// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/qt_program.h"

#include "app/command/install_paths.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

int runQtProgram(const char* name, char** argv, std::ostream& err)
{
    const std::string installed = installedProgramFolder() + '/' + name;
    const std::string built = runningProgramFolder() + '/' + name;
    std::error_code error;
    const std::string& program = std::filesystem::exists(installed, error) ? installed : built;
    execv(program.c_str(), argv);
    if (errno == ENOENT)
        err << "stirpa: the program '" << installed
            << "' is missing: Stirpa is not completely installed\n";
    else
        err << "stirpa: cannot start '" << program << "': " << std::strerror(errno) << '\n';
    return 1;
}
