// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/direction.h"
#include "model/family_link.h"

#include <optional>
#include <string>
#include <string_view>

// The words the program itself writes into a chart's boxes and reports, in the
// chart's language: continuation and limit boxes, see boxes, a book's chart
// names, places. Reading them back knows both languages and the forms older
// charts were written in, so that a chart of either stays the import's.

// The children (pointing down) or parents cut off: "3 children", "1 Kind".
std::string cutOffText(Direction direction, int beyond, DateLanguage language);

// A chart of a book by its suffix: "chart 03", "Karte 03"; the suffix "" is
// the main chart, "main chart", "Hauptkarte".
std::string chartName(std::string_view suffix, DateLanguage language);

// The suffix a chart name of either language names ("" for the main chart);
// nullopt for a line that is no chart name.
std::optional<std::string_view> chartNameSuffix(std::string_view line);

// A cell: "column 5, generation 3", "Spalte 5, Generation 3".
std::string cellName(long column, long long generation, DateLanguage language);

// A see box: the person's name first, then "see PLACE" on a line of its own.
std::string seeBoxText(std::string_view name, std::string_view place, DateLanguage language);

// The person's name and the place a see box names, the same whatever language
// or form wrote it (lines wrapped or not, "see |NAME, |PLACE" of older
// charts); nullopt for a text that is no see box.
std::optional<std::string> seeBoxKey(std::string_view text);

// The language the program's own words in a text are in: a continuation or
// see box's; nullopt for any other text or one whose words both languages share.
std::optional<DateLanguage> languageOfWords(std::string_view text);
