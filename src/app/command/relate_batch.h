// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/command/batch.h"

// stirpa --relate FILE.ged A B: how A is related to B, A and B as --root takes
// them. One block per relationship: the sentence ("A is the grandmother of
// B"), then the persons of its line from A to B, one a line, a couple on one;
// "A is not related to B" when none. In the language given. Exit status 1
// when the file cannot be read, A or B is not one person (the persons it could
// be are listed) or both are the same; 2 for a wrong call.
int relateCommand(const std::vector<std::string>& args, BatchStreams streams,
                  DateLanguage language);

// --relate for the option table.
BatchOption relateOption(DateLanguage language);
