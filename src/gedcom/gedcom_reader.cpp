// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_reader.h"

#include "gedcom/file_fingerprint.h"

#include "base/parallel.h"
#include "base/regular_file.h"
#include "gedcom/gedcom_date.h"
#include "gedcom/gedcom_text.h"
#include "gedcom/record_parser.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <list>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace {

// Joins the stretches as if the file had been read in one go, then links the
// records to each other.
class Linker {
public:
    explicit Linker(GedcomData& data) : data_(data) {}
    void join(std::vector<GedcomStretch>& stretches);
    void link();
    void sortChildren();
    void finishWarnings();

private:
    void warnRepeatedXrefs();
    void warn(long line, const std::string& message);
    void apply(const LinkLine& ref);
    void findHome(const XrefIndex& personIndex);

    GedcomData& data_;
    GedcomStretch whole_; // the stretches joined, but for their references
    // Each stretch's references, counted as in the whole file: they are used
    // once, so they stay where they were made.
    std::vector<std::vector<LinkLine>> references_;
    std::optional<XrefIndex> personIndex_, familyIndex_;
};

void Linker::warn(long line, const std::string& message)
{
    if (++whole_.warningCount <= long(maxGedcomWarnings))
        data_.warnings.push_back("line " + std::to_string(line) + ": " + message);
}

void Linker::join(std::vector<GedcomStretch>& stretches)
{
    std::size_t used = 0; // the stretches up to the one with the trailer
    while (used < stretches.size() && !stretches[used++].sawTrailer) {
    }
    // Where each stretch's records and lines begin in the whole file.
    std::vector<int> persons{0}, families{0}, otherNames{0};
    std::vector<long> lines{0};
    std::vector<XrefKey> personKeys, familyKeys;
    for (std::size_t index = 0; index < used; ++index) {
        const GedcomStretch& stretch = stretches[index];
        persons.push_back(persons.back() + int(stretch.persons.size()));
        families.push_back(families.back() + int(stretch.families.size()));
        otherNames.push_back(otherNames.back() + int(stretch.otherNames.size()));
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
                GedcomStretch& stretch = stretches[index];
                whole_.persons.insert(whole_.persons.end(),
                                      std::make_move_iterator(stretch.persons.begin()),
                                      std::make_move_iterator(stretch.persons.end()));
                if (!stretch.otherNames.empty())
                    for (auto p = whole_.persons.end() - long(stretch.persons.size());
                         p != whole_.persons.end(); ++p)
                        p->otherNames += p->otherNames >= 0 ? otherNames[index] : 0;
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
            for (LinkLine& ref : stretches[index].references) {
                ref.owner += ref.fromFamily() ? families[index] : persons[index];
                ref.line += lines[index];
            }
        }
    });
    for (std::size_t index = 0; index < used; ++index) {
        GedcomStretch& stretch = stretches[index];
        references_.push_back(std::move(stretch.references));
        data_.text->joined.splice(data_.text->joined.end(), stretch.joined);
        data_.otherNames.insert(data_.otherNames.end(), stretch.otherNames.begin(),
                                stretch.otherNames.end());
        for (const LineWarning& warning : stretch.warnings)
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

void Linker::warnRepeatedXrefs()
{
    const bool persons = data_.personIndex && data_.personIndex->repeats();
    if (!persons && !(familyIndex_ && familyIndex_->repeats()))
        return;
    // Rare, so the lines are looked for only now: "0 @X@ INDI" or "... FAM".
    std::unordered_map<std::string_view, long> firstLine;
    const std::string_view text = data_.text->file;
    long number = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        ++number;
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (!line.starts_with("0 @"))
            continue;
        const std::size_t close = line.find('@', 3);
        if (close == std::string_view::npos)
            continue;
        const std::string_view tag = line.substr(close + 1);
        if (!tag.starts_with(" INDI") && !tag.starts_with(" FAM"))
            continue;
        const std::string_view record = line.substr(0, close + 1 + (tag[1] == 'I' ? 5 : 4));
        const auto [first, isNew] = firstLine.try_emplace(record, number);
        if (!isNew)
            warn(number, std::string(line.substr(2, close - 1)) + " was used before, at line " +
                             std::to_string(first->second) +
                             "; links to it lead to that record only");
    }
}

void Linker::finishWarnings()
{
    warnRepeatedXrefs();
    if (whole_.warningCount > long(maxGedcomWarnings))
        data_.warnings.push_back(std::to_string(whole_.warningCount - long(maxGedcomWarnings)) +
                                 " more warnings");
}

