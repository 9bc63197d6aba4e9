// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/result.h"
#include "model/family_link.h"

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// The batch forms of the stirpa command: each opens no window. A command returns
// the process exit status; errors go to the error stream.
struct BatchStreams {
    std::ostream& out;
    std::ostream& err;
};

using BatchCommand = std::function<int(const std::vector<std::string>& args, BatchStreams streams)>;

struct BatchOption {
    std::string name;  // e.g. "--log-tree"
    std::string usage; // the arguments, for --help
    std::string summary;
    BatchCommand run;
};

// The exit status of a command that ends in result: 0, else 1 with its message on err.
int exitStatus(const Result& result, std::ostream& err);

// The options done without Qt; imports write dates in the language given.
std::vector<BatchOption> coreBatchOptions(DateLanguage dateLanguage);

// --render paints with Qt: stirpa lists it with a command that hands it on, the
// Qt side with the one that paints.
BatchOption renderOption(BatchCommand run);
inline constexpr char renderUsage[] =
    "CHART OUT.png|.pdf|.svg [--pages wide=N|scale=P [--paper SIZE] | --poster SIZE] "
    "[--landscape|--portrait]";

// Runs the batch option named by args[0] (args excludes the program name);
// returns -1 when args[0] is not a batch option.
int runBatch(const std::vector<BatchOption>& options, const std::vector<std::string>& args,
             BatchStreams streams);

// The text of --help.
std::string batchHelp(const std::vector<BatchOption>& options);
