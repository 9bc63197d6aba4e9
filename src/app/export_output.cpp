// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/export_output.h"

#include "chartfile/chart_output.h"
#include "chartfile/chart_reader.h"
#include "gedcom/gedcom_reader.h"

Result checkExportOutput(const std::string& out, const std::vector<std::string>& inputs)
{
    if (const Result output = checkChartOutput(out, inputs, true); !output)
        return output;
    if (isChartFile(out))
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': it is a Stirpa chart, "
                                                         "which an export never replaces; nothing "
                                                         "was written."),
                               {out});
    if (isGedcomFile(out))
        return Result::failure(Result::CannotWrite,
                               STIRPA_TR_NOOP("Message", "Cannot write '%1': it is a GEDCOM file, "
                                                         "which an export never replaces; nothing "
                                                         "was written."),
                               {out});
    return {};
}
