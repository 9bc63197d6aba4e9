// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/output_check.h"

#include "base/regular_file.h"
#include "chartfile/chart_reader.h"
#include "gedcom/gedcom_reader.h"

#include <sys/stat.h>

namespace {

// What no command replaces.
Result checkNeverReplaced(const std::string& out, const std::vector<std::string>& inputs)
{
    for (const std::string& input : inputs)
        if (sameFile(out, input))
            return Result::failure(Result::CannotWrite,
                                   STIRPA_TR_NOOP("Message",
                                                  "Cannot write '%1': it is the same file as "
                                                  "'%2', which this command reads; nothing was "
                                                  "written."),
                                   {out, input});
    return refuseGedcomOverwrite(out);
}

} // namespace

Result checkChartOutput(const std::string& out, const std::vector<std::string>& inputs,
                        bool replace)
{
    if (const Result kept = checkNeverReplaced(out, inputs); !kept)
        return kept;
    struct stat info {};
    if (replace || ::stat(out.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0 ||
        isChartFile(out))
        return {};
    return Result::failure(Result::CannotWrite,
                           STIRPA_TR_NOOP("Message",
                                          "Cannot write '%1': it is a file that is not a Stirpa "
                                          "chart; nothing was written (--replace replaces it)."),
                           {out});
}

Result checkExportOutput(const std::string& out, const std::vector<std::string>& inputs)
{
    if (const Result kept = checkNeverReplaced(out, inputs); !kept)
        return kept;
    if (mayBeChartFile(out))
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': it is a Stirpa chart, "
                                                         "which an export never replaces; nothing "
                                                         "was written."),
                               {out});
    return {};
}
