// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Hostile GEDCOM files too large to keep among the test data, made when needed.

// A person whose record nests one level deeper on each line, down to the level given.
std::string deeplyNested(int levels);

// A person whose name line is the given number of bytes long.
std::string oneLongLine(std::size_t bytes);

// One family with the given number of children, each a record of their own.
std::string manyChildren(int children);

// A header and then the given number of lines that are no GEDCOM lines.
std::string manyBadLines(int lines);
