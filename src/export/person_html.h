// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class Person;
struct RecordLink;
struct TreeSettings;

// What every element of one page shares.
struct HtmlPage {
    std::string name; // the page's own name: continuation boxes link to its siblings
    // Descriptions are HTML as typed; escaped, they show as plain text.
    bool escapeText = false;
    // The chart was made from a family file (set from the chart): its boxes
    // without a record (see boxes, limit boxes, a book's labels) hold the
    // file's text too.
    bool fromFamilyFile = false;
    // Each box carries its width and height, for a page whose style sheet
    // gives another size.
    bool boxSizes = false;
    // Of a page of a book: each linking continuation box is the anchor "to-" and
    // the suffix it links by, for the way back from the page below.
    bool anchors = false;
};

// Whether boxes have the size the page template's style sheet gives them.
bool hasTemplateBoxSize(const TreeSettings& settings);

// The style element that gives boxes and continuation boxes the chart's size.
std::string boxSizeStyle(const TreeSettings& settings);

// Whether a continuation box links to a chart: in a chart made from a family
// file, a box that ends in no digit marks the generation limit and names none.
bool linksToChart(const Person& box, bool fromFamilyFile);

// The file a continuation box links to: the page name followed by the one or
// two digits its text ends in, and ".html".
std::string continuationTarget(const Person& box, std::string_view pageName);

// The same target as an address: the bytes an address cannot hold in the page
// name percent-encoded.
std::string continuationAddress(std::string_view pageName, std::string_view text);

// The HTML export's elements of one box, appended to out: its connector images
// (the links pass), then its box element (the boxes pass). Positions come from
// the settings' box size and HTML start; a continuation box links to the page
// named like this one followed by the digits its text ends in. The text of a
// box that still holds its family file's text (see the record), or of a box
// without a record in a chart made from a family file, is escaped.
void appendHtmlLinks(std::string& out, const Person& box, const TreeSettings& settings);
void appendHtmlBox(std::string& out, const Person& box, const TreeSettings& settings,
                   const HtmlPage& page, const RecordLink* record = nullptr);