// Applies one link line; a person's own FAMS takes a free place in the family.
void Linker::apply(const LinkLine& ref)
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
    if (ref.kind == LinkLine::Child || ref.kind == LinkLine::ChildOf) {
        family.children.push_back(p); // doubles are dropped below
    } else if (ref.kind == LinkLine::Husband) {
        if (family.husband < 0 && p != family.wife)
            family.husband = p;
    } else if (ref.kind == LinkLine::Wife) {
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
    const auto indexOf = [&](const LinkLine& ref) -> const XrefIndex& {
        return ref.fromFamily() ? persons : familyIndex;
    };
    for (std::vector<LinkLine>& references : references_) {
        const std::size_t parts = parallelParts(references.size(), std::size_t(1) << 15);
        runInParallel(parts, [&](std::size_t part) {
            const std::size_t end = references.size() * (part + 1) / parts;
            constexpr std::size_t ahead = 16;
            for (std::size_t i = references.size() * part / parts; i < end; ++i) {
                if (i + ahead < end)
                    indexOf(references[i + ahead]).prefetch(references[i + ahead].xref);
                LinkLine& ref = references[i];
                ref.target = indexOf(ref).find(ref.xref);
            }
        });
    }
    // The family records' own lines first, so that they take the places.
    for (const bool fromFamily : {true, false})
        for (const std::vector<LinkLine>& references : references_)
            for (const LinkLine& ref : references)
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

bool GedcomData::xrefRepeated(int person) const
{
    if (!repeatsPersonXrefs())
        return false;
    const std::string_view xref = persons[std::size_t(person)].xref;
    for (std::size_t i = 0; i < persons.size(); ++i)
        if (int(i) != person && persons[i].xref == xref)
            return true;
    return false;
}

bool GedcomData::isParent(int parent, int child) const
{
    for (const int f : persons[std::size_t(child)].childOf) {
        const GedcomFamily& family = families[std::size_t(f)];
        if (family.husband == parent || family.wife == parent)
            return true;
    }
    return false;
}

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
    std::vector<GedcomStretch> read(starts.size());
    runInParallel(read.size(), [&](std::size_t index) {
        GedcomStretch& stretch = read[index];
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
        readStretch(stretch, expected);
    });
    if (!read.front().failure)
        return read.front().failure;
    Linker linker(load.data);
    linker.join(read);
    linker.link();
    linker.sortChildren();
    linker.finishWarnings();
    return load;
}

namespace {

// Enough of a file to tell its header by, in any character set.
constexpr std::size_t headerSample = std::size_t(1) << 16;
// Text holds no run of zero bytes this long in any character set read here; a
// file that does (a sparse file's holes, a disk image) is no GEDCOM file.
constexpr std::size_t zeroRunLimit = 1024;

enum class FileRead { Done, Failed, TooLarge, NoHeader, ZeroRun };

// Whether the first line that is not blank is "0 HEAD"; a blank start is left
// for the reader to call empty.
bool beginsWithHeader(std::string_view sample)
{
    // In every character set read here the first character that is not blank
    // is a '0' byte, after byte order marks and UTF-16's zero bytes: anything
    // else (an image, a PDF) is told apart without decoding.
    const std::size_t first =
        sample.find_first_not_of(std::string_view("\xEF\xBB\xBF\xFE\xFF\0 \t\r\n", 10));
    if (first != std::string_view::npos && sample[first] != '0')
        return false;
    const GedcomText decoded = decodeGedcom(std::string(sample));
    const std::string& text = decoded.utf8;
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) // control characters make no blank start
        return decoded.controlsLeftOut == 0;
    const std::size_t end = text.find_first_of("\r\n", start);
    return isHeaderLine(std::string_view(text).substr(start, end - start));
}

// The offset at which a run of zeroRunLimit zero bytes ends within bytes, the
// run counted on from `run` zero bytes before them; npos when none ends there.
std::size_t zeroRunEnd(std::string_view bytes, std::size_t& run)
{
    for (std::size_t at = 0; at < bytes.size();) {
        if (run == 0) {
            const void* zero = std::memchr(bytes.data() + at, 0, bytes.size() - at);
            if (!zero)
                return std::string_view::npos;
            at = std::size_t(static_cast<const char*>(zero) - bytes.data());
        }
        run = bytes[at] == '\0' ? run + 1 : 0;
        ++at;
        if (run >= zeroRunLimit)
            return at;
    }
    return std::string_view::npos;
}

