// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/person_html.h"

#include "model/colour_scheme.h"
#include "model/description_lines.h"
#include "model/person.h"
#include "model/record_links.h"
#include "model/tree_settings.h"

#include <algorithm>
#include <charconv>
#include <cstring>
namespace {

// Where a cell's box starts on the page. Wide arithmetic: the HTML start is any
// integer the header or the dialog gave.
struct PagePoint {
    long long left;
    long long top;
};

PagePoint pageCell(Cell cell, const TreeSettings& s)
{
    return {(long long)cell.column * s.pitchX() + s.htmlStartX,
            (long long)cell.level * s.pitchY() + s.htmlStartY};
}

const char* pinImage(int lineage, int bit, bool saveLineage)
{
    const bool onLineage = lineage == bit || lineage == 3;
    return saveLineage && onLineage ? "pinneR" : "pinne";
}

// Writes into room made at the end of a string, without a check per piece; the
// string is cut back to what was written when the writer goes. The room must be
// enough for everything written.
class RoomWriter {
public:
    RoomWriter(std::string& out, std::size_t room) : out_(out)
    {
        const std::size_t start = out.size();
        out.resize(start + room);
        at_ = out.data() + start;
    }
    ~RoomWriter() { out_.resize(std::size_t(at_ - out_.data())); }
    RoomWriter(const RoomWriter&) = delete;
    RoomWriter& operator=(const RoomWriter&) = delete;

    template <std::size_t N> void put(const char (&literal)[N])
    {
        put(std::string_view(literal, N - 1));
    }
    void put(std::string_view text)
    {
        std::memcpy(at_, text.data(), text.size());
        at_ += text.size();
    }
    void number(long long value) { at_ = std::to_chars(at_, at_ + maxDigits, value).ptr; }

    static constexpr std::size_t maxDigits = 20;

private:
    std::string& out_;
    char* at_;
};

// The longest form a byte takes once escaped ("&quot;", "&amp;").
constexpr std::size_t maxEscapedLength = 6;

// Room for the fixed parts of an element (its colour too) and its numbers, the
// text (escaped or not), and the tags around each of the text's lines.
std::size_t roomFor(std::string_view text, bool escaped, std::size_t extra)
{
    const std::size_t lines = std::size_t(std::count(text.begin(), text.end(), '|')) + 1;
    return 190 + extra + text.size() * (escaped ? maxEscapedLength : 1) + 8 * lines;
}

// Writes text so that a browser shows it as it is.
void putEscaped(RoomWriter& w, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            w.put("&amp;");
            break;
        case '<':
            w.put("&lt;");
            break;
        case '>':
            w.put("&gt;");
            break;
        case '"':
            w.put("&quot;");
            break;
        default:
            w.put(std::string_view(&c, 1));
        }
    }
}

void putText(RoomWriter& w, std::string_view text, bool escape)
{
    if (escape)
        putEscaped(w, text);
    else
        w.put(text);
}

// Bytes that would end an attribute or change what an address means.
bool needsPercent(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' || byte == 0x7F || std::strchr("\"<>%#?'", c);
}

void writePin(std::string& out, bool horizontal, long long top, long long left, int length,
              const char* image)
{
    // A connector drawn back toward its start begins at its far end: a page
    // takes no negative sizes.
    if (length < 0) {
        (horizontal ? left : top) += length;
        length = -length;
    }
    RoomWriter w(out, 160);
    if (horizontal)
        w.put("<img class=\"pinH\" style=\"top: ");
    else
        w.put("<img class=\"pinV\" style=\"top: ");
    w.number(top);
    w.put("px; left: ");
    w.number(left);
    if (horizontal)
        w.put("px; width: ");
    else
        w.put("px; height: ");
    w.number(length);
    w.put("px;\" src=\"");
    w.put(std::string_view(image));
    w.put(".gif\">\n");
}

