// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class Chart;
class Person;

// The chart's root: the box of the person a linked chart was imported from,
// else the first plain box of the top level. Null when there is none.
const Person* chartRoot(const Chart& chart);

// The poster's title line, as display text: the root's name and the family file
// the chart comes from (the chart's own name when it is linked to none).
std::string posterTitle(const Chart& chart);
