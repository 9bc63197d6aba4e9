// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class Person;
struct TreeSettings;

// What every element of one page shares.
struct HtmlPage {
    std::string name; // the page's own name: continuation boxes link to its siblings
    // Descriptions are HTML as typed; escaped, they show as plain text.
    bool escapeText = false;
};

// The HTML export's elements of one box, appended to out: its connector images
// (the links pass), then its box element (the boxes pass). Positions come from
// the settings' box size and HTML start; a continuation box links to the page
// named like this one followed by the digits its text ends in.
void appendHtmlLinks(std::string& out, const Person& box, const TreeSettings& settings);
void appendHtmlBox(std::string& out, const Person& box, const TreeSettings& settings,
                   const HtmlPage& page);

// The address a continuation box links to: the page name (the bytes an address
// cannot hold percent-encoded), the two digits the box's text ends in, ".html".
std::string continuationAddress(std::string_view pageName, std::string_view text);
