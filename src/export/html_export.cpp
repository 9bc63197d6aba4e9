// SPDX-License-Identifier: GPL-3.0-or-later
#include "html_export.h"

#include "atomic_file.h"
#include "debug_log.h"
#include "tree_settings.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr int spacerMargin = 100;

// Reads one template line of any length; false at the end of the template.
bool readTemplateLine(std::istream& in, std::string& line)
{
    return bool(std::getline(in, line));
}

} // namespace

String initialHtmlName(const String& documentPath)
{
    return documentPath.directory() + documentPath.fileName().stem() + ".html";
}

String htmlPageName(const String& outputPath) { return outputPath.fileName().stem(); }

void writeHtmlChart(std::ostream& out, Tree& tree, const String& pageName)
{
    tree.forEachPerson([&](const Person* box) { box->htmlLinks(out, pageName); });
    tree.forEachPerson([&](const Person* box) { box->htmlBox(out, pageName); });
    const Point extent = tree.extent();
    out << "<br><img src=\"tom.gif\" width="
        << (long long)extent.x + spacerMargin + treeSettings().htmlStartX << " height=" << extent.y
        << " border=0>" << '\n';
}

bool writeHtmlPage(std::ostream& out, Tree& tree, const String& pageName, std::istream* pageTemplate)
{
    std::string line;
    if (pageTemplate) {
        while (true) {
            if (!readTemplateLine(*pageTemplate, line))
                return false;
            if (line.rfind("TREE", 0) == 0)
                break;
            if (line.rfind("FILENAME", 0) == 0)
                out << pageName.c_str() << '\n';
            else
                out << line << '\n';
        }
    }
    writeHtmlChart(out, tree, pageName);
    if (pageTemplate) {
        while (readTemplateLine(*pageTemplate, line))
            out << line << '\n';
    }
    return true;
}

HtmlExportResult exportHtml(Tree& tree, const String& path, bool completePage,
                            const std::string& templatePath)
{
    debugLog() << "Html outfile is " << path.c_str() << std::endl;
    // Check that the output can be created before the template is read, so the log
    // tells the failures in the order they matter; the page itself is written
    // atomically at the end.
    std::error_code ignored;
    const bool existed = std::filesystem::exists(path.c_str(), ignored);
    {
        std::ofstream probe(path.c_str(), std::ios::app | std::ios::binary);
        if (!probe) {
            const int code = errno;
            debugLog() << "Cannot create outfile " << path.c_str() << std::endl;
            return {HtmlExportResult::CannotCreate,
                    "Cannot create the file '" + path.toStdString() + "': " + std::strerror(code)};
        }
    }

    std::ostringstream page;
    const String pageName = htmlPageName(path);
    HtmlExportResult result;
    if (completePage) {
        std::ifstream pageTemplate(templatePath, std::ios::binary);
        const bool opened = pageTemplate.is_open();
        if (!opened || !writeHtmlPage(page, tree, pageName, &pageTemplate)) {
            debugLog() << "Model input prematurely interrupted" << std::endl;
            result = {HtmlExportResult::TemplateIncomplete,
                      opened ? "The page template '" + templatePath + "' has no TREE line."
                             : "Cannot read the page template '" + templatePath + "'."};
        } else {
            debugLog() << "Model input eof" << std::endl;
        }
    } else {
        writeHtmlPage(page, tree, pageName, nullptr);
    }

    std::string error;
    if (!writeFileAtomically(path.toStdString(), std::move(page).str(), error)) {
        // Leave no empty file behind where there was none.
        if (!existed)
            std::filesystem::remove(path.c_str(), ignored);
        debugLog() << "Cannot create outfile " << path.c_str() << std::endl;
        return {HtmlExportResult::WriteFailed, error};
    }
    return result;
}
