// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/family_link.h"

#include <string>
#include <string_view>

// A GEDCOM date as a genealogist writes it. Short: "3 Mar 1820", "abt. 1848",
// "bef. 1850", "1822–1823" (BET/AND and FROM/TO), "from 1822", "12 Apr 1890
// (Julian)", "1995 (from estimated age)". Long: "3 March 1820", "about 1848",
// "before 1850", "between 1822 and 1823", "from 1822 to 1823". In German
// "3. März 1820", "um 1848", "vor 1850", "zwischen 1822 und 1823". A date
// that does not read as GEDCOM, and any date in the raw style, as the file has it.
std::string dateText(std::string_view date, DateStyle style,
                     DateLanguage language = DateLanguage::English);

// The date language of an interface language code ("de", "de_AT.UTF-8"):
// German for German, else English.
DateLanguage dateLanguageOf(std::string_view languageCode);
