// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "app/batch.h"
#include "app/display_check.h"
#include "app/gui_batch.h"
#include "app/translation.h"
#include "chartfile/debug_log.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[])
{
    // Batch mode ignores the language: what it prints stays English.
    const QString language = takeLanguageOption(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<BatchOption> options = coreBatchOptions();
    for (BatchOption& option : guiBatchOptions())
        options.push_back(std::move(option));

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
    // "-" alone may name a chart; any other dash is an option we do not have.
    if (!args.empty() && args[0].starts_with('-') && args[0] != "-") {
        std::cerr << "stirpa: unknown option '" << args[0] << "'\n" << batchHelp(options);
        return 2;
    }
    if (const std::string problem = editorDisplayProblem(); !problem.empty()) {
        std::cerr << "stirpa: " << problem << '\n';
        return 1;
    }

    // The log opens before anything else of the editor, truncating the last run's.
    openDebugLog();
    QApplication application(argc, argv);
    installTranslations(language);
    Application stirpa;
    if (!stirpa.start(QApplication::arguments().mid(1)))
        return 1;
    return application.exec();
}
