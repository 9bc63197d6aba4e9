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

constexpr std::array<Month, 12> gregorianMonths = {{{"JAN", "Jan", "January"},
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
    std::string_view mark;    // after the date; none for the usual calendar
    const Month* months;
    std::size_t monthCount;
};

constexpr std::array<Calendar, 4> calendars = {{
    {"@#DGREGORIAN@", "GREGORIAN", "", gregorianMonths.data(), gregorianMonths.size()},
    {"@#DJULIAN@", "JULIAN", "Julian", gregorianMonths.data(), gregorianMonths.size()},
    {"@#DHEBREW@", "HEBREW", "Hebrew", hebrewMonths.data(), hebrewMonths.size()},
    {"@#DFRENCH R@", "FRENCH_R", "French Republican", frenchMonths.data(), frenchMonths.size()},
}};

// A word before a date, short and long.
struct Qualifier {
    std::string_view keyword;
    std::string_view shortText;
    std::string_view longText;
};

constexpr std::array<Qualifier, 5> qualifiers = {{{"ABT", "abt.", "about"},
                                                  {"CAL", "cal.", "calculated"},
                                                  {"EST", "est.", "estimated"},
                                                  {"BEF", "bef.", "before"},
                                                  {"AFT", "aft.", "after"}}};

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
    DateReader(std::string_view date, DateStyle style) : words_(wordsOf(date)), style_(style) {}

    // The whole date, or nullopt when a word is not GEDCOM's.
    std::optional<std::string> read()
    {
        std::string out;
        if (const Qualifier* qualifier = takeQualifier()) {
            out.append(style_ == DateStyle::Long ? qualifier->longText : qualifier->shortText);
            out += ' ';
            if (!appendDate(out))
                return std::nullopt;
        } else if (takeKeyword("BET")) {
            if (!appendRange(out, "AND", "between "))
                return std::nullopt;
        } else if (takeKeyword("FROM")) {
            if (!appendRange(out, "TO", "from "))
                return std::nullopt;
        } else if (takeKeyword("TO")) {
            out += "to ";
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
        if (!mark_.empty())
            out.append(" (").append(mark_).append(")");
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

    const Qualifier* takeQualifier()
    {
        for (const Qualifier& qualifier : qualifiers)
            if (takeKeyword(qualifier.keyword))
                return &qualifier;
        return nullptr;
    }

    // After BET or FROM: "FIRST–SECOND" short, "between FIRST and SECOND" or
    // "from FIRST to SECOND" long; FROM without TO "from FIRST".
    bool appendRange(std::string& out, std::string_view joiner, std::string_view longWord)
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
            out.append("from ").append(first);
        } else if (style_ == DateStyle::Long) {
            out.append(longWord).append(first).append(from ? " to " : " and ").append(second);
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
        const Calendar* calendar = &calendars[0];
        for (const Calendar& each : calendars)
            if (next_ < words_.size() &&
                (words_[next_] == each.escape || sameLetters(words_[next_], each.keyword))) {
                calendar = &each;
                ++next_;
            }
        if (mark_.empty())
            mark_ = calendar->mark;
        std::string_view day;
        if (next_ + 1 < words_.size() && words_[next_].size() <= 2 && isNumber(words_[next_]) &&
            monthOf(*calendar, words_[next_ + 1]))
            day = words_[next_++];
        const Month* month = next_ < words_.size() ? monthOf(*calendar, words_[next_]) : nullptr;
        if (month)
            ++next_;
        if (next_ >= words_.size() || !isYear(words_[next_]))
            return false;
        if (!day.empty())
            out.append(day.front() == '0' ? day.substr(1) : day).append(" ");
        if (month)
            out.append(style_ == DateStyle::Long ? month->longName : month->shortName).append(" ");
        out.append(words_[next_++]);
        if (takeKeyword("B.C.") || takeKeyword("BC") || takeKeyword("BCE"))
            out.append(" BC");
        return true;
    }

    static const Month* monthOf(const Calendar& calendar, std::string_view word)
    {
        for (std::size_t m = 0; m < calendar.monthCount; ++m)
            if (sameLetters(word, calendar.months[m].code))
                return &calendar.months[m];
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
    std::size_t next_ = 0;
    std::string_view mark_; // the first unusual calendar's
};

} // namespace

std::string dateText(std::string_view date, DateStyle style)
{
    if (style != DateStyle::Raw)
        if (std::optional<std::string> text = DateReader(date, style).read())
            return std::move(*text);
    return std::string(date);
}
