// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: turns the help source into the help file the program reads.
#include "help/help_markup.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: compile_help SOURCE HELPFILE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "compile_help: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::ostringstream source;
    source << in.rdbuf();
    std::ofstream out(argv[2], std::ios::binary);
    out << compileHelpSource(source.str());
    if (!out.flush()) {
        std::cerr << "compile_help: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
