// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_reader.h"

#include "gedcom/file_fingerprint.h"

#include "base/regular_file.h"
#include "gedcom/gedcom_date.h"
#include "gedcom/gedcom_text.h"
#include "gedcom/xref_index.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
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

class Reader {
public:
    GedcomLoad read(std::string utf8);

private:
    void warn(long line, const std::string& message);
    void take(const Line& line, long number, std::vector<Frame>& frames);
    void takePersonLine(const Line& line, long number, const Frame& parent, Frame& frame);
    void takeFamilyLine(const Line& line, long number, const Frame& parent, Frame& frame);
    void takeHeaderLine(const Line& line);
    void link();
    void findHome(const XrefIndex& personIndex);
    int resolve(const XrefIndex& index, const Reference& ref);
    void apply(Reference& ref, const XrefIndex& index);
    void sortChildren();
    void reserveFor(std::string_view text);

    GedcomLoad load_;
    std::vector<Reference> references_; // in file order
    enum class Record { None, Header, Submitter, Person, Family } record_ = Record::None;
    long warningCount_ = 0;
    // The home person: named by the header, marked in a person's record, or
    // linked from the submitter's record the header names.
    std::string_view headerHome_;
    std::string_view headerSubmitter_;
    int markedHome_ = -1;
    struct SubmitterLink {
        std::string_view submitter;
        std::string_view person;
    };
    std::vector<SubmitterLink> submitterLinks_;
};

void Reader::warn(long line, const std::string& message)
{
    if (++warningCount_ <= long(maxWarnings))
        load_.data.warnings.push_back("line " + std::to_string(line) + ": " + message);
}

// Makes room for the records at once, as many as the start of the file promises
// (and a tenth more): growing would move them all, again and again.
void Reader::reserveFor(std::string_view text)
{
    const std::string_view sample = text.substr(0, std::size_t(1) << 18);
    double persons = 0, families = 0, links = 0;
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
    const double scale =
        1.1 * double(text.size()) / double(std::max<std::size_t>(sample.size(), 1));
    load_.data.persons.reserve(std::size_t(persons * scale));
    load_.data.families.reserve(std::size_t(families * scale));
    references_.reserve(std::size_t(links * scale));
}

GedcomLoad Reader::read(std::string utf8)
{
    load_.data.text->file = std::move(utf8);
    const std::string_view text = load_.data.text->file;
    reserveFor(text);
    std::vector<Frame> frames;
    long number = 0;
    bool sawHeader = false, sawTrailer = false;
    std::size_t at = 0;
    while (at < text.size() && !sawTrailer) {
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
            if (line.level != 0 || line.tag != "HEAD")
                return GedcomLoad{
                    Result::failure(Result::InvalidRecord,
                                    STIRPA_TR_NOOP("Message", "This is not a GEDCOM file: it "
                                                              "does not begin with \"0 HEAD\"."),
                                    {}, number),
                    {}};
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
        sawTrailer = line.level == 0 && line.code == tagCode("TRLR");
        take(line, number, frames);
    }
    if (!sawHeader)
        return GedcomLoad{
            Result::failure(Result::InvalidRecord,
                            STIRPA_TR_NOOP("Message", "This is not a GEDCOM file: it is empty.")),
            {}};
    if (!sawTrailer)
        warn(number, "the file ends before its trailer (0 TRLR); what it holds was read");
    link();
    sortChildren();
    if (warningCount_ > long(maxWarnings))
        load_.data.warnings.push_back(std::to_string(warningCount_ - long(maxWarnings)) +
                                      " more warnings");
    return std::move(load_);
}

