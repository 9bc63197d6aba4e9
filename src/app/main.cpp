// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch.h"

#include <iostream>

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::vector<BatchOption> options = coreBatchOptions();
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << batchHelp(options);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        std::cout << "Stirpa 1.0\n";
        return 0;
    }
    const int status = runBatch(options, args, {std::cout, std::cerr});
    if (status >= 0)
        return status;
    std::cerr << "stirpa: unknown option '" << (args.empty() ? "" : args[0]) << "'\n"
              << batchHelp(options);
    return 2;
}
