// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/date_text.h"

#include <array>
#include <optional>
#include <vector>

namespace {

struct Month {
    std::string_view code;
    std::string_view shortName;
    std::string_view longName;
};

constexpr std::array<Month, 12> englishMonths = {{{"JAN", "Jan", "January"},
                                                  {"FEB", "Feb", "February"},
                                                  {"MAR", "Mar", "March"},
                                                  {"APR", "Apr", "April"},
                                                  {"MAY", "May", "May"},
                                                  {"JUN", "Jun", "June"},
                                                  {"JUL", "Jul", "July"},
                                                  {"AUG", "Aug", "August"},
                                                  {"SEP", "Sep", "September"},
                                                  {"OCT", "Oct", "October"},
                                                  {"NOV", "Nov", "November"},
                                                  {"DEC", "Dec", "December"}}};
constexpr std::array<Month, 12> germanMonths = {{{"JAN", "Jan.", "Januar"},
                                                 {"FEB", "Feb.", "Februar"},
                                                 {"MAR", "M\u00e4rz", "M\u00e4rz"},
                                                 {"APR", "Apr.", "April"},
                                                 {"MAY", "Mai", "Mai"},
                                                 {"JUN", "Juni", "Juni"},
                                                 {"JUL", "Juli", "Juli"},
                                                 {"AUG", "Aug.", "August"},
                                                 {"SEP", "Sept.", "September"},
                                                 {"OCT", "Okt.", "Oktober"},
                                                 {"NOV", "Nov.", "November"},
                                                 {"DEC", "Dez.", "Dezember"}}};
constexpr std::array<Month, 13> hebrewMonths = {{{"TSH", "Tishrei", "Tishrei"},
                                                 {"CSH", "Cheshvan", "Cheshvan"},
                                                 {"KSL", "Kislev", "Kislev"},
                                                 {"TVT", "Tevet", "Tevet"},
                                                 {"SHV", "Shevat", "Shevat"},
                                                 {"ADR", "Adar", "Adar"},
                                                 {"ADS", "Adar II", "Adar II"},
                                                 {"NSN", "Nisan", "Nisan"},
                                                 {"IYR", "Iyar", "Iyar"},
                                                 {"SVN", "Sivan", "Sivan"},
                                                 {"TMZ", "Tammuz", "Tammuz"},
                                                 {"AAV", "Av", "Av"},
                                                 {"ELL", "Elul", "Elul"}}};
constexpr std::array<Month, 13> frenchMonths = {{{"VEND", "Vend.", "Vendémiaire"},
                                                 {"BRUM", "Brum.", "Brumaire"},
                                                 {"FRIM", "Frim.", "Frimaire"},
                                                 {"NIVO", "Niv.", "Nivôse"},
                                                 {"PLUV", "Pluv.", "Pluviôse"},
                                                 {"VENT", "Vent.", "Ventôse"},
                                                 {"GERM", "Germ.", "Germinal"},
                                                 {"FLOR", "Flor.", "Floréal"},
                                                 {"PRAI", "Prair.", "Prairial"},
                                                 {"MESS", "Mess.", "Messidor"},
                                                 {"THER", "Therm.", "Thermidor"},
                                                 {"FRUC", "Fruct.", "Fructidor"},
                                                 {"COMP", "compl.", "jour complémentaire"}}};

struct Calendar {
    std::string_view escape;  // as GEDCOM 5.5.1 writes it
    std::string_view keyword; // as GEDCOM 7 does
    const Month* months;      // null: the language's own
    std::size_t monthCount;
};

// In the order of DateWords::marks, the usual calendar first.
constexpr std::array<Calendar, 4> calendars = {{
    {"@#DGREGORIAN@", "GREGORIAN", nullptr, 12},
    {"@#DJULIAN@", "JULIAN", nullptr, 12},
    {"@#DHEBREW@", "HEBREW", hebrewMonths.data(), hebrewMonths.size()},
    {"@#DFRENCH R@", "FRENCH_R", frenchMonths.data(), frenchMonths.size()},
}};

// The words before a date, in the order of DateWords' qualifiers.
constexpr std::array<std::string_view, 5> qualifierKeywords = {"ABT", "CAL", "EST", "BEF", "AFT"};

// What a language writes around the numbers of a date.
struct DateWords {
    const Month* months;
    std::array<std::string_view, 5> shortQualifiers;
    std::array<std::string_view, 5> longQualifiers;
    // Each with its blanks; "from" alone when no end follows.
    std::string_view between, betweenAnd, from, fromTo, fromAlone, to;
    std::array<std::string_view, 4> marks; // by calendar; none for the usual one
    std::string_view beforeChrist;
    std::string_view dayEnd; // after the day's number
};

constexpr DateWords englishWords = {englishMonths.data(),
                                    {"abt.", "cal.", "est.", "bef.", "aft."},
                                    {"about", "calculated", "estimated", "before", "after"},
                                    "between ",
                                    " and ",
                                    "from ",
                                    " to ",
                                    "from ",
                                    "to ",
                                    {"", "Julian", "Hebrew", "French Republican"},
                                    "BC",
                                    ""};

constexpr DateWords germanWords = {germanMonths.data(),
                                   {"um", "err.", "gesch.", "vor", "nach"},
                                   {"etwa", "errechnet", "gesch\u00e4tzt", "vor", "nach"},
                                   "zwischen ",
                                   " und ",
                                   "von ",
                                   " bis ",
                                   "ab ",
                                   "bis ",
                                   {"", "julianisch", "j\u00fcdisch", "Revolutionskalender"},
                                   "v. Chr.",
                                   "."};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool sameLetters(std::string_view word, std::string_view keyword)
{
    if (word.size() != keyword.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = word[i] >= 'a' && word[i] <= 'z' ? char(word[i] - 32) : word[i];
        if (c != keyword[i])
            return false;
    }
    return true;
}

// The date's words: a calendar escape ("@#DFRENCH R@") and a phrase in
// parentheses, blanks and all, are one word each.
std::vector<std::string_view> wordsOf(std::string_view date)
{
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < date.size()) {
        if (isBlank(date[at])) {
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        if (date[at] == '(') {
            end = date.size();
        } else if (date.substr(at, 3) == "@#D") {
            end = date.find('@', at + 3);
            end = end == date.npos ? date.size() : end + 1;
        } else {
            while (end < date.size() && !isBlank(date[end]))
                ++end;
        }
        words.push_back(date.substr(at, end - at));
        at = end;
    }
    return words;
}

class DateReader {
public:
    DateReader(std::string_view date, DateStyle style, const DateWords& words)
        : words_(wordsOf(date)),
          style_(style),
          text_(words)
    {
    }

