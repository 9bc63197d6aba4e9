// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/install_paths.h"

#include "export/html_export.h"

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// Whether the folder's last names are those of tail ("libexec/stirpa").
bool endsWith(const fs::path& folder, const fs::path& tail)
{
    auto name = folder.end();
    for (auto wanted = tail.end(); wanted != tail.begin();) {
        if (name == folder.begin() || *--name != *--wanted)
            return false;
    }
    return true;
}

std::string beside(const fs::path& folder, const fs::path& relative)
{
    return (folder / relative).lexically_normal().string();
}

} // namespace

std::string runningProgramFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? STIRPA_INSTALL_BINDIR : program.parent_path().string();
}

std::string installedDataFolder() { return dataFolderFor(runningProgramFolder()); }

std::string dataFolderFor(const std::string& programFolder)
{
    const bool qtProgram = endsWith(programFolder, STIRPA_INSTALL_PROGRAMDIR);
    return beside(programFolder, qtProgram ? STIRPA_PROGRAMS_TO_DATA : STIRPA_BIN_TO_DATA);
}

std::string installedProgramFolder()
{
    return beside(runningProgramFolder(), STIRPA_BIN_TO_PROGRAMS);
}

std::vector<std::string> htmlTemplatePaths()
{
    return {htmlTemplateName, runningProgramFolder() + "/web/" + htmlTemplateName,
            installedDataFolder() + "/web/" + htmlTemplateName};
}

std::vector<std::string> exportInputs(const std::string& chartPath, bool completePage)
{
    std::vector<std::string> inputs = {chartPath};
    if (completePage)
        for (const std::string& path : htmlTemplatePaths())
            inputs.push_back(path);
    return inputs;
}
