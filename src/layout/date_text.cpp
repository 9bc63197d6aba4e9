// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/date_text.h"

#include "base/number_text.h"

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
    std::array<int, 13> monthDays; // the most days each month can have
};

constexpr std::array<int, 13> westernDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0};

// In the order of DateWords::marks, the usual calendar first.
constexpr std::array<Calendar, 4> calendars = {{
    {"@#DGREGORIAN@", "GREGORIAN", nullptr, 12, westernDays},
    {"@#DJULIAN@", "JULIAN", nullptr, 12, westernDays},
    {"@#DHEBREW@",
     "HEBREW",
     hebrewMonths.data(),
     hebrewMonths.size(),
     {30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30}},
    {"@#DFRENCH R@",
     "FRENCH_R",
     frenchMonths.data(),
     frenchMonths.size(),
     {30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 6}},
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
    // Calendars GEDCOM names without defining them.
    std::string_view romanMark, unknownMark;
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
                                    "Roman",
                                    "calendar unknown",
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
                                   "r\u00f6misch",
                                   "Kalender unbekannt",
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
            if (!appendDate(out, mark_))
                return std::nullopt;
        } else if (takeKeyword("BET")) {
            if (!appendRange(out, "AND"))
                return std::nullopt;
        } else if (takeKeyword("FROM")) {
            if (!appendRange(out, "TO"))
                return std::nullopt;
        } else if (takeKeyword("TO")) {
            out += text_.to;
            if (!appendDate(out, mark_))
                return std::nullopt;
        } else {
            takeKeyword("INT"); // the phrase that follows says how it was read
            if (!phraseAt(next_) && !appendDate(out, mark_))
                return std::nullopt;
        }
        if (const std::optional<std::string_view> text = phraseAt(next_)) {
            if (!out.empty())
                out += ' ';
            out.append(*text);
            ++next_;
        }
        if (next_ != words_.size())
            return std::nullopt;
        return out + mark_;
    }

private:
    std::optional<std::string_view> phraseAt(std::size_t at) const
    {
        if (at < words_.size() && words_[at].front() == '(' && words_[at].back() == ')')
            return words_[at];
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
    // "from FIRST to SECOND" long; FROM without TO "from FIRST". Ends in
    // different calendars each carry their own mark, else one mark follows all.
    bool appendRange(std::string& out, std::string_view joiner)
    {
        const bool from = joiner == "TO";
        std::string first, second, secondMark;
        if (!appendDate(first, mark_))
            return false;
        const bool joined = takeKeyword(joiner);
        if (!joined && !from)
            return false;
        if (joined && !appendDate(second, secondMark))
            return false;
        if (joined && secondMark != mark_) {
            first += mark_;
            second += secondMark;
            mark_.clear();
        }
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

    // [CALENDAR] [[DAY] MONTH] YEAR [B.C.]; mark becomes " (Julian)" and the
    // like, empty for the usual calendar.
    bool appendDate(std::string& out, std::string& mark)
    {
        mark.clear();
        std::size_t calendar = 0;
        for (std::size_t c = 0; c < calendars.size(); ++c)
            if (next_ < words_.size() && (words_[next_] == calendars[c].escape ||
                                          sameLetters(words_[next_], calendars[c].keyword))) {
                calendar = c;
                ++next_;
            }
        if (calendar == 0 && next_ < words_.size() && isEscape(words_[next_]))
            return appendOtherCalendar(out, mark);
        if (calendar > 0)
            mark.append(" (").append(text_.marks[calendar]).append(")");
        std::string_view day;
        if (next_ + 1 < words_.size() && words_[next_].size() <= 2 && isNumber(words_[next_]) &&
            monthOf(calendar, words_[next_ + 1]))
            day = words_[next_++];
        const std::optional<std::size_t> month =
            next_ < words_.size() ? monthOf(calendar, words_[next_]) : std::nullopt;
        if (month)
            ++next_;
        if (next_ >= words_.size() || !isYear(words_[next_]))
            return false;
        // A day the month never has (0, 30 FEB): the date is shown as written.
        const int dayNumber = digitsValue(day);
        if (!day.empty() && (dayNumber == 0 || dayNumber > calendars[calendar].monthDays[*month]))
            return false;
        if (!day.empty())
            out.append(std::to_string(dayNumber)).append(text_.dayEnd).append(" ");
        if (month) {
            const Month& name = monthsOf(calendar)[*month];
            out.append(style_ == DateStyle::Long ? name.longName : name.shortName).append(" ");
        }
        out.append(words_[next_++]);
        if (takeKeyword("B.C.") || takeKeyword("BC") || takeKeyword("BCE"))
            out.append(" ").append(text_.beforeChrist);
        return true;
    }

    const Month* monthsOf(std::size_t calendar) const
    {
        return calendars[calendar].months ? calendars[calendar].months : text_.months;
    }

    std::optional<std::size_t> monthOf(std::size_t calendar, std::string_view word) const
    {
        for (std::size_t m = 0; m < calendars[calendar].monthCount; ++m)
            if (sameLetters(word, monthsOf(calendar)[m].code))
                return m;
        return std::nullopt;
    }

    // "@#DROMAN@": a calendar escape, here one of a calendar not known.
    static bool isEscape(std::string_view word)
    {
        return word.size() > 4 && word.substr(0, 3) == "@#D" && word.back() == '@';
    }

    // A date in a calendar not known, after its escape: its words as written
    // up to the end of a range's first date, the calendar named after them.
    bool appendOtherCalendar(std::string& out, std::string& mark)
    {
        const std::string_view name = words_[next_].substr(3, words_[next_].size() - 4);
        const std::size_t first = ++next_;
        for (; next_ < words_.size() && !phraseAt(next_) && !sameLetters(words_[next_], "AND") &&
               !sameLetters(words_[next_], "TO");
             ++next_)
            out.append(next_ == first ? "" : " ").append(words_[next_]);
        mark.append(" (");
        if (sameLetters(name, "ROMAN"))
            mark.append(text_.romanMark);
        else if (sameLetters(name, "UNKNOWN"))
            mark.append(text_.unknownMark);
        else
            mark.append(name);
        mark.append(")");
        return next_ > first;
    }

    static bool isNumber(std::string_view word)
    {
        for (const char c : word)
            if (!isDigit(c))
                return false;
        return !word.empty();
    }

    // "1820", or a year between two ("1699/00"); no calendar has a year 0.
    static bool isYear(std::string_view word)
    {
        const std::string_view year = word.substr(0, word.find('/'));
        if (!isNumber(year) || year.size() > 4 || year.find_first_not_of('0') == year.npos)
            return false;
        return year.size() == word.size() ||
               (isNumber(word.substr(year.size() + 1)) && word.size() - year.size() - 1 <= 2);
    }

    std::vector<std::string_view> words_;
    DateStyle style_;
    const DateWords& text_;
    std::size_t next_ = 0;
    std::string mark_; // the calendar's, after all the rest
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
