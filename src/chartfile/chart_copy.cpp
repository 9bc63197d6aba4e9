// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartfile/chart_copy.h"

#include "chartfile/chart_reader.h"
#include "chartfile/chart_writer.h"
#include "chartfile/line_reader.h"

#include <sstream>

Chart copyOfChart(const Chart& chart)
{
    // The file format is the one description of a chart that every part of it
    // keeps to, so the copy goes through it.
    std::ostringstream bytes;
    writeChart(bytes, chart);
    LineReader reader = LineReader::fromBytes(std::move(bytes).str());
    return std::move(readChart(reader, chart.tree().name(), chart.settings()).chart);
}
