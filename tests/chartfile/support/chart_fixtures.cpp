// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_fixtures.h"

#include "chartfile/chart_writer.h"
#include "chartfile/line_reader.h"
#include "model/chart_limits.h"

#include <QFile>
#include <climits>
#include <memory>
#include <sstream>

ChartLoad loadChartBytes(const QByteArray& bytes, const TreeSettings& current, const char* treeName)
{
    LineReader reader = LineReader::fromBytes(bytes.toStdString());
    return readChart(reader, treeName, current);
}

QByteArray chartBytes(const Chart& chart)
{
    std::ostringstream out;
    writeChart(out, chart);
    return QByteArray::fromStdString(out.str());
}

bool isEmptyChart(const Chart& chart)
{
    return chart.tree().size() == 0 && chart.tree().name().empty() &&
           chart.settings() == TreeSettings();
}

QByteArray boxesText(const Tree& tree)
{
    QByteArray text;
    tree.forEachPerson([&text](const Person* box) {
        text += char(box->kind()) + QByteArray::number(box->direction()) + ' ' +
                QByteArray::number(box->column()) + ',' + QByteArray::number(box->level()) + ' ' +
                QByteArray::number(box->rightLink()) + ',' + QByteArray::number(box->downLink()) +
                ' ' + QByteArray::number(box->lineage) + " [" + box->text.c_str() + "]\n";
    });
    return text;
}

QByteArray settingsText(const TreeSettings& s)
{
    return QByteArray::number(s.boxWidth) + 'x' + QByteArray::number(s.boxHeight) + ' ' +
           QByteArray::number(s.htmlStartX) + ',' + QByteArray::number(s.htmlStartY) + ' ' +
           s.generationMode + QByteArray::number(s.generationStart) + ' ' +
           QByteArray::number(s.smallFontLine);
}

namespace {

int between(std::mt19937& random, long low, long high)
{
    return int(std::uniform_int_distribution<long>(low, high)(random));
}

// Mostly ordinary values, now and then the extremes of the range.
int chartNumber(std::mt19937& random, long low, long high, long usualLow, long usualHigh)
{
    switch (between(random, 0, 9)) {
    case 0:
        return int(low);
    case 1:
        return int(high);
    case 2:
        return between(random, low, high);
    default:
        return between(random, usualLow, usualHigh);
    }
}

std::string randomText(std::mt19937& random)
{
    static const char* const pieces[] = {
        "a",    "Zo",   " ",      "  ", ":",       "::",       " |",       "|",
        "j",    "3j4",  "20j0 0", "-7", "P 1j1 ",  "\xc3\xa9", "\xc5\x81", "\xe5\xbc\xa0",
        "\xe9", "\x80", "\xff",   "\t", "Stirpa ", "1:",
    };
    std::string text;
    const int count = between(random, 0, 12);
    for (int i = 0; i < count; ++i)
        text += pieces[between(random, 0, int(std::size(pieces)) - 1)];
    return text;
}

} // namespace

Chart randomChart(std::mt19937& random)
{
    Chart chart(TreeSettings(), "random");
    TreeSettings& s = chart.settings();
    s.boxWidth = chartNumber(random, TreeSettings::minBoxSize, TreeSettings::maxBoxSize, 20, 300);
    s.boxHeight = chartNumber(random, TreeSettings::minBoxSize, TreeSettings::maxBoxSize, 20, 120);
    s.htmlStartX = chartNumber(random, INT_MIN, INT_MAX, -500, 500);
    s.htmlStartY = chartNumber(random, INT_MIN, INT_MAX, -500, 500);
    static const char modes[] = "duhdux";
    s.generationMode = modes[between(random, 0, 5)];
    s.generationStart = chartNumber(random, INT_MIN, INT_MAX, -20, 2000);
    s.smallFontLine = chartNumber(random, INT_MIN, INT_MAX, -1, 5);
    s.saveLineage = between(random, 0, 1) == 1;

    const int count = between(random, 0, 40);
    for (int i = 0; i < count; ++i) {
        const Cell cell{chartNumber(random, chartLimits::minCell, chartLimits::maxCell, -3, 30),
                        chartNumber(random, chartLimits::minCell, chartLimits::maxCell, -3, 30)};
        const Links links{
            chartNumber(random, -chartLimits::maxLink, chartLimits::maxLink, -40, 40),
            chartNumber(random, -chartLimits::maxLink, chartLimits::maxLink, -40, 40)};
        std::unique_ptr<Person> box;
        if (between(random, 0, 3) == 0)
            box = std::make_unique<ContPerson>("", cell, links, between(random, 0, 4));
        else
            box = std::make_unique<Person>("", cell, links);
        box->text = randomText(random);
        box->lineage = chartNumber(random, INT_MIN, INT_MAX, 0, 3);
        chart.mutableTree().append(std::move(box));
    }
    return chart;
}

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
