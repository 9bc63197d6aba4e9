// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Standard headers first: moc fails on <compare> when it is the first header it meets.
#include <memory>
#include <sstream>
#include <string>

#include "model/chart.h"
#include "model/person.h"
#include "model/tree_settings.h"

#include <QByteArray>

// A box for the tests: text stored as given (bars included).
std::unique_ptr<Person> makeBox(const char* text, Cell cell, Links links, int lineage = 0);
std::unique_ptr<ContPerson> makeContinuation(const char* text, Cell cell, Links links,
                                             int direction);

// What one box writes in the links pass and in the boxes pass.
std::string linksOf(const Person& box, const TreeSettings& settings);
std::string boxOf(const Person& box, const TreeSettings& settings, const char* pageName = "page",
                  bool escapeText = false);

// The chart elements of a whole chart, as the export writes them.
std::string chartOf(const Chart& chart, const char* pageName = "page");

// Bytes for QCOMPARE, which prints them when they differ.
QByteArray bytes(const std::string& text);

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
// A file under tests/data/export.
std::string testDataPath(const char* name);

// Sends the debug log into a string while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    std::string text() const { return stream_.str(); }

private:
    std::ostringstream stream_;
};
