// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "files/folder_lock.h"

#include <optional>
#include <string>
#include <vector>

// A road's way to the chart it writes at outPath: the output checked first
// (see checkChartOutput; read are the files only read), then, while this
// lives, the folders of the output and of the charts read to be changed
// locked (see FolderLock), so that two roads to one chart take turns.
class GuardedOutput {
public:
    GuardedOutput(const std::string& outPath, const std::vector<std::string>& read, bool replace,
                  const std::vector<std::string>& changed = {});

    // Ok when the road may write; else why not.
    const Result& ready() const { return ready_; }

private:
    Result ready_;
    std::optional<FolderLock> lock_;
};