// Up to two digits from the end of the text name the continued chart: "12" for
// a text ending in 12, "07" for one ending in " 7", "0" when neither is a digit.
std::string linkSuffix(std::string_view text)
{
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::string suffix = "0";
    if (text.size() >= 2 && isDigit(text[text.size() - 2]))
        suffix[0] = text[text.size() - 2];
    if (!text.empty() && isDigit(text.back()))
        suffix += text.back();
    return suffix;
}

// Box sizes are written whole, each side on its own.
struct BoxSize {
    int width;
    int height;
};

BoxSize personSize(const TreeSettings& s) { return {s.boxWidth, s.boxHeight}; }

BoxSize continuationSize(const TreeSettings& s)
{
    return {scaled(s.boxWidth, continuationScale), scaled(s.boxHeight, continuationScale)};
}

// Room for "; width: ...px; height: ...px" with the widest numbers.
std::size_t sizeRoom(const HtmlPage& page)
{
    return page.boxSizes ? 24 + 2 * RoomWriter::maxDigits : 0;
}

// The end of a box's style attribute: its size when the page asks for it.
// Ends a box's style: its size when the page asks, and its colour when it has one.
void putStyleEnd(RoomWriter& w, BoxSize size, const HtmlPage& page, Colour fill)
{
    if (page.boxSizes) {
        w.put("px; width: ");
        w.number(size.width);
        w.put("px; height: ");
        w.number(size.height);
    }
    w.put("px;");
    if (fill != noColour) {
        w.put(" background: #");
        w.put(hexColour(fill));
        w.put(";");
    }
    w.put("\">");
}

void plainLinks(std::string& out, const Person& box, const TreeSettings& s)
{
    const PagePoint page = pageCell(box.cell(), s);
    if (box.rightLink() != 0)
        writePin(out, true, page.top + s.boxHeight / 2, page.left + s.boxWidth, box.rightLink(),
                 pinImage(box.lineage, 1, s.saveLineage));
    if (box.downLink() != 0)
        writePin(out, false, page.top + s.boxHeight, page.left + s.boxWidth / 2, box.downLink(),
                 pinImage(box.lineage, 2, s.saveLineage));
}

void plainBox(std::string& out, const Person& box, const TreeSettings& s, const HtmlPage& html,
              bool escape)
{
    const PagePoint page = pageCell(box.cell(), s);
    const std::string_view description = box.text;
    RoomWriter w(out, roomFor(description, escape, sizeRoom(html)));
    w.put("<div class=\"box\" style=\"top: ");
    w.number(page.top);
    w.put("px; left: ");
    w.number(page.left);
    putStyleEnd(w, personSize(s), html, box.fillColour(noColour));
    const int smallFrom = smallFontStart(s.smallFontLine, box.nameLines());
    int index = 0;
    forEachDescriptionLine(description, [&](std::string_view line) {
        if (index > 0)
            w.put("<br>");
        if (index < box.nameLines())
            w.put("<b>");
        if (smallFrom >= 0 && index == smallFrom)
            w.put("<font size=1>");
        putText(w, line, escape);
        if (index < box.nameLines())
            w.put("</b>");
        ++index;
    });
    if (smallFrom >= 0 && index > smallFrom)
        w.put("</font>");
    w.put("</div>\n");
}

void continuationLinks(std::string& out, const Person& box, const TreeSettings& s)
{
    const int direction = box.direction();
    if (direction > 3)
        return;
    const PagePoint page = pageCell(box.cell(), s);
    const DirectionFactors f = directionFactors(direction);
    const long long halfWidth = scaled(s.boxWidth, 0.5), halfHeight = scaled(s.boxHeight, 0.5);
    long long x = page.left + f.x * halfWidth;
    long long y = page.top + f.y * halfHeight;
    if (direction == 0 || direction == 3) {
        x -= (long long)box.rightLink() * (1 - f.x);
        y -= (long long)box.downLink() * (1 - f.y);
    }
    const bool horizontal = direction % 2 == 1;
    writePin(out, horizontal, y, x, horizontal ? box.rightLink() : box.downLink(), "pinne");
}

