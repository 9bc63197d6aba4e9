// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The help is written in a small markup and shipped as HTML. Inside a topic:
//   # Heading, ## Subheading
//   - list item (lines indented by two spaces continue it)
//   paragraphs separated by blank lines; lines indented by four spaces are kept as typed
//   ![caption](picture.png) alone on a line: a picture with its caption
//   *emphasis*, **strong**, `keys`, [[Topic]] and [text](#Topic) links; \* is a plain star
// The characters & < > in text come out escaped.
std::string helpMarkupToHtml(const std::string& markup);

// A whole help source: the "@topic NAME" lines are kept, each topic's text becomes HTML.
std::string compileHelpSource(const std::string& source);
