// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/guarded_output.h"

#include "family/output_check.h"

GuardedOutput::GuardedOutput(const std::string& outPath, const std::vector<std::string>& read,
                             bool replace, const std::vector<std::string>& changed)
    : ready_(checkChartOutput(outPath, read, replace))
{
    if (!ready_)
        return;
    std::vector<std::string> folders = changed;
    folders.push_back(outPath);
    lock_.emplace(folders);
    ready_ = lock_->acquired();
    // Again under the lock: another copy may have written the output while
    // this one waited for it.
    if (ready_)
        ready_ = checkChartOutput(outPath, read, replace);
}
