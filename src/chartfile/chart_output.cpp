// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/chart_output.h"

#include "base/regular_file.h"
#include "chartfile/chart_reader.h"

#include <sys/stat.h>

std::string inputAt(const std::string& out, const std::vector<std::string>& inputs)
{
    for (const std::string& input : inputs)
        if (sameFile(out, input))
            return input;
    return {};
}

Result checkChartOutput(const std::string& out, const std::vector<std::string>& inputs,
                        bool replace)
{
    if (const std::string input = inputAt(out, inputs); !input.empty())
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': it is the same file "
                                                         "as '%2', which this command reads; "
                                                         "nothing was written."),
                               {out, input});
    struct stat info {};
    if (replace || ::stat(out.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size == 0 || isChartFile(out))
        return {};
    return Result::failure(Result::CannotWrite,
                           STIRPA_TR_NOOP("Message",
                                          "Cannot write '%1': it is a file that is not a Stirpa "
                                          "chart; nothing was written (--replace replaces it)."),
                           {out});
}
