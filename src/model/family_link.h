// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/colour_scheme.h"

#include <cstdint>
#include <string>

// Which relatives of the root a chart lays out.
enum class LayoutKind : char { Descendants, Ancestors, Hourglass };

// What a chart tells of living persons: everything, the name alone, or nothing
// but the word "Living". Records the file marks private count as living;
// Show hides them, ShowAll shows them too.
enum class LivingPolicy : char { Show, NameOnly, Hide, ShowAll };

// How boxes write dates: "3 Mar 1820", "3 March 1820", or as the file has them.
enum class DateStyle : char { Short, Long, Raw };

// The language of a date's words: "3 March 1820" or "3. März 1820".
enum class DateLanguage : char { English, German };

// The family file a chart was imported from and the whole import request, so
// that the chart can take in the file's later changes. An empty path: the
// chart is not linked.
struct FamilyLink {
    std::string path; // absolute once read from a chart file, or as given
    std::string root; // the chart's root person's cross-reference
    LayoutKind layout = LayoutKind::Descendants;
    int generations = 4;         // the root's own counted; of an hourglass, the lower half's
    int ancestorGenerations = 4; // of an hourglass, the upper half's, the root's own counted
    bool places = true;
    bool marriages = false;
    LivingPolicy living = LivingPolicy::Show;
    bool keepUnderscores = false; // names as the file writes them, "Edward_VII"
    DateStyle dates = DateStyle::Short;
    DateLanguage dateLanguage = DateLanguage::English;
    bool titles = false; // a title before the name, "Queen Victoria Hanover"
    ColourScheme colours = ColourScheme::None; // what the boxes' fills tell
    // Of a chart of a book: the book's column limit (0: not a book) and the
    // chart's place in it, its suffix ("" the main chart, "03" its third
    // branch, "0301" that one's first); the chart above is the suffix less its
    // last two digits.
    int bookColumns = 0;
    std::string bookChart;
    // The family file's bytes as last taken in (import or update); 0: unknown.
    std::uint64_t fileFingerprint = 0;

    bool linked() const { return !path.empty(); }
    bool inBook() const { return bookColumns > 0; }
    bool operator==(const FamilyLink&) const = default;
};
