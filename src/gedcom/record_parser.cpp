// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/record_parser.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace {

// Deeper levels than this are no lineage data; they are skipped with their parent.
constexpr int maxLevel = 99;
// No name, date or place is longer; a longer value, even continued over many
// lines, is cut here so that no box or list line grows without end.
constexpr std::size_t maxValueLength = 4096;

// A tag of up to four letters packed into a number, so that telling tags apart
// costs one comparison; longer tags, none of them lineage data, give 0.
constexpr std::uint32_t tagCode(std::string_view tag)
{
    if (tag.size() > 4)
        return 0;
    std::uint32_t code = 0;
    for (const char c : tag)
        code = code << 8 | std::uint8_t(c);
    return code;
}

struct Line {
    int level = -1;
    std::string_view xref;
    std::string_view tag;
    std::uint32_t code = 0;
    std::string_view value;
    bool cut = false; // the value was longer than maxValueLength
};

// At most the given bytes of UTF-8 text, not cutting a character in two.
std::string_view utf8Prefix(std::string_view text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    while (bytes > 0 && (std::uint8_t(text[bytes]) & 0xC0) == 0x80)
        --bytes;
    return text.substr(0, bytes);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Whether a RESN value keeps the record from view: "privacy" or
// "confidential", any case, alone or in a list ("CONFIDENTIAL, LOCKED").
// "locked" only guards the record against edits.
bool marksPrivate(std::string_view value)
{
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t end = std::min(value.find(',', at), value.size());
        std::string word(trimmed(value.substr(at, end - at)));
        for (char& c : word)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (word == "privacy" || word == "confidential")
            return true;
        at = end + 1;
    }
    return false;
}

std::string_view nextWord(std::string_view& rest)
{
    // A loop, not find(): the words are a few letters long, and a call each
    // would cost more than the looking.
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != ' ')
        ++end;
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    if (!rest.empty())
        rest.remove_prefix(1);
    return word;
}