void Reader::take(const Line& line, long number, std::vector<Frame>& frames)
{
    frames.resize(std::size_t(line.level));
    Frame frame{line.code};
    if (line.level == 0) {
        record_ = Record::None;
        if (line.code == tagCode("HEAD")) {
            record_ = Record::Header;
        } else if (line.code == tagCode("SUBM") && !line.xref.empty()) {
            record_ = Record::Submitter;
            submitterLinks_.push_back({line.xref, {}});
        } else if (line.code == tagCode("INDI") && !line.xref.empty()) {
            record_ = Record::Person;
            load_.data.persons.emplace_back().xref = line.xref;
        } else if (line.code == tagCode("FAM") && !line.xref.empty()) {
            record_ = Record::Family;
            load_.data.families.emplace_back().xref = line.xref;
        }
        frames.push_back(frame);
        return;
    }
    Frame& parent = frames.back();
    if (line.code == tagCode("CONT") || line.code == tagCode("CONC")) {
        if (parent.text) {
            if (!parent.joined)
                parent.joined = &load_.data.text->joined.emplace_back(*parent.text);
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
        if (line.level == 1 && submitterLinks_.back().person.empty())
            submitterLinks_.back().person = pointer(line.value);
    } else if (record_ == Record::Person) {
        takePersonLine(line, number, parent, frame);
    } else if (record_ == Record::Family) {
        takeFamilyLine(line, number, parent, frame);
    }
    frames.push_back(frame);
}

void Reader::takePersonLine(const Line& line, long number, const Frame& parent, Frame& frame)
{
    GedcomPerson& person = load_.data.persons.back();
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
            if (markedHome_ < 0 && trimmed(line.value) != "N")
                markedHome_ = int(load_.data.persons.size()) - 1;
        } else if (line.code == tagCode("FAMC") || line.code == tagCode("FAMS")) {
            const std::string_view xref = pointer(line.value);
            if (xref.empty())
                warn(number, std::string(line.tag) + " without a cross-reference; skipped");
            else
                references_.push_back(
                    {line.code == tagCode("FAMC") ? Reference::ChildOf : Reference::SpouseIn,
                     int(load_.data.persons.size()) - 1, XrefKey(xref), number});
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

void Reader::takeFamilyLine(const Line& line, long number, const Frame& parent, Frame& frame)
{
    GedcomFamily& family = load_.data.families.back();
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
                references_.push_back(
                    {kind, int(load_.data.families.size()) - 1, XrefKey(xref), number});
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

void Reader::takeHeaderLine(const Line& line)
{
    if (line.level != 1)
        return;
    if (line.code == tagCode("_HME") && headerHome_.empty())
        headerHome_ = pointer(line.value);
    else if (line.code == tagCode("SUBM") && headerSubmitter_.empty())
        headerSubmitter_ = pointer(line.value);
}

int Reader::resolve(const XrefIndex& index, const Reference& ref)
{
    if (const int found = index.find(ref.xref); found >= 0)
        return found;
    if (ref.xref.text != "VOID")
        warn(ref.line, std::string("@").append(ref.xref.text).append("@ names no record; ignored"));
    return -1;
}

// Applies one link line; a person's own FAMS takes a free place in the family.
void Reader::apply(Reference& ref, const XrefIndex& index)
{
    GedcomData& data = load_.data;
    ref.target = resolve(index, ref);
    if (ref.target < 0)
        return;
    const bool fromFamily = ref.fromFamily();
    const int p = fromFamily ? ref.target : ref.owner;
    GedcomFamily& family = data.families[std::size_t(fromFamily ? ref.owner : ref.target)];
    if (ref.kind == Reference::Child || ref.kind == Reference::ChildOf) {
        family.children.push_back(p); // doubles are dropped below
    } else if (ref.kind == Reference::Husband) {
        if (family.husband < 0 && p != family.wife)
            family.husband = p;
    } else if (ref.kind == Reference::Wife) {
        if (family.wife < 0 && p != family.husband)
            family.wife = p;
    } else if (family.husband != p && family.wife != p) {
        const bool female = data.persons[std::size_t(p)].sex == 'F';
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
void Reader::link()
{
    GedcomData& data = load_.data;
    XrefIndex personIndex(data.persons.size()), familyIndex(data.families.size());
    for (std::size_t i = 0; i < data.persons.size(); ++i)
        personIndex.add(XrefKey(data.persons[i].xref), int(i));
    for (std::size_t i = 0; i < data.families.size(); ++i)
        familyIndex.add(XrefKey(data.families[i].xref), int(i));
    findHome(personIndex);

    // The family records' own lines first, so that they take the places.
    for (const bool fromFamily : {true, false})
        for (Reference& ref : references_)
            if (ref.fromFamily() == fromFamily)
                apply(ref, fromFamily ? personIndex : familyIndex);
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

void Reader::findHome(const XrefIndex& personIndex)
{
    int& home = load_.data.home;
    if (!headerHome_.empty())
        home = personIndex.find(XrefKey(headerHome_));
    if (home < 0)
        home = markedHome_;
    if (home >= 0 || headerSubmitter_.empty())
        return;
    for (const SubmitterLink& link : submitterLinks_) {
        if (link.submitter == headerSubmitter_ && !link.person.empty()) {
            home = personIndex.find(XrefKey(link.person));
            return;
        }
    }
}

// Children in birth order; a child without a birth date keeps its place after
// the sibling listed before it.
void Reader::sortChildren()
{
    GedcomData& data = load_.data;
    std::vector<std::pair<long, int>> keyed;
    for (GedcomFamily& family : data.families) {
        if (family.children.size() < 2)
            continue;
        keyed.clear();
        long last = 0;
        for (const int child : family.children) {
            const GedcomPerson& person = data.persons[child];
            const long order =
                dateOrder(person.birth.date.empty() ? person.christening.date : person.birth.date);
            last = order ? order : last;
            keyed.emplace_back(last, child);
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < keyed.size(); ++i)
            family.children[i] = keyed[i].second;
    }
}

} // namespace

int GedcomData::findPerson(std::string_view xref) const
{
    if (xref.size() >= 2 && xref.front() == '@' && xref.back() == '@')
        xref = xref.substr(1, xref.size() - 2);
    for (std::size_t i = 0; i < persons.size(); ++i)
        if (persons[i].xref == xref)
            return int(i);
    return -1;
}

GedcomLoad readGedcom(std::string utf8) { return Reader().read(std::move(utf8)); }

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
