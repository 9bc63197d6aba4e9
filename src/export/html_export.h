// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chartfile/result.h"
#include "helpmod/stirpa_string.h"
#include "model/chart.h"

#include <istream>
#include <ostream>
#include <string>

inline constexpr char htmlTemplateName[] = "stirpa_full.html";

// The file name offered for an export: the chart's path with its file's own
// extension replaced by ".html" (".html" for a chart never saved).
String initialHtmlName(const String& documentPath);

// The page name: the output file's name without folder and extension.
String htmlPageName(const String& outputPath);

// Writes the chart elements (links pass, boxes pass, spacer) to out.
void writeHtmlChart(std::ostream& out, const Chart& chart, const String& pageName);

// Writes a page: with a template, its head up to the TREE line (FILENAME lines
// replaced by the page name), the chart, then the rest of the template. Returns
// false when the template ends before a TREE line (out then holds the head).
bool writeHtmlPage(std::ostream& out, const Chart& chart, const String& pageName,
                   std::istream* pageTemplate);

// The export command: writes path (atomically) and logs its progress. With
// completePage the template is read from templatePath. A missing template still
// writes an empty page and one without a TREE line its copied head; both fail
// (TemplateIncomplete). When path cannot be created (CannotCreate) or written
// (CannotWrite), the file is left as it was.
Result exportHtml(const Chart& chart, const String& path, bool completePage,
                  const std::string& templatePath = htmlTemplateName);
