// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_reader.h"

#include "gedcom/file_fingerprint.h"

#include "base/parallel.h"
#include "base/regular_file.h"
#include "gedcom/gedcom_date.h"
#include "gedcom/gedcom_text.h"
#include "gedcom/xref_index.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <list>
#include <new>
#include <optional>
#include <unistd.h>

namespace {

// A warning list long enough to point at the trouble, short enough to show.
constexpr std::size_t maxWarnings = 100;
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

// A line linking a record to another: where it points (into the text being read,
// which outlives the reader) and the record found there.
struct Reference {
    enum Kind { Husband, Wife, Child, ChildOf, SpouseIn };
    Kind kind;
    int owner; // the family or person whose record holds the line
    XrefKey xref;
    long line;
    int target = -1;
    bool fromFamily() const { return kind <= Child; }
};

// What a line may add to: the text its CONT and CONC lines continue, the event
// its DATE and PLAC lines describe.
struct Frame {
    std::uint32_t code = 0;
    std::string_view* text = nullptr;
    GedcomEvent* event = nullptr;
    std::string* joined = nullptr; // the text once a line continued it
};

struct Warning {
    long line;
    std::string message;
};

struct SubmitterLink {
    std::string_view submitter;
    std::string_view person;
};

// A stretch of the file, read on a thread of its own. Each begins with a record
// (a level 0 line), so no record spans two; until the stretches are joined, its
// line numbers and record indices count from its own start.
struct Stretch {
    std::string_view text;
    bool first = true; // the file's start, which must be its header
    Result failure;
    std::vector<GedcomPerson> persons;
    std::vector<GedcomFamily> families;
    std::vector<Reference> references; // in file order
    std::list<std::string> joined;     // values continued over several lines
    std::vector<Warning> warnings;     // the first maxWarnings
    long warningCount = 0;
    long lines = 0;
    bool sawTrailer = false;
    // The home person: named by the header, marked in a person's record, or
    // linked from the submitter's record the header names.
    std::string_view headerHome;
    std::string_view headerSubmitter;
    int markedHome = -1;
    std::vector<SubmitterLink> submitterLinks;
};

// How many records and links a text holds, from evenly spread samples (and a
// quarter more): growing the vectors would move them all, again and again, and
// files often keep their persons and families apart.
struct RecordCounts {
    std::size_t persons = 0;
    std::size_t families = 0;
    std::size_t links = 0;
};

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

// The starts of the stretches the text is read in: at level 0 lines near equal
// shares of it, never before the end of its first line (its header, which
// tells whether it is GEDCOM at all).
std::vector<std::size_t> stretchStarts(std::string_view text, std::size_t parts)
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

class StretchReader {
public:
    explicit StretchReader(Stretch& stretch) : stretch_(stretch) {}
    void read(const RecordCounts& expected);

private:
    void warn(long line, std::string message);
    void take(const Line& line, long number, std::vector<Frame>& frames);
    void takePersonLine(const Line& line, long number, const Frame& parent, Frame& frame);
    void takeFamilyLine(const Line& line, long number, const Frame& parent, Frame& frame);
    void takeHeaderLine(const Line& line);

