// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/install_paths.h"

#include "export/html_export.h"

#include <filesystem>
#include <system_error>

std::string installedDataFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return STIRPA_INSTALL_DATADIR "/stirpa";
    return (program.parent_path().parent_path() / STIRPA_INSTALL_DATADIR / "stirpa").string();
}

std::vector<std::string> htmlTemplatePaths()
{
    return {htmlTemplateName, installedDataFolder() + "/web/" + htmlTemplateName};
}
