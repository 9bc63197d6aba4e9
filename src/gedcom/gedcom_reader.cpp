// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_reader.h"

#include "gedcom/gedcom_date.h"
#include "gedcom/gedcom_text.h"
#include "helpmod/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace {

// A warning list long enough to point at the trouble, short enough to show.
constexpr std::size_t maxWarnings = 100;
// Deeper levels than this are no lineage data; they are skipped with their parent.
constexpr int maxLevel = 99;

struct Line {
    int level = -1;
    std::string_view xref;
    std::string_view tag;
    std::string_view value;
};

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view nextWord(std::string_view& rest)
{
    const std::size_t end = std::min(rest.find(' '), rest.size());
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
    std::string_view rest = text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
    const std::string_view level = nextWord(rest);
    if (level.empty() || level.size() > 2 ||
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
    line.value = rest;
    line.level =
        (level[0] - '0') * (level.size() == 2 ? 10 : 1) + (level.size() == 2 ? level[1] - '0' : 0);
    return line;
}

std::string_view pointer(std::string_view value)
{
    value = trimmed(value);
    if (value.size() >= 3 && value.front() == '@' && value.back() == '@')
        return value.substr(1, value.size() - 2);
    return {};
}

struct Reference {
    std::string xref;
    long line;
};

struct PendingPerson {
    std::vector<Reference> childOf;
    std::vector<Reference> spouseIn;
};

struct PendingFamily {
    std::vector<Reference> husbands;
    std::vector<Reference> wives;
    std::vector<Reference> children;
};

// What a line may add to: the text its CONT and CONC lines continue, the event
// its DATE and PLAC lines describe.
struct Frame {
    std::string_view tag;
    std::string* text = nullptr;
    GedcomEvent* event = nullptr;
};

class Reader {
public:
    GedcomLoad read(std::string_view text);

private:
    void warn(long line, const std::string& message);
    void take(const Line& line, long number, std::vector<Frame>& frames);
    void takePersonLine(const Line& line, long number, const Frame& parent, Frame& frame);
    void takeFamilyLine(const Line& line, long number, const Frame& parent, Frame& frame);
    void link();
    int resolve(const std::unordered_map<std::string_view, int>& index, const Reference& ref);
    void sortChildren();

    GedcomLoad load_;
    std::vector<PendingPerson> pendingPersons_;
    std::vector<PendingFamily> pendingFamilies_;
    enum class Record { None, Person, Family } record_ = Record::None;
    long warningCount_ = 0;
};

void Reader::warn(long line, const std::string& message)
{
    if (++warningCount_ <= long(maxWarnings))
        load_.data.warnings.push_back("line " + std::to_string(line) + ": " + message);
}

GedcomLoad Reader::read(std::string_view text)
{
    std::vector<Frame> frames;
    long number = 0;
    bool sawHeader = false, sawTrailer = false;
    std::size_t at = 0;
    while (at < text.size() && !sawTrailer) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view raw = text.substr(at, end - at);
        at = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        ++number;
        if (trimmed(raw).empty())
            continue;
        const Line line = parseLine(raw);
        if (!sawHeader) {
            if (line.level != 0 || line.tag != "HEAD")
                return GedcomLoad{Result::failure(Result::InvalidRecord,
                                                  "This is not a GEDCOM file: it does not begin "
                                                  "with \"0 HEAD\".",
                                                  number),
                                  {}};
            sawHeader = true;
        }
        if (line.level < 0) {
            warn(number, "not a GEDCOM line; skipped");
            continue;
        }
        if (line.level > int(frames.size()) || line.level > maxLevel) {
            warn(number, "level " + std::to_string(line.level) + " follows level " +
                             std::to_string(int(frames.size()) - 1) + "; skipped");
            continue;
        }
        sawTrailer = line.level == 0 && line.tag == "TRLR";
        take(line, number, frames);
    }
    if (!sawHeader)
        return GedcomLoad{
            Result::failure(Result::InvalidRecord, "This is not a GEDCOM file: it is empty."), {}};
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
    Frame frame{line.tag};
    if (line.level == 0) {
        record_ = Record::None;
        if (line.tag == "INDI" && !line.xref.empty()) {
            record_ = Record::Person;
            load_.data.persons.emplace_back().xref = line.xref;
            pendingPersons_.emplace_back();
        } else if (line.tag == "FAM" && !line.xref.empty()) {
            record_ = Record::Family;
            load_.data.families.emplace_back().xref = line.xref;
            pendingFamilies_.emplace_back();
        }
        frames.push_back(frame);
        return;
    }
    const Frame& parent = frames.back();
    if (line.tag == "CONT" || line.tag == "CONC") {
        if (parent.text) {
            if (line.tag == "CONT")
                *parent.text += '\n';
            *parent.text += line.value;
        }
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
    PendingPerson& pending = pendingPersons_.back();
    if (line.level == 1) {
        if (line.tag == "NAME" && person.name.empty() && person.given.empty()) {
            person.name = line.value;
            frame.text = &person.name;
        } else if (line.tag == "SEX") {
            person.sex = trimmed(line.value).empty() ? 'U' : trimmed(line.value)[0];
        } else if (line.tag == "BIRT") {
            frame.event = &person.birth;
        } else if (line.tag == "CHR") {
            frame.event = &person.christening;
        } else if (line.tag == "DEAT") {
            frame.event = &person.death;
        } else if (line.tag == "BURI") {
            frame.event = &person.burial;
        } else if (line.tag == "FAMC" || line.tag == "FAMS") {
            const std::string_view xref = pointer(line.value);
            if (xref.empty())
                warn(number, std::string(line.tag) + " without a cross-reference; skipped");
            else
                (line.tag == "FAMC" ? pending.childOf : pending.spouseIn)
                    .push_back({std::string(xref), number});
        }
    } else if (line.level == 2 && parent.tag == "NAME" && parent.text == &person.name) {
        if (line.tag == "GIVN")
            frame.text = &(person.given = line.value);
        else if (line.tag == "SURN")
            frame.text = &(person.surname = line.value);
    } else if (line.level == 2 && parent.event) {
        if (line.tag == "DATE")
            frame.text = &(parent.event->date = trimmed(line.value));
        else if (line.tag == "PLAC")
            frame.text = &(parent.event->place = trimmed(line.value));
    }
}

void Reader::takeFamilyLine(const Line& line, long number, const Frame& parent, Frame& frame)
{
    GedcomFamily& family = load_.data.families.back();
    PendingFamily& pending = pendingFamilies_.back();
    if (line.level == 1) {
        if (line.tag == "HUSB" || line.tag == "WIFE" || line.tag == "CHIL") {
            const std::string_view xref = pointer(line.value);
            auto& refs = line.tag == "HUSB"   ? pending.husbands
                         : line.tag == "WIFE" ? pending.wives
                                              : pending.children;
            if (xref.empty())
                warn(number, std::string(line.tag) + " without a cross-reference; skipped");
            else
                refs.push_back({std::string(xref), number});
        } else if (line.tag == "MARR") {
            frame.event = &family.marriage;
        }
    } else if (line.level == 2 && parent.event) {
        if (line.tag == "DATE")
            frame.text = &(parent.event->date = trimmed(line.value));
        else if (line.tag == "PLAC")
            frame.text = &(parent.event->place = trimmed(line.value));
    }
}

int Reader::resolve(const std::unordered_map<std::string_view, int>& index, const Reference& ref)
{
    const auto found = index.find(ref.xref);
    if (found != index.end())
        return found->second;
    if (ref.xref != "VOID")
        warn(ref.line, "@" + ref.xref + "@ names no record; ignored");
    return -1;
}

std::uint64_t pairKey(int family, int person)
{
    return std::uint64_t(std::uint32_t(family)) << 32 | std::uint32_t(person);
}

// Joins persons and families both ways. The family records come first; a FAMS or
// FAMC link only its person names adds the person where there is room.
void Reader::link()
{
    GedcomData& data = load_.data;
    std::unordered_map<std::string_view, int> personIndex, familyIndex;
    personIndex.reserve(data.persons.size());
    familyIndex.reserve(data.families.size());
    for (std::size_t i = 0; i < data.persons.size(); ++i)
        personIndex.emplace(data.persons[i].xref, int(i));
    for (std::size_t i = 0; i < data.families.size(); ++i)
        familyIndex.emplace(data.families[i].xref, int(i));

    std::unordered_set<std::uint64_t> childPairs, spousePairs;
    for (std::size_t f = 0; f < data.families.size(); ++f) {
        GedcomFamily& family = data.families[f];
        const PendingFamily& pending = pendingFamilies_[f];
        for (const Reference& ref : pending.husbands)
            if (int p = resolve(personIndex, ref); p >= 0 && family.husband < 0)
                family.husband = p;
        for (const Reference& ref : pending.wives)
            if (int p = resolve(personIndex, ref); p >= 0 && family.wife < 0 && p != family.husband)
                family.wife = p;
        for (const Reference& ref : pending.children)
            if (int p = resolve(personIndex, ref);
                p >= 0 && childPairs.insert(pairKey(int(f), p)).second)
                family.children.push_back(p);
    }
    for (std::size_t p = 0; p < data.persons.size(); ++p) {
        for (const Reference& ref : pendingPersons_[p].spouseIn) {
            const int f = resolve(familyIndex, ref);
            if (f < 0)
                continue;
            GedcomFamily& family = data.families[f];
            if (family.husband == int(p) || family.wife == int(p))
                continue;
            const bool female = data.persons[p].sex == 'F';
            int& preferred = female ? family.wife : family.husband;
            int& other = female ? family.husband : family.wife;
            if (preferred < 0)
                preferred = int(p);
            else if (other < 0)
                other = int(p);
        }
        for (const Reference& ref : pendingPersons_[p].childOf) {
            const int f = resolve(familyIndex, ref);
            if (f >= 0 && childPairs.insert(pairKey(f, int(p))).second)
                data.families[f].children.push_back(int(p));
        }
    }
    // Each person's families: those their own record names first, in its order.
    auto addSpouse = [&](int f, int p) {
        if (p >= 0 && spousePairs.insert(pairKey(f, p)).second)
            data.persons[p].spouseIn.push_back(f);
    };
    std::unordered_set<std::uint64_t> childListed;
    auto addChild = [&](int f, int p) {
        if (childListed.insert(pairKey(f, p)).second)
            data.persons[p].childOf.push_back(f);
    };
    for (std::size_t p = 0; p < data.persons.size(); ++p) {
        for (const Reference& ref : pendingPersons_[p].spouseIn) {
            const auto found = familyIndex.find(ref.xref);
            if (found != familyIndex.end() && (data.families[found->second].husband == int(p) ||
                                               data.families[found->second].wife == int(p)))
                addSpouse(found->second, int(p));
        }
        for (const Reference& ref : pendingPersons_[p].childOf)
            if (const auto found = familyIndex.find(ref.xref); found != familyIndex.end())
                addChild(found->second, int(p));
    }
    for (std::size_t f = 0; f < data.families.size(); ++f) {
        addSpouse(int(f), data.families[f].husband);
        addSpouse(int(f), data.families[f].wife);
        for (const int child : data.families[f].children)
            addChild(int(f), child);
    }
}

// Children in birth order; a child without a birth date keeps its place after
// the sibling listed before it.
void Reader::sortChildren()
{
    GedcomData& data = load_.data;
    for (GedcomFamily& family : data.families) {
        std::vector<std::pair<long, int>> keyed;
        keyed.reserve(family.children.size());
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

GedcomLoad readGedcom(std::string_view utf8) { return Reader().read(utf8); }

GedcomLoad readGedcomFile(const std::string& path)
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return GedcomLoad{Result::failure(Result::CannotOpen,
                                          "Cannot open " + path + ": " + std::strerror(errno)),
                          {}};
    std::string bytes;
    const bool read = readAtMost(fd, maxGedcomSize, bytes);
    const int readError = errno;
    ::close(fd);
    if (!read)
        return GedcomLoad{Result::failure(Result::CannotOpen,
                                          "Cannot read " + path + ": " + std::strerror(readError)),
                          {}};
    GedcomText text = decodeGedcom(bytes);
    if (!text.ok)
        return GedcomLoad{
            Result::failure(Result::CannotOpen, "Cannot read " + path + ": " + text.error), {}};
    bytes.clear();
    return readGedcom(text.utf8);
}
