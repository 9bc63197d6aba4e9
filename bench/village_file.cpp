// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated village of about PERSONS persons as a GEDCOM file, for the
// benchmarks that need a family file. Usage: village_file PERSONS OUT.ged
#include "gedcom_generator.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3 || std::atoi(argv[1]) <= 0) {
        std::cerr << "usage: village_file PERSONS OUT.ged\n";
        return 2;
    }
    const int persons = std::atoi(argv[1]);
    // Few founders and many generations: one family's descendants fill the book.
    std::ofstream(argv[2]) << generateVillage({40, 4, persons, 1, true}).text;
    return 0;
}
