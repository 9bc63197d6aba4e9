// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command/language_option.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

const char* takeLanguageCode(int& argc, char** argv)
{
    char** const end = argv + argc;
    char** const option = std::find_if(
        argv + 1, end, [](const char* arg) { return std::strcmp(arg, "--lang") == 0; });
    if (end - option < 2)
        return nullptr;
    const char* const code = option[1];
    std::copy(option + 2, end + 1, option); // argv[argc] is null and stays so
    argc -= 2;
    return code;
}

std::string interfaceLanguage(const char* code)
{
    if (code)
        return code;
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return {};
}
