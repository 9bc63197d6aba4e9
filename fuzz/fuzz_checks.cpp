// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_checks.h"

#include <cstdio>
#include <cstdlib>

void require(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

ChartLoad loadChartBytes(std::string bytes, const TreeSettings& current)
{
    LineReader reader = LineReader::fromBytes(std::move(bytes));
    return readChart(reader, "fuzz", current);
}

bool hasBulkyText(const Tree& tree)
{
    long total = 0;
    tree.forEachPerson([&total](const Person* box) { total += box->text.size(); });
    return total > 64 * 1024;
}