    // The whole date, or nullopt when a word is not GEDCOM's.
    std::optional<std::string> read()
    {
        std::string out;
        if (const std::optional<std::size_t> qualifier = takeQualifier()) {
            const bool long_ = style_ == DateStyle::Long;
            out.append((long_ ? text_.longQualifiers : text_.shortQualifiers)[*qualifier]);
            out += ' ';
            if (!appendDate(out))
                return std::nullopt;
        } else if (takeKeyword("BET")) {
            if (!appendRange(out, "AND"))
                return std::nullopt;
        } else if (takeKeyword("FROM")) {
            if (!appendRange(out, "TO"))
                return std::nullopt;
        } else if (takeKeyword("TO")) {
            out += text_.to;
            if (!appendDate(out))
                return std::nullopt;
        } else {
            takeKeyword("INT"); // the phrase that follows says how it was read
            if (!phrase() && !appendDate(out))
                return std::nullopt;
        }
        if (const std::optional<std::string_view> text = phrase()) {
            if (!out.empty())
                out += ' ';
            out.append(*text);
            ++next_;
        }
        if (next_ != words_.size())
            return std::nullopt;
        if (calendar_ > 0)
            out.append(" (").append(text_.marks[calendar_]).append(")");
        return out;
    }

private:
    std::optional<std::string_view> phrase() const
    {
        if (next_ < words_.size() && words_[next_].front() == '(' && words_[next_].back() == ')')
            return words_[next_];
        return std::nullopt;
    }

    bool takeKeyword(std::string_view keyword)
    {
        if (next_ < words_.size() && sameLetters(words_[next_], keyword)) {
            ++next_;
            return true;
        }
        return false;
    }