    Stretch& stretch_;
    enum class Record { None, Header, Submitter, Person, Family } record_ = Record::None;
};

void StretchReader::warn(long line, std::string message)
{
    if (++stretch_.warningCount <= long(maxWarnings))
        stretch_.warnings.push_back({line, std::move(message)});
}

void StretchReader::read(const RecordCounts& expected)
{
    stretch_.persons.reserve(expected.persons);
    stretch_.families.reserve(expected.families);
    stretch_.references.reserve(expected.links);
    const std::string_view text = stretch_.text;
    std::vector<Frame> frames;
    long number = 0;
    bool sawHeader = !stretch_.first;
    std::size_t at = 0;
    while (at < text.size() && !stretch_.sawTrailer) {
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
            if (line.level != 0 || line.tag != "HEAD") {
                stretch_.failure = Result::failure(
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
        stretch_.sawTrailer = line.level == 0 && line.code == tagCode("TRLR");
        take(line, number, frames);
    }
    stretch_.lines = number;
    if (!sawHeader)
        stretch_.failure =
            Result::failure(Result::InvalidRecord,
                            STIRPA_TR_NOOP("Message", "This is not a GEDCOM file: it is empty."));
}

void StretchReader::take(const Line& line, long number, std::vector<Frame>& frames)
{
    frames.resize(std::size_t(line.level));
    Frame frame{line.code};
    if (line.level == 0) {
        record_ = Record::None;
        if (line.code == tagCode("HEAD")) {
            record_ = Record::Header;
        } else if (line.code == tagCode("SUBM") && !line.xref.empty()) {
            record_ = Record::Submitter;
            stretch_.submitterLinks.push_back({line.xref, {}});
        } else if (line.code == tagCode("INDI") && !line.xref.empty()) {
            record_ = Record::Person;
            stretch_.persons.emplace_back().xref = line.xref;
        } else if (line.code == tagCode("FAM") && !line.xref.empty()) {
            record_ = Record::Family;
            stretch_.families.emplace_back().xref = line.xref;
        }
        frames.push_back(frame);
        return;
    }
    Frame& parent = frames.back();
    if (line.code == tagCode("CONT") || line.code == tagCode("CONC")) {
        if (parent.text) {
            if (!parent.joined)
                parent.joined = &stretch_.joined.emplace_back(*parent.text);
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
        if (line.level == 1 && stretch_.submitterLinks.back().person.empty())
            stretch_.submitterLinks.back().person = pointer(line.value);
    } else if (record_ == Record::Person) {
        takePersonLine(line, number, parent, frame);
    } else if (record_ == Record::Family) {
        takeFamilyLine(line, number, parent, frame);
    }
    frames.push_back(frame);
}

void StretchReader::takePersonLine(const Line& line, long number, const Frame& parent, Frame& frame)
{
    GedcomPerson& person = stretch_.persons.back();
    if (line.level == 1) {
        if (line.code == tagCode("NAME") && person.name.empty() && person.given.empty()) {
            person.name = line.value;
            frame.text = &person.name;
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
            if (stretch_.markedHome < 0 && trimmed(line.value) != "N")
                stretch_.markedHome = int(stretch_.persons.size()) - 1;
        } else if (line.code == tagCode("FAMC") || line.code == tagCode("FAMS")) {
            const std::string_view xref = pointer(line.value);
            if (xref.empty())
                warn(number, std::string(line.tag) + " without a cross-reference; skipped");
            else
                stretch_.references.push_back(
                    {line.code == tagCode("FAMC") ? Reference::ChildOf : Reference::SpouseIn,
                     int(stretch_.persons.size()) - 1, XrefKey(xref), number});
        }
    } else if (line.level == 2 && parent.code == tagCode("NAME") && parent.text == &person.name) {
        if (line.code == tagCode("GIVN"))
            frame.text = &(person.given = line.value);
        else if (line.code == tagCode("SURN"))
            frame.text = &(person.surname = line.value);
    } else if (line.level == 2 && parent.event) {
        if (line.code == tagCode("DATE"))
            frame.text = &(parent.event->date = trimmed(line.value));
        else if (line.code == tagCode("PLAC"))
            frame.text = &(parent.event->place = trimmed(line.value));
    }
    if (frame.event)
        frame.event->recorded = true;
}

void StretchReader::takeFamilyLine(const Line& line, long number, const Frame& parent, Frame& frame)
{
    GedcomFamily& family = stretch_.families.back();
    if (line.level == 1) {
        if (line.code == tagCode("HUSB") || line.code == tagCode("WIFE") ||
            line.code == tagCode("CHIL")) {
            const std::string_view xref = pointer(line.value);
            const Reference::Kind kind = line.code == tagCode("HUSB")   ? Reference::Husband
                                         : line.code == tagCode("WIFE") ? Reference::Wife
                                                                        : Reference::Child;
            if (xref.empty())
                warn(number, std::string(line.tag) + " without a cross-reference; skipped");
            else
                stretch_.references.push_back(
                    {kind, int(stretch_.families.size()) - 1, XrefKey(xref), number});
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

void StretchReader::takeHeaderLine(const Line& line)
{
    if (line.level != 1)
        return;
    if (line.code == tagCode("_HME") && stretch_.headerHome.empty())
        stretch_.headerHome = pointer(line.value);
    else if (line.code == tagCode("SUBM") && stretch_.headerSubmitter.empty())
        stretch_.headerSubmitter = pointer(line.value);
}

// Joins the stretches as if the file had been read in one go, then links the
// records to each other.
class Linker {
public:
    explicit Linker(GedcomData& data) : data_(data) {}
    void join(std::vector<Stretch>& stretches);
    void link();
    void sortChildren();
    void finishWarnings();

private:
    void warn(long line, const std::string& message);
    void apply(const Reference& ref);
    void findHome(const XrefIndex& personIndex);

    GedcomData& data_;
    Stretch whole_; // the stretches joined, but for their references
    // Each stretch's references, counted as in the whole file: they are used
    // once, so they stay where they were made.
    std::vector<std::vector<Reference>> references_;
    std::optional<XrefIndex> personIndex_, familyIndex_;
};

void Linker::warn(long line, const std::string& message)
{
    if (++whole_.warningCount <= long(maxWarnings))
        data_.warnings.push_back("line " + std::to_string(line) + ": " + message);
}

void Linker::join(std::vector<Stretch>& stretches)
{
    std::size_t used = 0; // the stretches up to the one with the trailer
    while (used < stretches.size() && !stretches[used++].sawTrailer) {
    }
    // Where each stretch's records and lines begin in the whole file.
    std::vector<int> persons{0}, families{0};
    std::vector<long> lines{0};
    std::vector<XrefKey> personKeys, familyKeys;
    for (std::size_t index = 0; index < used; ++index) {
        const Stretch& stretch = stretches[index];
        persons.push_back(persons.back() + int(stretch.persons.size()));
        families.push_back(families.back() + int(stretch.families.size()));
        lines.push_back(lines.back() + stretch.lines);
    }
    personKeys.reserve(std::size_t(persons.back()));
    familyKeys.reserve(std::size_t(families.back()));
    for (std::size_t index = 0; index < used; ++index) {
        for (const GedcomPerson& person : stretches[index].persons)
            personKeys.emplace_back(person.xref);
        for (const GedcomFamily& family : stretches[index].families)
            familyKeys.emplace_back(family.xref);
    }
    // The records are gathered into the first stretch's, the indexes made and
    // each stretch's links counted as in the whole file, all at once.
    runInParallel(used + 3, [&](std::size_t task) {
        if (task == 0) {
            whole_.persons = std::move(stretches.front().persons);
            whole_.families = std::move(stretches.front().families);
            for (std::size_t index = 1; index < used; ++index) {
                Stretch& stretch = stretches[index];
                whole_.persons.insert(whole_.persons.end(),
                                      std::make_move_iterator(stretch.persons.begin()),
                                      std::make_move_iterator(stretch.persons.end()));
                whole_.families.insert(whole_.families.end(),
                                       std::make_move_iterator(stretch.families.begin()),
                                       std::make_move_iterator(stretch.families.end()));
                // Let go at once: the stretch's records are a good part of the memory used.
                stretch.persons = {};
                stretch.families = {};
            }
        } else if (task == 1) {
            personIndex_.emplace(std::move(personKeys));
        } else if (task == 2) {
            familyIndex_.emplace(std::move(familyKeys));
        } else {
            const std::size_t index = task - 3;
            for (Reference& ref : stretches[index].references) {
                ref.owner += ref.fromFamily() ? families[index] : persons[index];
                ref.line += lines[index];
            }
        }
    });
    for (std::size_t index = 0; index < used; ++index) {
        Stretch& stretch = stretches[index];
        references_.push_back(std::move(stretch.references));
        data_.text->joined.splice(data_.text->joined.end(), stretch.joined);
        for (const Warning& warning : stretch.warnings)
            warn(warning.line + lines[index], warning.message);
        whole_.warningCount += stretch.warningCount - long(stretch.warnings.size());
        if (whole_.headerHome.empty())
            whole_.headerHome = stretch.headerHome;
        if (whole_.headerSubmitter.empty())
            whole_.headerSubmitter = stretch.headerSubmitter;
        if (whole_.markedHome < 0 && stretch.markedHome >= 0)
            whole_.markedHome = stretch.markedHome + persons[index];
        whole_.submitterLinks.insert(whole_.submitterLinks.end(), stretch.submitterLinks.begin(),
                                     stretch.submitterLinks.end());
    }
    if (!stretches[used - 1].sawTrailer)
        warn(lines[used], "the file ends before its trailer (0 TRLR); what it holds was read");
    data_.persons = std::move(whole_.persons);
    data_.families = std::move(whole_.families);
}

void Linker::finishWarnings()
{
    if (whole_.warningCount > long(maxWarnings))
        data_.warnings.push_back(std::to_string(whole_.warningCount - long(maxWarnings)) +
                                 " more warnings");
}

// Applies one link line; a person's own FAMS takes a free place in the family.
void Linker::apply(const Reference& ref)
{
    if (ref.target < 0) {
        if (ref.xref.text != "VOID")
            warn(ref.line,
                 std::string("@").append(ref.xref.text).append("@ names no record; ignored"));
        return;
    }
    const bool fromFamily = ref.fromFamily();
    const int p = fromFamily ? ref.target : ref.owner;
    GedcomFamily& family = data_.families[std::size_t(fromFamily ? ref.owner : ref.target)];
    if (ref.kind == Reference::Child || ref.kind == Reference::ChildOf) {
        family.children.push_back(p); // doubles are dropped below
    } else if (ref.kind == Reference::Husband) {
        if (family.husband < 0 && p != family.wife)
            family.husband = p;
    } else if (ref.kind == Reference::Wife) {
        if (family.wife < 0 && p != family.husband)
            family.wife = p;
    } else if (family.husband != p && family.wife != p) {
        const bool female = data_.persons[std::size_t(p)].sex == 'F';
        int& preferred = female ? family.wife : family.husband;
        int& other = female ? family.husband : family.wife;
        if (preferred < 0)
            preferred = p;
        else if (other < 0)
            other = p;
    }
}

// Joins persons and families both ways. The family records come first; a FAMS or
// FAMC link only its person names adds the person where there is room. Each
// person's families are then listed in file order.
void Linker::link()
{
    GedcomData& data = data_;
    findHome(*personIndex_);
    data.personIndex = std::make_shared<const XrefIndex>(std::move(*personIndex_));
    const XrefIndex& persons = *data.personIndex;
    const XrefIndex& familyIndex = *familyIndex_;

    // Looking the links up is most of the work and changes nothing: done in
    // parts at once, then applied in file order.
    const auto indexOf = [&](const Reference& ref) -> const XrefIndex& {
        return ref.fromFamily() ? persons : familyIndex;
    };
    for (std::vector<Reference>& references : references_) {
        const std::size_t parts = parallelParts(references.size(), std::size_t(1) << 15);
        runInParallel(parts, [&](std::size_t part) {
            const std::size_t end = references.size() * (part + 1) / parts;
            constexpr std::size_t ahead = 16;
            for (std::size_t i = references.size() * part / parts; i < end; ++i) {
                if (i + ahead < end)
                    indexOf(references[i + ahead]).prefetch(references[i + ahead].xref);
                Reference& ref = references[i];
                ref.target = indexOf(ref).find(ref.xref);
            }
        });
    }
    // The family records' own lines first, so that they take the places.
    for (const bool fromFamily : {true, false})
        for (const std::vector<Reference>& references : references_)
            for (const Reference& ref : references)
                if (ref.fromFamily() == fromFamily)
                    apply(ref);
    // The family each person was last seen a child of: as families are gone
    // through one at a time, this finds doubles without a set of pairs.
    std::vector<int> seenIn(data.persons.size(), -1);
    for (std::size_t f = 0; f < data.families.size(); ++f) {
        GedcomFamily& family = data.families[f];
        for (const int parent : {family.husband, family.wife})
            if (parent >= 0)
                data.persons[std::size_t(parent)].spouseIn.push_back(int(f));
        std::size_t kept = 0;
        for (const int child : family.children) {
            if (seenIn[std::size_t(child)] == int(f))
                continue;
            seenIn[std::size_t(child)] = int(f);
            family.children[kept++] = child;
            data.persons[std::size_t(child)].childOf.push_back(int(f));
        }
        family.children.resize(kept);
    }
}

void Linker::findHome(const XrefIndex& personIndex)
{
    int& home = data_.home;
    if (!whole_.headerHome.empty())
        home = personIndex.find(XrefKey(whole_.headerHome));
    if (home < 0)
        home = whole_.markedHome;
    if (home >= 0 || whole_.headerSubmitter.empty())
        return;
    for (const SubmitterLink& link : whole_.submitterLinks) {
        if (link.submitter == whole_.headerSubmitter && !link.person.empty()) {
            home = personIndex.find(XrefKey(link.person));
            return;
        }
    }
}

// Children in birth order; a child without a birth date keeps its place after
// the sibling listed before it.
void Linker::sortChildren()
{
    GedcomData& data = data_;
    const std::size_t parts = parallelParts(data.families.size(), std::size_t(1) << 12);
    runInParallel(parts, [&](std::size_t part) {
        std::vector<std::pair<long, int>> keyed;
        const std::size_t end = data.families.size() * (part + 1) / parts;
        for (std::size_t f = data.families.size() * part / parts; f < end; ++f) {
            GedcomFamily& family = data.families[f];
            if (family.children.size() < 2)
                continue;
            keyed.clear();
            long last = 0;
            for (const int child : family.children) {
                const GedcomPerson& person = data.persons[std::size_t(child)];
                const long order = dateOrder(person.birth.date.empty() ? person.christening.date
                                                                       : person.birth.date);
                last = order ? order : last;
                keyed.emplace_back(last, child);
            }
            std::stable_sort(keyed.begin(), keyed.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (std::size_t i = 0; i < keyed.size(); ++i)
                family.children[i] = keyed[i].second;
        }
    });
}

} // namespace

int GedcomData::findPerson(std::string_view xref) const
{
    if (xref.size() >= 2 && xref.front() == '@' && xref.back() == '@')
        xref = xref.substr(1, xref.size() - 2);
    if (personIndex)
        return personIndex->find(XrefKey(xref));
    for (std::size_t i = 0; i < persons.size(); ++i)
        if (persons[i].xref == xref)
            return int(i);
    return -1;
}

GedcomLoad readGedcom(std::string utf8, std::size_t stretches)
{
    GedcomLoad load;
    load.data.text->file = std::move(utf8);
    const std::string_view text = load.data.text->file;
    const std::vector<std::size_t> starts = stretchStarts(
        text, stretches > 0 ? stretches : parallelParts(text.size(), std::size_t(1) << 22));
    std::vector<Stretch> read(starts.size());
    runInParallel(read.size(), [&](std::size_t index) {
        Stretch& stretch = read[index];
        const std::size_t end = index + 1 < starts.size() ? starts[index + 1] : text.size();
        stretch.text = text.substr(starts[index], end - starts[index]);
        stretch.first = index == 0;
        RecordCounts expected = estimateRecords(stretch.text);
        if (index == 0 && read.size() > 1) {
            // The first stretch's records take in the others': room for the whole file.
            const RecordCounts whole = estimateRecords(text);
            expected.persons = whole.persons;
            expected.families = whole.families;
        }
        StretchReader(stretch).read(expected);
    });
    if (!read.front().failure)
        return GedcomLoad{read.front().failure, {}};
    Linker linker(load.data);
    linker.join(read);
    linker.link();
    linker.sortChildren();
    linker.finishWarnings();
    return load;
}

GedcomLoad readGedcomFile(const std::string& path)
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return GedcomLoad{Result::failure(Result::CannotOpen,
                                          STIRPA_TR_NOOP("Message", "Cannot open %1: %2"),
                                          {path, std::strerror(errno)}),
                          {}};
    // A file under the size limit can still be more than the memory holds.
    const auto outOfMemory = [&path] {
        return GedcomLoad{
            Result::failure(
                Result::CannotOpen,
                STIRPA_TR_NOOP("Message", "Cannot read %1: there is not enough memory."), {path}),
            {}};
    };
    std::string bytes;
    bool read = false;
    int readError = 0;
    try {
        read = readAtMost(fd, maxGedcomSize, bytes);
        readError = errno;
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return outOfMemory();
    }
    ::close(fd);
    if (!read)
        return GedcomLoad{Result::failure(Result::CannotOpen,
                                          STIRPA_TR_NOOP("Message", "Cannot read %1: %2"),
                                          {path, std::strerror(readError)}),
                          {}};
    try {
        const std::uint64_t fingerprint = bytesFingerprint(bytes);
        GedcomText text = decodeGedcom(std::move(bytes));
        GedcomLoad load = readGedcom(std::move(text.utf8));
        load.data.characterSet = std::move(text.characterSet);
        load.data.fileFingerprint = fingerprint;
        load.data.warnings.insert(load.data.warnings.begin(), text.warnings.begin(),
                                  text.warnings.end());
        return load;
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}
