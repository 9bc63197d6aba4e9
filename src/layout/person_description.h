// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gedcom/gedcom_data.h"
#include "layout/living_persons.h"

#include <string>
#include <string_view>
#include <vector>

struct DescriptionOptions {
    bool places = true;     // the first part of each place after the date
    bool marriages = false; // an "m. DATE" line for each dated marriage
    LivingPolicy living = LivingPolicy::Show;
    bool keepUnderscores = false; // else "Edward_VII" reads "Edward VII"
    DateStyle dates = DateStyle::Short;
    DateLanguage dateLanguage = DateLanguage::English;
    bool titles = false; // the TITL value before the name: "Queen Victoria Hanover"
};

// The words before a box's event lines, as genealogists abbreviate them: what
// a description writes and a link reads back.
struct EventWords {
    std::string_view born, christened, died, buried, married;
};
inline constexpr EventWords englishEventWords{"b. ", "chr. ", "d. ", "bur. ", "m. "};
inline constexpr EventWords germanEventWords{"geb. ", "get. ", "gest. ", "begr. ", "verh. "};
inline const EventWords& eventWords(DateLanguage language)
{
    return language == DateLanguage::German ? germanEventWords : englishEventWords;
}

// What a box shows for a person kept from view, and for one without a name.
inline constexpr std::string_view hiddenPersonText = "Living";
inline constexpr std::string_view namelessText = "?";

// "Given Surname": the NAME value without its slashes and with its blanks
// (and, unless kept, underscores) collapsed; the GIVN and SURN parts when
// there is no NAME value. With titles, the title first unless the name
// already begins with it.
std::string displayName(const GedcomPerson& person, const DescriptionOptions& options = {});

// The given names and the surname apart, each as one line: the surname from
// between the NAME value's slashes, else from its SURN part; underscores as blanks.
struct NameParts {
    std::string given;
    std::string surname;
};
NameParts nameParts(const GedcomPerson& person);

// "1850–1911", "1850–", "–1911" or empty, from the birth (else christening) and
// death (else burial) years; or from the two years, 0 for one not known.
std::string lifeYears(const GedcomPerson& person);
std::string lifeYears(int born, int died);

// A box description in text (its old content replaced; a buffer used again
// spares an allocation per box): the name, then the "b." (or "chr."), "d." (or
// "bur.") and "m." lines that are known, separated as the chart stores line breaks.
// Unless the policy shows them, a person marked in living has the name alone or
// "Living", and no one's box has the date of a marriage to them; under Show,
// living marks only the records marked private, which read "Living".
void describePerson(const GedcomData& data, int person, const DescriptionOptions& options,
                    std::string& text, const std::vector<bool>& living = {});