// Splits "level [@xref@] TAG [value]"; the level stays -1 when the line is not
// of that form.
Line parseLine(std::string_view text)
{
    Line line;
    std::string_view rest = text;
    while (!rest.empty() && isBlank(rest.front()))
        rest.remove_prefix(1);
    const std::string_view level = nextWord(rest);
    // Nine digits at most, so that the number fits an int.
    if (level.empty() || level.size() > 9 ||
        !std::all_of(level.begin(), level.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return line;
    if (!rest.empty() && rest.front() == '@') {
        line.xref = nextWord(rest);
        if (line.xref.size() < 3 || line.xref.back() != '@')
            return line;
        line.xref = line.xref.substr(1, line.xref.size() - 2);
    }
    line.tag = nextWord(rest);
    if (line.tag.empty())
        return line;
    line.code = tagCode(line.tag);
    line.value = rest;
    line.cut = line.value.size() > maxValueLength;
    if (line.cut)
        line.value = utf8Prefix(line.value, maxValueLength);
    line.level = 0;
    for (const char digit : level)
        line.level = line.level * 10 + (digit - '0');
    return line;
}

std::string_view pointer(std::string_view value)
{
    value = trimmed(value);
    if (value.size() >= 3 && value.front() == '@' && value.back() == '@')
        return value.substr(1, value.size() - 2);
    return {};
}

// What a line may add to: the text its CONT and CONC lines continue, the event
// its DATE and PLAC lines describe.
struct Frame {
    std::uint32_t code = 0;
    std::string_view* text = nullptr;
    GedcomEvent* event = nullptr;
    std::string* joined = nullptr; // the text once a line continued it
};

} // namespace

bool isHeaderLine(std::string_view text)
{
    const Line line = parseLine(text);
    return line.level == 0 && line.tag == "HEAD";
}

RecordCounts estimateRecords(std::string_view text)
{
    constexpr std::size_t samples = 16, sampleSize = std::size_t(1) << 14;
    const std::size_t step = std::max(text.size() / samples, sampleSize);
    double persons = 0, families = 0, links = 0, sampled = 0;
    for (std::size_t from = 0; from < text.size(); from += step) {
        const std::string_view sample = text.substr(from, sampleSize);
        sampled += double(sample.size());
        // A line cut at either end of the sample is read in part: close enough.
        for (std::size_t at = 0; at < sample.size();) {
            std::size_t end = at;
            while (end < sample.size() && sample[end] != '\n' && sample[end] != '\r')
                ++end;
            const Line line = parseLine(sample.substr(at, end - at));
            persons += line.level == 0 && line.code == tagCode("INDI");
            families += line.level == 0 && line.code == tagCode("FAM");
            links += line.level == 1 && !pointer(line.value).empty();
            at = end + 1;
        }
    }
    const double scale = 1.25 * double(text.size()) / std::max(sampled, 1.0);
    return {std::size_t(persons * scale), std::size_t(families * scale),
            std::size_t(links * scale)};
}

std::vector<std::size_t> partStarts(std::string_view text, std::size_t parts)
{
    std::vector<std::size_t> starts{0};
    const std::size_t firstLine = text.find_first_not_of(" \t\r\n");
    if (parts < 2 || firstLine == std::string_view::npos)
        return starts;
    // A line that reads as a level 0 line ends whatever came before it, as
    // the reader goes; one that does not is skipped and ends nothing.
    const auto startsRecord = [text](std::size_t at) {
        const std::string_view rest = text.substr(at);
        return rest.starts_with("0 ") &&
               parseLine(rest.substr(0, rest.find_first_of("\r\n"))).level == 0;
    };
    std::size_t from = text.find_first_of("\r\n", firstLine);
    for (std::size_t part = 1; part < parts && from != std::string_view::npos; ++part) {
        from = text.find_first_of("\r\n", std::max(from, text.size() * part / parts));
        while (from != std::string_view::npos && !startsRecord(from + 1))
            from = text.find_first_of("\r\n", from + 1);
        if (from != std::string_view::npos)
            starts.push_back(++from);
    }
    return starts;
}

namespace {

class RecordParser {
public:
    explicit RecordParser(RecordPart& part) : part_(part) {}
    void read(const RecordCounts& expected);

private:
    void warn(long line, std::string message);
    void take(const Line& line, long number, std::vector<Frame>& frames);
    void takePersonLine(const Line& line, long number, const Frame& parent, Frame& frame);
    void takeFamilyLine(const Line& line, long number, const Frame& parent, Frame& frame);
    void takeHeaderLine(const Line& line);
    std::string_view& otherName(GedcomPerson& person, std::uint32_t code);

    RecordPart& part_;
    enum class Record { None, Header, Submitter, Person, Family } record_ = Record::None;
};

void RecordParser::warn(long line, std::string message)
{
    if (++part_.warningCount <= long(maxGedcomWarnings))
        part_.warnings.push_back({line, std::move(message)});
}

void RecordParser::read(const RecordCounts& expected)
{
    part_.persons.reserve(expected.persons);
    part_.families.reserve(expected.families);
    part_.references.reserve(expected.links);
    const std::string_view text = part_.text;
    std::vector<Frame> frames;
    long number = 0;
    bool sawHeader = !part_.first;
    std::size_t at = 0;
    while (at < text.size() && !part_.sawTrailer) {
        std::size_t end = at;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const std::string_view raw = text.substr(at, end - at);
        at = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        ++number;
        if (trimmed(raw).empty())
            continue;
        const Line line = parseLine(raw);
        if (!sawHeader) {
            if (!isHeaderLine(raw)) {
                part_.failure = Result::failure(
                    Result::InvalidRecord,
                    STIRPA_TR_NOOP("Message",
                                   "This is not a GEDCOM file: it does not begin with \"0 HEAD\"."),
                    {}, number);
                return;
            }
            sawHeader = true;
        }
        if (line.level < 0) {
            warn(number, "not a GEDCOM line; skipped");
            continue;
        }
        if (line.level > maxLevel) {
            warn(number, "level " + std::to_string(line.level) + " is deeper than " +
                             std::to_string(maxLevel) + "; skipped");
            continue;
        }
        if (line.level > int(frames.size())) {
            warn(number, "level " + std::to_string(line.level) + " follows level " +
                             std::to_string(int(frames.size()) - 1) + "; skipped");
            continue;
        }
        if (line.cut)
            warn(number, "a line of " + std::to_string(raw.size()) + " bytes; only the first " +
                             std::to_string(maxValueLength) + " bytes of its value were read");
        part_.sawTrailer = line.level == 0 && line.code == tagCode("TRLR");
        take(line, number, frames);
    }
    part_.lines = number;
    if (!sawHeader)
        part_.failure =
            Result::failure(Result::InvalidRecord,
                            STIRPA_TR_NOOP("Message", "This is not a GEDCOM file: it is empty."));
}

void RecordParser::take(const Line& line, long number, std::vector<Frame>& frames)
{
    frames.resize(std::size_t(line.level));
    Frame frame{line.code};
    if (line.level == 0) {
        record_ = Record::None;
        if (line.code == tagCode("HEAD")) {
            record_ = Record::Header;
        } else if (line.code == tagCode("SUBM") && !line.xref.empty()) {
            record_ = Record::Submitter;
            part_.submitterLinks.push_back({line.xref, {}});
        } else if (line.code == tagCode("INDI") && !line.xref.empty()) {
            record_ = Record::Person;
            part_.persons.emplace_back().xref = line.xref;
        } else if (line.code == tagCode("FAM") && !line.xref.empty()) {
            record_ = Record::Family;
            part_.families.emplace_back().xref = line.xref;
        }
        frames.push_back(frame);
        return;
    }
    Frame& parent = frames.back();
    if (line.code == tagCode("CONT") || line.code == tagCode("CONC")) {
        if (parent.text) {
            if (!parent.joined)
                parent.joined = &part_.joined.emplace_back(*parent.text);
            std::string& joined = *parent.joined;
            if (joined.size() < maxValueLength) {
                if (line.code == tagCode("CONT"))
                    joined += '\n';
                joined += line.value;
                joined.resize(utf8Prefix(joined, maxValueLength).size());
            }
            *parent.text = joined;
        }
    } else if (record_ == Record::Header) {
        takeHeaderLine(line);
    } else if (record_ == Record::Submitter) {
        if (line.level == 1 && part_.submitterLinks.back().person.empty())
            part_.submitterLinks.back().person = pointer(line.value);
    } else if (record_ == Record::Person) {
        takePersonLine(line, number, parent, frame);
    } else if (record_ == Record::Family) {
        takeFamilyLine(line, number, parent, frame);
    }
    frames.push_back(frame);
}

void RecordParser::takePersonLine(const Line& line, long number, const Frame& parent, Frame& frame)
{
    GedcomPerson& person = part_.persons.back();
    if (line.level == 1) {
        if (line.code == tagCode("NAME") && person.name.empty() && person.given.empty()) {
            person.name = line.value;
            frame.text = &person.name;
        } else if (line.code == tagCode("TITL") && person.title.empty()) {
            frame.text = &(person.title = trimmed(line.value));
        } else if (line.code == tagCode("RESN")) {
            person.restricted = person.restricted || marksPrivate(line.value);
        } else if (line.code == tagCode("SEX")) {
            person.sex = trimmed(line.value).empty() ? 'U' : trimmed(line.value)[0];
        } else if (line.code == tagCode("BIRT")) {
            frame.event = &person.birth;
        } else if (line.code == tagCode("CHR")) {
            frame.event = &person.christening;
        } else if (line.code == tagCode("DEAT")) {
            frame.event = &person.death;
        } else if (line.code == tagCode("BURI")) {
            frame.event = &person.burial;
        } else if (line.code == tagCode("_HME")) {
            if (part_.markedHome < 0 && trimmed(line.value) != "N")
                part_.markedHome = int(part_.persons.size()) - 1;
        } else if (line.code == tagCode("FAMC") || line.code == tagCode("FAMS")) {
            const std::string_view xref = pointer(line.value);
            if (xref.empty())
                warn(number, std::string(line.tag) + " without a cross-reference; skipped");
            else
                part_.references.push_back(
                    {line.code == tagCode("FAMC") ? LinkLine::ChildOf : LinkLine::SpouseIn,
                     int(part_.persons.size()) - 1, XrefKey(xref), number});
        }
    } else if (line.level == 2 && parent.code == tagCode("NAME") && parent.text == &person.name) {
        if (line.code == tagCode("GIVN"))
            frame.text = &(person.given = line.value);
        else if (line.code == tagCode("SURN"))
            frame.text = &(person.surname = line.value);
        else if (line.code == tagCode("NPFX") || line.code == tagCode("NSFX") ||
                 line.code == tagCode("NICK"))
            frame.text = &(otherName(person, line.code) = line.value);
    } else if (line.level == 2 && parent.event) {
        if (line.code == tagCode("DATE"))
            frame.text = &(parent.event->date = trimmed(line.value));
        else if (line.code == tagCode("PLAC"))
            frame.text = &(parent.event->place = trimmed(line.value));
    }
    if (frame.event)
        frame.event->recorded = true;
}

// The person's NPFX, NSFX or NICK, made room for at the first.
std::string_view& RecordParser::otherName(GedcomPerson& person, std::uint32_t code)
{
    if (person.otherNames < 0) {
        person.otherNames = int(part_.otherNames.size());
        part_.otherNames.emplace_back();
    }
    GedcomNames& names = part_.otherNames[std::size_t(person.otherNames)];
    return code == tagCode("NPFX")   ? names.prefix
           : code == tagCode("NSFX") ? names.suffix
                                     : names.nickname;
}

void RecordParser::takeFamilyLine(const Line& line, long number, const Frame& parent, Frame& frame)
{
    GedcomFamily& family = part_.families.back();
    if (line.level == 1) {
        if (line.code == tagCode("HUSB") || line.code == tagCode("WIFE") ||
            line.code == tagCode("CHIL")) {
            const std::string_view xref = pointer(line.value);
            const LinkLine::Kind kind = line.code == tagCode("HUSB")   ? LinkLine::Husband
                                        : line.code == tagCode("WIFE") ? LinkLine::Wife
                                                                       : LinkLine::Child;
            if (xref.empty())
                warn(number, std::string(line.tag) + " without a cross-reference; skipped");
            else
                part_.references.push_back(
                    {kind, int(part_.families.size()) - 1, XrefKey(xref), number});
        } else if (line.code == tagCode("MARR")) {
            frame.event = &family.marriage;
        }
    } else if (line.level == 2 && parent.event) {
        if (line.code == tagCode("DATE"))
            frame.text = &(parent.event->date = trimmed(line.value));
        else if (line.code == tagCode("PLAC"))
            frame.text = &(parent.event->place = trimmed(line.value));
    }
}

void RecordParser::takeHeaderLine(const Line& line)
{
    if (line.level != 1)
        return;
    if (line.code == tagCode("_HME") && part_.headerHome.empty())
        part_.headerHome = pointer(line.value);
    else if (line.code == tagCode("SUBM") && part_.headerSubmitter.empty())
        part_.headerSubmitter = pointer(line.value);
}

} // namespace

void parseRecords(RecordPart& part, const RecordCounts& expected)
{
    RecordParser(part).read(expected);
}
