// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Roll: a sheet of the size PageOptions::roll gives.
enum class Paper { A4, A3, A2, A1, A0, Letter, Legal, Tabloid, Roll };
// Automatic: whichever takes fewer pages, then whichever prints the chart
// larger, portrait when both are alike (a poster: whichever prints larger).
enum class Orientation { Automatic, Portrait, Landscape };

// How a chart is spread over paper: at actual size (one chart pixel is 1/96
// inch) over as many pages as it needs, shrunk to a number of pages across, or
// at a scale in percent, or on one sheet as a poster (see poster/poster_plan.h);
// on which paper, which way up.
struct PageOptions {
    enum Mode { ActualSize, FitPagesWide, Percent, Poster };
    Mode mode = ActualSize;
    int pagesWide = 1;       // FitPagesWide; 1 puts the whole chart on one page
    int percent = 100;       // Percent
    bool background = false; // paper is white unless the chart's colour is asked for
    Paper paper = Paper::A4;
    Orientation orientation = Orientation::Automatic;
    struct Millimetres {
        int width = 0;
        int height = 0;
        bool operator==(const Millimetres&) const = default;
    };
    Millimetres roll{}; // Paper::Roll
};

// The sides a roll may have, in millimetres: PDF readers take no page side
// longer than 200 inches.
inline constexpr int shortestRollSide = 100;
inline constexpr int longestRollSide = 5080;

// A roll's size written "WIDTHxHEIGHTmm" ("914x2000mm"); nullopt for anything
// else or a side outside the limits above.
std::optional<PageOptions::Millimetres> parseRollSize(std::string_view text);

// "wide=N" or "scale=P" (as --pages takes them); nullopt for anything else.
std::optional<PageOptions> parsePageOptions(std::string_view text);

// The paper sizes in the order offered, with their names ("A4", "Letter").
const std::vector<std::pair<Paper, std::string>>& paperSizes();
// The paper of a name in any case ("a3"); nullopt for an unknown name.
std::optional<Paper> paperNamed(std::string_view name);

// The page options of a render's arguments after its files: "--pages
// wide=N|scale=P" with "--paper SIZE", or "--poster SIZE|WIDTHxHEIGHTmm";
// "--landscape" or "--portrait"; in any order, each at most once. `pages` is
// empty when neither --pages nor --poster is given; `error` says what is wrong
// (paper or orientation alone, --poster with --pages or --paper, both
// orientations, an unknown size or argument) and is empty when nothing is.
struct PageArguments {
    std::optional<PageOptions> pages;
    std::string error;
};
PageArguments parsePageArguments(const std::vector<std::string>& arguments);

// One direction of a chart laid on a grid: boxes of boxLength every pitch
// pixels from origin, over total pixels. The first `repeated` pixels (the
// generation column) are printed again at the start of every later page.
struct PageAxis {
    int total = 0;
    int origin = 0;
    int boxLength = 1;
    int pitch = 1;
    int repeated = 0;
};

// Where each page starts along the axis, in chart pixels; page i ends where
// page i + 1 starts (the last at total). A page holds pageLength chart pixels,
// less the repeated ones after the first. Starts fall between boxes unless a
// box is longer than a page.
std::vector<int> pageStarts(const PageAxis& axis, double pageLength);

// The scale (1 = actual size, never more) at which the chart takes at most
// `pages` pages across a page of pageWidth by pageHeight (in 1/96 inch); one
// page across also means one page down.
double fitScale(const PageAxis& across, const PageAxis& down, double pageWidth, double pageHeight,
                int pages);

// The line at the foot of a page: pages are counted row by row from 1.
std::string pageFooter(std::string_view chartName, int row, int column, int rows, int columns);