    std::optional<std::size_t> takeQualifier()
    {
        for (std::size_t q = 0; q < qualifierKeywords.size(); ++q)
            if (takeKeyword(qualifierKeywords[q]))
                return q;
        return std::nullopt;
    }

    // After BET or FROM: "FIRST–SECOND" short, "between FIRST and SECOND" or
    // "from FIRST to SECOND" long; FROM without TO "from FIRST".
    bool appendRange(std::string& out, std::string_view joiner)
    {
        const bool from = joiner == "TO";
        std::string first, second;
        if (!appendDate(first))
            return false;
        const bool joined = takeKeyword(joiner);
        if (!joined && !from)
            return false;
        if (joined && !appendDate(second))
            return false;
        if (!joined) {
            out.append(text_.fromAlone).append(first);
        } else if (style_ == DateStyle::Long) {
            out.append(from ? text_.from : text_.between)
                .append(first)
                .append(from ? text_.fromTo : text_.betweenAnd)
                .append(second);
        } else {
            // A dash without blanks between years alone, as in "1822–1823".
            const bool spaced = first.find(' ') != first.npos || second.find(' ') != second.npos;
            out.append(first).append(spaced ? " \u2013 " : "\u2013").append(second);
        }
        return true;
    }

    // [CALENDAR] [[DAY] MONTH] YEAR [B.C.]
    bool appendDate(std::string& out)
    {
        std::size_t calendar = 0;
        for (std::size_t c = 0; c < calendars.size(); ++c)
            if (next_ < words_.size() && (words_[next_] == calendars[c].escape ||
                                          sameLetters(words_[next_], calendars[c].keyword))) {
                calendar = c;
                ++next_;
            }
        if (calendar_ == 0)
            calendar_ = calendar;
        std::string_view day;
        if (next_ + 1 < words_.size() && words_[next_].size() <= 2 && isNumber(words_[next_]) &&
            monthOf(calendar, words_[next_ + 1]))
            day = words_[next_++];
        const Month* month = next_ < words_.size() ? monthOf(calendar, words_[next_]) : nullptr;
        if (month)
            ++next_;
        if (next_ >= words_.size() || !isYear(words_[next_]))
            return false;
        if (!day.empty())
            out.append(day.front() == '0' ? day.substr(1) : day).append(text_.dayEnd).append(" ");
        if (month)
            out.append(style_ == DateStyle::Long ? month->longName : month->shortName).append(" ");
        out.append(words_[next_++]);
        if (takeKeyword("B.C.") || takeKeyword("BC") || takeKeyword("BCE"))
            out.append(" ").append(text_.beforeChrist);
        return true;
    }

    const Month* monthOf(std::size_t calendar, std::string_view word) const
    {
        const Month* months =
            calendars[calendar].months ? calendars[calendar].months : text_.months;
        for (std::size_t m = 0; m < calendars[calendar].monthCount; ++m)
            if (sameLetters(word, months[m].code))
                return &months[m];
        return nullptr;
    }

    static bool isNumber(std::string_view word)
    {
        for (const char c : word)
            if (!isDigit(c))
                return false;
        return !word.empty();
    }

    // "1820", or a year between two ("1699/00").
    static bool isYear(std::string_view word)
    {
        const std::size_t slash = word.find('/');
        if (slash == word.npos)
            return isNumber(word) && word.size() <= 4;
        return isNumber(word.substr(0, slash)) && isNumber(word.substr(slash + 1)) &&
               word.size() - slash - 1 <= 2;
    }

    std::vector<std::string_view> words_;
    DateStyle style_;
    const DateWords& text_;
    std::size_t next_ = 0;
    std::size_t calendar_ = 0; // the first unusual calendar's
};

} // namespace

std::string dateText(std::string_view date, DateStyle style, DateLanguage language)
{
    const DateWords& words = language == DateLanguage::German ? germanWords : englishWords;
    if (style != DateStyle::Raw)
        if (std::optional<std::string> text = DateReader(date, style, words).read())
            return std::move(*text);
    return std::string(date);
}

DateLanguage dateLanguageOf(std::string_view languageCode)
{
    return languageCode.substr(0, 2) == "de" ? DateLanguage::German : DateLanguage::English;
}
