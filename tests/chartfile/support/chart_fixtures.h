// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chartfile/chart_reader.h"
#include "model/chart.h"
#include "model/tree.h"
#include "model/tree_settings.h"

#include <QByteArray>
#include <QString>
#include <random>

// Reads chart bytes as a file named tree1.txt would be read.
ChartLoad loadChartBytes(const QByteArray& bytes, const TreeSettings& current,
                         const char* treeName = "tree1");

// The writer's output for a chart.
QByteArray chartBytes(const Chart& chart);

// True for what a failed load leaves: no boxes, no name, the default settings.
bool isEmptyChart(const Chart& chart);

// Every field of every box, one line per box in list order:
// kind and direction, column,level, right,down, lineage, [text].
QByteArray boxesText(const Tree& tree);

// The header fields: WxH X,Y <mode><start> <small>.
QByteArray settingsText(const TreeSettings& settings);

// A random chart within the limits a file may carry: texts with blanks, colons,
// bars, 'j', UTF-8 and Latin-1 bytes; negative and large numbers; continuation
// boxes of every direction.
Chart randomChart(std::mt19937& random);

QByteArray readWholeFile(const QString& path);
bool writeWholeFile(const QString& path, const QByteArray& bytes);
