// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/page_layout.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace {

constexpr int maxPercent = 1000;
constexpr int maxPagesWide = 1000;

std::optional<int> numberAfter(std::string_view text, std::string_view prefix, int low, int high)
{
    if (text.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    const std::string_view digits = text.substr(prefix.size());
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// The furthest place at or before limit that cuts no box.
int breakAtOrBefore(const PageAxis& axis, int limit)
{
    if (limit <= axis.origin)
        return limit;
    const int intoCell = (limit - axis.origin) % axis.pitch;
    return intoCell == 0 || intoCell >= axis.boxLength ? limit : limit - intoCell;
}

std::size_t pageCount(const PageAxis& axis, double pageLength)
{
    return pageStarts(axis, pageLength).size();
}

// The shortest page length (within a chart pixel) that needs at most `pages` pages.
double shortestPageFor(const PageAxis& axis, int pages)
{
    double fits = std::max(axis.total, 1), tooShort = 0;
    while (fits - tooShort > 0.5) {
        const double middle = (fits + tooShort) / 2;
        (pageCount(axis, middle) <= std::size_t(pages) ? fits : tooShort) = middle;
    }
    return fits;
}

} // namespace

std::optional<PageOptions> parsePageOptions(std::string_view text)
{
    PageOptions options;
    if (const auto wide = numberAfter(text, "wide=", 1, maxPagesWide)) {
        options.mode = PageOptions::FitPagesWide;
        options.pagesWide = *wide;
        return options;
    }
    if (const auto percent = numberAfter(text, "scale=", 1, maxPercent)) {
        options.mode = PageOptions::Percent;
        options.percent = *percent;
        return options;
    }
    return std::nullopt;
}

const std::vector<std::pair<Paper, std::string>>& paperSizes()
{
    static const std::vector<std::pair<Paper, std::string>> sizes{
        {Paper::A4, "A4"},       {Paper::A3, "A3"},          {Paper::A2, "A2"},
        {Paper::A1, "A1"},       {Paper::A0, "A0"},          {Paper::Letter, "Letter"},
        {Paper::Legal, "Legal"}, {Paper::Tabloid, "Tabloid"}};
    return sizes;
}

std::optional<Paper> paperNamed(std::string_view name)
{
    const auto sameLetters = [name](const std::string& known) {
        return std::equal(
            known.begin(), known.end(), name.begin(), name.end(),
            [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
    };
    for (const auto& [paper, known] : paperSizes())
        if (sameLetters(known))
            return paper;
    return std::nullopt;
}

std::optional<PageOptions::Millimetres> parseRollSize(std::string_view text)
{
    const std::size_t by = text.find('x');
    if (by == std::string_view::npos || text.size() < 2 || text.substr(text.size() - 2) != "mm")
        return std::nullopt;
    const auto side = [](std::string_view digits) {
        return numberAfter(digits, "", shortestRollSide, longestRollSide);
    };
    const std::optional<int> width = side(text.substr(0, by));
    const std::optional<int> height = side(text.substr(by + 1, text.size() - 2 - (by + 1)));
    if (!width || !height)
        return std::nullopt;
    return PageOptions::Millimetres{*width, *height};
}

PageArguments parsePageArguments(const std::vector<std::string>& arguments)
{
    std::optional<PageOptions> pages;
    std::optional<Paper> paper;
    std::optional<Orientation> orientation;
    std::optional<PageOptions> poster;
    const auto failure = [](std::string message) { return PageArguments{{}, std::move(message)}; };
    const auto paperNames = [] {
        std::string names;
        for (const auto& [size, name] : paperSizes())
            names += (names.empty() ? "" : ", ") + name;
        return names;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const bool takesValue = option == "--pages" || option == "--paper" || option == "--poster";
        if (takesValue && i + 1 == arguments.size())
            return failure(option + " needs a value");
        if (option == "--poster") {
            if (poster)
                return failure("--poster is given twice");
            poster = PageOptions{};
            poster->mode = PageOptions::Poster;
            const std::string& size = arguments[++i];
            if (const std::optional<Paper> named = paperNamed(size)) {
                poster->paper = *named;
            } else if (const auto roll = parseRollSize(size)) {
                poster->paper = Paper::Roll;
                poster->roll = *roll;
            } else {
                return failure("unknown poster size '" + size + "': choose " + paperNames() +
                               " or a roll WIDTHxHEIGHTmm, each side " +
                               std::to_string(shortestRollSide) + " to " +
                               std::to_string(longestRollSide) + " mm");
            }
        } else if (option == "--pages") {
            if (pages)
                return failure("--pages is given twice");
            pages = parsePageOptions(arguments[++i]);
            if (!pages)
                return failure("--pages takes wide=N or scale=P (1 to 1000), not '" + arguments[i] +
                               "'");
        } else if (option == "--paper") {
            if (paper)
                return failure("--paper is given twice");
            paper = paperNamed(arguments[++i]);
            if (!paper)
                return failure("unknown paper '" + arguments[i] + "': choose " + paperNames());
        } else if (option == "--landscape" || option == "--portrait") {
            const Orientation way =
                option == "--landscape" ? Orientation::Landscape : Orientation::Portrait;
            if (orientation && *orientation != way)
                return failure("--landscape and --portrait cannot both be given");
            if (orientation)
                return failure(option + " is given twice");
            orientation = way;
        } else {
            return failure("unknown argument '" + option + "'");
        }
    }
    if (poster && (pages || paper))
        return failure("--poster takes the sheet's size itself: give it without --pages or "
                       "--paper");
    if (poster)
        pages = poster;
    else if (!pages && (paper || orientation))
        return failure("--paper, --landscape and --portrait need --pages; --landscape and "
                       "--portrait go with --poster too");
    if (pages) {
        if (!poster)
            pages->paper = paper.value_or(Paper::A4);
        pages->orientation = orientation.value_or(Orientation::Automatic);
    }
    return {pages, {}};
}

std::vector<int> pageStarts(const PageAxis& axis, double pageLength)
{
    std::vector<int> starts{0};
    int start = 0;
    // A box longer than a page is cut wherever the page ends.
    const bool fitsOnAPage = axis.boxLength <= pageLength - axis.repeated;
    for (;;) {
        const double room = starts.size() == 1 ? pageLength : pageLength - axis.repeated;
        // A page narrower than a pixel still moves on by one.
        const long long limit = start + std::max<long long>(1, std::llround(std::floor(room)));
        if (limit >= axis.total)
            return starts;
        int next = int(limit);
        if (fitsOnAPage) {
            next = breakAtOrBefore(axis, next);
            if (next <= start)
                next = int(limit);
        }
        starts.push_back(next);
        start = next;
    }
}

double fitScale(const PageAxis& across, const PageAxis& down, double pageWidth, double pageHeight,
                int pages)
{
    double scale = std::min(1.0, pageWidth / shortestPageFor(across, pages));
    if (pages == 1)
        scale = std::min(scale, pageHeight / shortestPageFor(down, 1));
    return scale;
}

std::string pageFooter(std::string_view chartName, int row, int column, int rows, int columns)
{
    const int page = (row - 1) * columns + column;
    std::string footer(chartName);
    if (!footer.empty())
        footer += " \xE2\x80\x94 "; // an em dash
    return footer + "page " + std::to_string(page) + " of " + std::to_string(rows * columns) +
           " (row " + std::to_string(row) + ", column " + std::to_string(column) + ")";
}