// Reads a family file's bytes, refusing it as soon as its start or a run of
// zero bytes shows it is none, so that memory grows with what it holds.
FileRead readFamilyBytes(int fd, std::string& bytes, std::size_t& zeroRunAt)
{
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        if (std::size_t(info.st_size) > maxGedcomSize)
            return FileRead::TooLarge;
        bytes.reserve(std::size_t(info.st_size) + 1); // address space only until read
    }
    constexpr std::size_t chunkSize = std::size_t(1) << 20;
    std::size_t run = 0;
    std::size_t scanned = 0; // for zero runs, once the header is seen
    bool headerSeen = false;
    while (true) {
        const std::size_t start = bytes.size();
        // Within the room reserved while it lasts: growing past it copies the whole.
        const std::size_t room = bytes.capacity() - start;
        const std::size_t wanted = room > 0 ? std::min(chunkSize, room) : chunkSize;
        bytes.resize(start + wanted);
        ssize_t count;
        do
            count = ::read(fd, bytes.data() + start, wanted);
        while (count < 0 && errno == EINTR);
        bytes.resize(start + std::size_t(std::max<ssize_t>(count, 0)));
        if (count < 0)
            return FileRead::Failed;
        if (bytes.size() > maxGedcomSize)
            return FileRead::TooLarge;
        if (!headerSeen && (bytes.size() >= headerSample || count == 0)) {
            if (!beginsWithHeader(std::string_view(bytes).substr(0, headerSample)))
                return FileRead::NoHeader;
            headerSeen = true;
        }
        if (headerSeen) {
            const std::size_t end = zeroRunEnd(std::string_view(bytes).substr(scanned), run);
            if (end != std::string_view::npos) {
                zeroRunAt = scanned + end - zeroRunLimit;
                return FileRead::ZeroRun;
            }
            scanned = bytes.size();
        }
        if (count == 0)
            return FileRead::Done;
    }
}

} // namespace

Result checkHoldsPersons(const GedcomData& data, const std::string& path)
{
    if (!data.persons.empty())
        return {};
    return Result::failure(Result::Failed, STIRPA_TR_NOOP("Message", "%1 holds no persons."),
                           {path});
}

bool isGedcomFile(const std::string& path)
{
    const std::string start = readFileStart(path, headerSample);
    return start.find_first_not_of(" \t\r\n") != std::string::npos && beginsWithHeader(start);
}

Result refuseGedcomOverwrite(const std::string& path)
{
    if (!isGedcomFile(path))
        return {};
    return Result::failure(Result::CannotWrite,
                           STIRPA_TR_NOOP("Message", "Cannot write '%1': it is a GEDCOM file, "
                                                     "which Stirpa never replaces; nothing was "
                                                     "written."),
                           {path});
}

GedcomLoad readGedcomFile(const std::string& path)
{
    FileDescriptor fd = openRegularFile(path);
    if (!fd)
        return errno == EINVAL
                   ? Result::failure(Result::CannotOpen,
                                     STIRPA_TR_NOOP("Message", "Cannot open the file '%1': it is "
                                                               "not a regular file."),
                                     {path})
                   : Result::failure(Result::CannotOpen,
                                     STIRPA_TR_NOOP("Message", "Cannot open %1: %2"),
                                     {path, std::strerror(errno)});
    // A file under the size limit can still be more than the memory holds.
    const auto outOfMemory = [&path] {
        return Result::failure(
            Result::CannotOpen,
            STIRPA_TR_NOOP("Message", "Cannot read %1: there is not enough memory."), {path});
    };
    std::string bytes;
    FileRead read = FileRead::Failed;
    int readError = 0;
    std::size_t zeroRunAt = 0;
    try {
        read = readFamilyBytes(fd.get(), bytes, zeroRunAt);
        readError = errno;
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
    fd.close();
    switch (read) {
    case FileRead::Done:
        break;
    case FileRead::Failed:
        return Result::failure(Result::CannotOpen, STIRPA_TR_NOOP("Message", "Cannot read %1: %2"),
                               {path, std::strerror(readError)});
    case FileRead::TooLarge:
        return Result::failure(Result::CannotOpen, STIRPA_TR_NOOP("Message", "Cannot read %1: %2"),
                               {path, std::strerror(EFBIG)});
    case FileRead::NoHeader:
        return Result::failure(
            Result::InvalidRecord,
            STIRPA_TR_NOOP("Message",
                           "%1 is not a GEDCOM file: it does not begin with \"0 HEAD\"."),
            {path});
    case FileRead::ZeroRun:
        return Result::failure(
            Result::InvalidRecord,
            STIRPA_TR_NOOP("Message",
                           "%1 is not a GEDCOM file: it holds a run of zero bytes at byte %2."),
            {path, std::to_string(zeroRunAt)});
    }
    try {
        const std::uint64_t fingerprint = bytesFingerprint(bytes);
        GedcomText text = decodeGedcom(std::move(bytes));
        if (text.utf8.find_first_not_of(" \t\r\n") == std::string::npos)
            return Result::failure(
                Result::InvalidRecord,
                STIRPA_TR_NOOP("Message", "%1 is not a GEDCOM file: it is empty."), {path});
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
