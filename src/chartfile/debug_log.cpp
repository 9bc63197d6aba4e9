// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/debug_log.h"

#include <fstream>

namespace {

std::ofstream& logFile()
{
    static std::ofstream file;
    return file;
}

std::ostream*& redirected()
{
    static std::ostream* stream = nullptr;
    return stream;
}

} // namespace

std::ostream& debugLog()
{
    if (redirected())
        return *redirected();
    return logFile();
}

bool openDebugLog(const std::string& path)
{
    std::ofstream& file = logFile();
    if (file.is_open())
        file.close();
    file.clear();
    file.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    return file.is_open();
}

void redirectDebugLog(std::ostream* stream) { redirected() = stream; }
