// SPDX-License-Identifier: GPL-3.0-or-later
#include "export_fixture.h"

#include "files/debug_log.h"
#include "export/html_export.h"
#include "export/person_html.h"

#include <fstream>
#include <iterator>

std::unique_ptr<Person> makeBox(const char* text, Cell cell, Links links, int lineage)
{
    auto box = std::make_unique<Person>("", cell, links);
    box->text = text;
    box->lineage = lineage;
    return box;
}

std::unique_ptr<ContPerson> makeContinuation(const char* text, Cell cell, Links links,
                                             int direction)
{
    auto box = std::make_unique<ContPerson>("", cell, links, direction);
    box->text = text;
    return box;
}

std::string linksOf(const Person& box, const TreeSettings& settings)
{
    std::string out;
    appendHtmlLinks(out, box, settings);
    return out;
}

std::string boxOf(const Person& box, const TreeSettings& settings, const char* pageName,
                  bool escapeText)
{
    std::string out;
    appendHtmlBox(out, box, settings, {pageName, escapeText});
    return out;
}

std::string chartOf(const Chart& chart, const char* pageName)
{
    std::ostringstream out;
    writeHtmlChart(out, chart, {pageName});
    return out.str();
}

QByteArray bytes(const std::string& text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string testDataPath(const char* name)
{
    return std::string(STIRPA_TEST_DATA "/export/") + name;
}

LogCapture::LogCapture() { redirectDebugLog(&stream_); }

LogCapture::~LogCapture() { redirectDebugLog(nullptr); }
