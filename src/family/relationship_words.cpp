// SPDX-License-Identifier: GPL-3.0-or-later
#include "family/relationship_words.h"

#include <array>
#include <cstdlib>

namespace {

std::string bySex(char sex, const char* male, const char* female, const char* unknown)
{
    return sex == 'M' ? male : sex == 'F' ? female : unknown;
}

// 1st, 2nd, 3rd, 4th, 11th, 12th, 13th, 21st, 22nd, 111th.
std::string ordinalNumber(int n)
{
    const int lastTwo = n % 100;
    const int last = n % 10;
    const char* suffix = (lastTwo >= 11 && lastTwo <= 13) ? "th"
                         : last == 1                      ? "st"
                         : last == 2                      ? "nd"
                         : last == 3                      ? "rd"
                                                          : "th";
    return std::to_string(n) + suffix;
}

// great-, great-great-, then 3rd great-: a long row of greats reads badly.
std::string greats(int count)
{
    if (count <= 0)
        return {};
    if (count <= 2)
        return count == 1 ? "great-" : "great-great-";
    return ordinalNumber(count) + " great-";
}

std::string cousinDegree(int degree)
{
    static constexpr std::array<const char*, 10> words = {"first", "second", "third",   "fourth",
                                                          "fifth", "sixth",  "seventh", "eighth",
                                                          "ninth", "tenth"};
    return degree <= int(words.size()) ? words[std::size_t(degree - 1)] : ordinalNumber(degree);
}

std::string removal(int removed)
{
    switch (removed) {
    case 0:
        return {};
    case 1:
        return " once removed";
    case 2:
        return " twice removed";
    case 3:
        return " three times removed";
    default:
        return ' ' + std::to_string(removed) + " times removed";
    }
}

std::string englishTerm(int up, int down, bool half, char sex)
{
    if (up == 0)
        return (down >= 2 ? greats(down - 2) + "grand" : "") +
               bySex(sex, "father", "mother", "parent");
    if (down == 0)
        return (up >= 2 ? greats(up - 2) + "grand" : "") + bySex(sex, "son", "daughter", "child");
    const std::string halfMark = half ? "half-" : "";
    if (up == 1 && down == 1)
        return halfMark + bySex(sex, "brother", "sister", "sibling");
    if (up == 1 || down == 1) {
        const std::string prefix = halfMark + greats((up == 1 ? down : up) - 2);
        const char* male = up == 1 ? "uncle" : "nephew";
        const char* female = up == 1 ? "aunt" : "niece";
        if (sex == 'M' || sex == 'F')
            return prefix + (sex == 'M' ? male : female);
        return prefix + male + " or " + prefix + female;
    }
    return (half ? "half " : "") + cousinDegree(std::min(up, down) - 1) + " cousin" +
           removal(std::abs(up - down));
}

// German: a term is one noun, or two ("der Onkel oder die Tante") for a person
// of unknown sex where German has no word for both.
enum class Gender : char { Masculine, Feminine, Neuter };

struct Noun {
    std::string nominative;
    std::string genitive;
    Gender gender;
};

// A noun from its parts: "Halb" + "groß" + "onkel", the first letter made
// capital; what follows (" 2. Grades") after both cases.
Noun germanNoun(const std::string& prefix, const char* word, Gender gender,
                const char* genitiveEnding, const std::string& after = {})
{
    std::string nominative = prefix + word;
    if (!nominative.empty() && nominative[0] >= 'a' && nominative[0] <= 'z')
        nominative[0] = char(nominative[0] - 'a' + 'A');
    return {nominative + after, nominative + genitiveEnding + after, gender};
}

// The nouns by sex: masculine, feminine and, for unknown sex, a word of its own
// (neuter or masculine) or both of the others.
struct NounSet {
    const char* male;
    const char* maleGenitive;
    const char* female;
    const char* unknown = nullptr; // null: both of the others
    Gender unknownGender = Gender::Neuter;
    const char* unknownGenitive = "";
};

std::vector<Noun> bySex(char sex, const NounSet& nouns, const std::string& prefix,
                        const std::string& after = {})
{
    const Noun male = germanNoun(prefix, nouns.male, Gender::Masculine, nouns.maleGenitive, after);
    const Noun female = germanNoun(prefix, nouns.female, Gender::Feminine, "", after);
    if (sex == 'M')
        return {male};
    if (sex == 'F')
        return {female};
    if (nouns.unknown)
        return {
            germanNoun(prefix, nouns.unknown, nouns.unknownGender, nouns.unknownGenitive, after)};
    return {male, female};
}

// Ur, Urur, then 3-fach-Ur.
std::string urs(int count)
{
    if (count <= 0)
        return {};
    if (count <= 2)
        return count == 1 ? "ur" : "urur";
    return std::to_string(count) + "-fach-Ur";
}

std::vector<Noun> germanTerm(int up, int down, bool half, char sex)
{
    if (up == 0)
        return bySex(sex, {"vater", "s", "mutter", "elternteil", Gender::Masculine, "s"},
                     down >= 2 ? urs(down - 2) + "groß" : "");
    if (down == 0)
        return up == 1 ? bySex(sex, {"sohn", "es", "tochter", "kind", Gender::Neuter, "es"}, "")
                       : bySex(sex, {"enkel", "s", "enkelin", "enkelkind", Gender::Neuter, "es"},
                               urs(up - 2));
    const std::string halfMark = half ? "halb" : "";
    if (up == 1 && down == 1)
        return bySex(sex, {"bruder", "s", "schwester", "geschwister", Gender::Neuter, "s"},
                     halfMark);
    if (up == 1 || down == 1) {
        const int generations = up == 1 ? down : up;
        const std::string prefix =
            halfMark + (generations >= 3 ? urs(generations - 3) + "groß" : "");
        return up == 1 ? bySex(sex, {"onkel", "s", "tante"}, prefix)
                       : bySex(sex, {"neffe", "n", "nichte"}, prefix);
    }
    const int degree = std::min(up, down) - 1;
    const int removed = std::abs(up - down);
    std::string after = degree >= 2 ? ' ' + std::to_string(degree) + ". Grades" : "";
    if (removed > 0)
        after += " (" + std::to_string(removed) + (removed == 1 ? " Generation" : " Generationen") +
                 " versetzt)";
    return bySex(sex, {"cousin", "s", "cousine"}, halfMark, after);
}

enum class Case : char { Nominative, Genitive };

// "der Onkel oder die Tante", "eines Neffen", "der Ehefrau".
std::string germanPhrase(const std::vector<Noun>& nouns, Case grammaticalCase, bool definite)
{
    std::string phrase;
    for (const Noun& noun : nouns) {
        if (!phrase.empty())
            phrase += " oder ";
        const bool feminine = noun.gender == Gender::Feminine;
        if (grammaticalCase == Case::Nominative)
            phrase += feminine ? "die " : noun.gender == Gender::Masculine ? "der " : "das ";
        else if (definite)
            phrase += feminine ? "der " : "des ";
        else
            phrase += feminine ? "einer " : "eines ";
        phrase += grammaticalCase == Case::Nominative ? noun.nominative : noun.genitive;
    }
    return phrase;
}

std::vector<Noun> germanSpouse(char sex)
{
    return bySex(sex, {"ehemann", "s", "ehefrau", "ehepartner", Gender::Masculine, "s"}, "");
}

// A parent of known sex is the one there is; any other relative is one of several.
bool onlyOne(const Relationship& relationship, char sex)
{
    return relationship.up == 0 && relationship.down == 1 && (sex == 'M' || sex == 'F');
}

std::string englishSentence(const Relationship& relationship, char sexA, char sexInLaw,
                            std::string_view nameA, std::string_view nameB)
{
    const auto term = [&](char sex) {
        return englishTerm(relationship.up, relationship.down, relationship.half, sex);
    };
    const auto spouse = [](char sex) { return bySex(sex, "husband", "wife", "spouse"); };
    std::string what;
    switch (relationship.kind) {
    case RelationKind::Blood:
        what = term(sexA);
        break;
    case RelationKind::Spouses:
        what = spouse(sexA);
        break;
    case RelationKind::SpouseOfRelative: {
        const std::string relative = term(sexInLaw);
        const bool vowel = relative.find_first_of("aeiou8") == 0 || relative.starts_with("11") ||
                           relative.starts_with("18");
        what = spouse(sexA) + " of " +
               (onlyOne(relationship, sexInLaw) ? "the "
                : vowel                         ? "an "
                                                : "a ") +
               relative;
        break;
    }
    case RelationKind::RelativeOfSpouse:
        what = term(sexA) + " of the " + spouse(sexInLaw);
        break;
    }
    return std::string(nameA) + " is the " + what + " of " + std::string(nameB);
}

std::string germanSentence(const Relationship& relationship, char sexA, char sexInLaw,
                           std::string_view nameA, std::string_view nameB)
{
    const auto term = [&](char sex) {
        return germanTerm(relationship.up, relationship.down, relationship.half, sex);
    };
    std::string what;
    switch (relationship.kind) {
    case RelationKind::Blood:
        what = germanPhrase(term(sexA), Case::Nominative, true);
        break;
    case RelationKind::Spouses:
        what = germanPhrase(germanSpouse(sexA), Case::Nominative, true);
        break;
    case RelationKind::SpouseOfRelative:
        what = germanPhrase(germanSpouse(sexA), Case::Nominative, true) + ' ' +
               germanPhrase(term(sexInLaw), Case::Genitive, onlyOne(relationship, sexInLaw));
        break;
    case RelationKind::RelativeOfSpouse:
        what = germanPhrase(term(sexA), Case::Nominative, true) + ' ' +
               germanPhrase(germanSpouse(sexInLaw), Case::Genitive, true);
        break;
    }
    return std::string(nameA) + " ist " + what + " von " + std::string(nameB);
}

} // namespace

std::string relationTerm(int up, int down, bool half, char sex, DateLanguage language)
{
    if (language != DateLanguage::German)
        return englishTerm(up, down, half, sex);
    std::string term;
    for (const Noun& noun : germanTerm(up, down, half, sex))
        term += (term.empty() ? "" : " oder ") + noun.nominative;
    return term;
}

std::string relationshipSentence(const Relationship& relationship, char sexA, char sexInLaw,
                                 std::string_view nameA, std::string_view nameB,
                                 DateLanguage language)
{
    return language == DateLanguage::German
               ? germanSentence(relationship, sexA, sexInLaw, nameA, nameB)
               : englishSentence(relationship, sexA, sexInLaw, nameA, nameB);
}

std::string notRelatedSentence(std::string_view nameA, std::string_view nameB,
                               DateLanguage language)
{
    if (language == DateLanguage::German)
        return std::string(nameA) + " ist nicht mit " + std::string(nameB) + " verwandt";
    return std::string(nameA) + " is not related to " + std::string(nameB);
}