void continuationBox(std::string& out, const Person& box, const TreeSettings& s,
                     const HtmlPage& html, bool escape)
{
    const PagePoint page = pageCell(box.cell(), s);
    const DirectionFactors f = directionFactors(box.direction());
    const std::string_view description = box.text;
    const std::string suffix = linkSuffix(description);
    RoomWriter w(out,
                 roomFor(description, escape,
                         html.name.size() * maxEscapedLength + 2 * suffix.size() + 16 +
                             sizeRoom(html)));
    const bool link = linksToChart(box, html.fromFamilyFile);
    w.put("<div class=\"cbox\" ");
    if (link && html.anchors) {
        w.put("id=\"to-");
        w.put(suffix);
        w.put("\" ");
    }
    w.put("style=\"top: ");
    w.number(page.top + f.y * scaled(s.boxHeight, 0.15));
    w.put("px; left: ");
    w.number(page.left + f.x * scaled(s.boxWidth, 0.15));
    putStyleEnd(w, continuationSize(s), html, box.fillColour(noColour));
    w.put("<font size=1>");
    if (link) {
        w.put("<a href=\"");
        for (const char c : continuationAddress(html.name, description))
            w.put(c == '&' ? std::string_view("&amp;") : std::string_view(&c, 1));
        w.put("\">");
    }
    bool first = true;
    forEachDescriptionLine(description, [&](std::string_view line) {
        putText(w, line, escape);
        w.put("<br>");
        if (first && link)
            w.put("</a>");
        first = false;
    });
    // An anchor left open would turn the rest of the page into the link.
    if (first && link)
        w.put("</a>");
    w.put("</font></div>\n");
}

} // namespace

bool hasTemplateBoxSize(const TreeSettings& settings)
{
    const TreeSettings standard;
    return settings.boxWidth == standard.boxWidth && settings.boxHeight == standard.boxHeight;
}

std::string boxSizeStyle(const TreeSettings& settings)
{
    const BoxSize box = personSize(settings), continuation = continuationSize(settings);
    return "<style>\n.box { width: " + std::to_string(box.width) +
           "px; height: " + std::to_string(box.height) +
           "px; }\n.cbox { width: " + std::to_string(continuation.width) +
           "px; height: " + std::to_string(continuation.height) + "px; }\n</style>\n";
}

bool linksToChart(const Person& box, bool fromFamilyFile)
{
    const std::string_view text = box.text;
    return box.kind() == BoxKind::Continuation &&
           (!fromFamilyFile || (!text.empty() && text.back() >= '0' && text.back() <= '9'));
}

std::string continuationTarget(const Person& box, std::string_view pageName)
{
    return std::string(pageName) + linkSuffix(box.text) + ".html";
}

std::string continuationAddress(std::string_view pageName, std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string address;
    for (const char c : pageName) {
        const auto byte = static_cast<unsigned char>(c);
        if (needsPercent(c))
            address += {'%', hex[byte >> 4], hex[byte & 15]};
        else
            address += c;
    }
    return address + linkSuffix(text) + ".html";
}

void appendHtmlLinks(std::string& out, const Person& box, const TreeSettings& settings)
{
    if (box.kind() == BoxKind::Continuation)
        continuationLinks(out, box, settings);
    else
        plainLinks(out, box, settings);
}

void appendHtmlBox(std::string& out, const Person& box, const TreeSettings& settings,
                   const HtmlPage& page, const RecordLink* record)
{
    // Another program's text is data: markup in it must not run in the page.
    const bool escape =
        page.escapeText || (record ? hasFileText(box, record) : page.fromFamilyFile);
    if (box.kind() == BoxKind::Continuation)
        continuationBox(out, box, settings, page, escape);
    else
        plainBox(out, box, settings, page, escape);
}
