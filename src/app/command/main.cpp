// SPDX-License-Identifier: GPL-3.0-or-later
// stirpa itself answers --help, --version and the batch commands that need no Qt,
// and hands the editor and --render to the Qt programs: the other batch commands
// then load none of Qt.
#include "app/command/batch.h"
#include "app/command/language_option.h"
#include "app/command/qt_program.h"
#include "base/terminal_text.h"
#include "layout/date_text.h"

#include <iostream>

int main(int argc, char* argv[])
{
    // The editor reads the language itself; batch mode prints English and
    // writes the dates it imports in the interface's language.
    std::vector<char*> editorArgv(argv, argv + argc + 1);
    const char* const language = takeLanguageCode(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<BatchOption> options =
        coreBatchOptions(dateLanguageOf(interfaceLanguage(language)));
    options.push_back(renderOption([argv](const std::vector<std::string>&, BatchStreams streams) {
        return runQtProgram(renderProgramName, argv, streams.err);
    }));

    // Names and paths from files and arguments reach the terminal: no control
    // character among them may steer it.
    TerminalStreams terminal;
    std::ostream &out = terminal.out, &err = terminal.err;
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << batchHelp(options);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        out << "Stirpa " STIRPA_VERSION "\n";
        return 0;
    }
    const int status = runBatch(options, args, {out, err});
    if (status >= 0)
        return status;
    // "-" alone may name a chart; any other dash is an option we do not have.
    if (!args.empty() && args[0].starts_with('-') && args[0] != "-") {
        err << "stirpa: unknown option '" << args[0] << "'\n" << batchHelp(options);
        return 2;
    }
    out.flush();
    return runQtProgram(editorProgramName, editorArgv.data(), err);
}
