// SPDX-License-Identifier: GPL-3.0-or-later
#include "description_lines.h"
#include "person.h"
#include "tree_settings.h"

namespace {

// Where a cell's box starts on the page. Wide arithmetic: the HTML start is any
// integer the header or the dialog gave.
struct PagePoint {
    long long left;
    long long top;
};

PagePoint pageCell(Cell cell)
{
    const TreeSettings& s = treeSettings();
    return {(long long)cell.column * s.pitchX() + s.htmlStartX,
            (long long)cell.level * s.pitchY() + s.htmlStartY};
}

const char* pinImage(int lineage, int bit)
{
    const bool onLineage = lineage == bit || lineage == 3;
    return treeSettings().saveLineage && onLineage ? "pinneR" : "pinne";
}

void writePin(std::ostream& out, bool horizontal, long long top, long long left, int length,
              const char* image)
{
    out << (horizontal ? "<img class=\"pinH\" style=\"top: " : "<img class=\"pinV\" style=\"top: ")
        << top << "px; left: " << left << (horizontal ? "px; width: " : "px; height: ") << length
        << "px;\" src=\"" << image << ".gif\">" << '\n';
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

} // namespace

void Person::htmlLinks(std::ostream& out, const String& /*pageName*/) const
{
    const TreeSettings& s = treeSettings();
    const PagePoint page = pageCell(cell());
    if (rightLink() != 0)
        writePin(out, true, page.top + s.boxHeight / 2, page.left + s.boxWidth, rightLink(),
                 pinImage(lineage, 1));
    if (downLink() != 0)
        writePin(out, false, page.top + s.boxHeight, page.left + s.boxWidth / 2, downLink(),
                 pinImage(lineage, 2));
}

void Person::htmlBox(std::ostream& out, const String& /*pageName*/) const
{
    const PagePoint page = pageCell(cell());
    out << "<div class=\"box\" style=\"top: " << page.top << "px; left: " << page.left << "px;\">";
    const int smallFrom = smallFontStart(treeSettings().smallFontLine);
    const std::vector<std::string_view> lines = descriptionLines(text.view());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out << (i == 0 ? "<b>" : "<br>");
        if (smallFrom >= 0 && i == std::size_t(smallFrom))
            out << "<font size=1>";
        out << lines[i];
        if (i == 0)
            out << "</b>";
    }
    if (smallFrom >= 0 && lines.size() > std::size_t(smallFrom))
        out << "</font>";
    out << "</div>" << '\n';
}

void ContPerson::htmlLinks(std::ostream& out, const String& /*pageName*/) const
{
    if (direction() > 3)
        return;
    const TreeSettings& s = treeSettings();
    const PagePoint page = pageCell(cell());
    const DirectionFactors f = directionFactors(direction());
    const long long halfWidth = scaled(s.boxWidth, 0.5), halfHeight = scaled(s.boxHeight, 0.5);
    long long x = page.left + f.x * halfWidth;
    long long y = page.top + f.y * halfHeight;
    if (direction() == 0 || direction() == 3) {
        x -= (long long)rightLink() * (1 - f.x);
        y -= (long long)downLink() * (1 - f.y);
    }
    const bool horizontal = direction() % 2 == 1;
    writePin(out, horizontal, y, x, horizontal ? rightLink() : downLink(), "pinne");
}

void ContPerson::htmlBox(std::ostream& out, const String& pageName) const
{
    const TreeSettings& s = treeSettings();
    const PagePoint page = pageCell(cell());
    const DirectionFactors f = directionFactors(direction());
    const long long top = page.top + f.y * scaled(s.boxHeight, 0.15);
    const long long left = page.left + f.x * scaled(s.boxWidth, 0.15);
    out << "<div class=\"cbox\" style=\"top: " << top << "px; left: " << left
        << "px;\"><font size=1><a href=\"" << pageName.c_str() << linkSuffix(text.view())
        << ".html\">";
    bool first = true;
    for (std::string_view line : descriptionLines(text.view())) {
        out << line << "<br>";
        if (first)
            out << "</a>";
        first = false;
    }
    // An anchor left open would turn the rest of the page into the link.
    if (first)
        out << "</a>";
    out << "</font>" << "</div>" << '\n';
}
