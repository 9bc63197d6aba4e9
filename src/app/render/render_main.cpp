// SPDX-License-Identifier: GPL-3.0-or-later
// --render, started by stirpa with its command line. Qt Gui only: a render
// loads none of the editor's libraries.
#include "app/render/gui_batch.h"
#include "base/terminal_text.h"

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    TerminalStreams terminal;
    const int status = runBatch(guiBatchOptions(), args, {terminal.out, terminal.err});
    return status >= 0 ? status : 2;
}
