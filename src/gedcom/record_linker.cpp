// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/record_linker.h"

#include "base/parallel.h"
#include "gedcom/gedcom_date.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>

namespace {

// Where each part's records and lines begin in the whole file; the last
// entry is where the parts used end.
struct PartOffsets {
    std::vector<int> persons{0}, families{0}, otherNames{0};
    std::vector<long> lines{0};
};

// Joins the parts as if the file had been read in one go, then links the
// records to each other.
class Linker {
public:
    explicit Linker(GedcomData& data) : data_(data) {}
    void join(std::vector<RecordPart>& parts);
    void link();
    void sortChildren();
    void finishWarnings();

private:
    void gatherRecords(std::vector<RecordPart>& parts, std::size_t used,
                       const PartOffsets& offsets);
    void takeIn(RecordPart& part, std::size_t index, const PartOffsets& offsets);
    void warnRepeatedXrefs();
    void warn(long line, const std::string& message);
    void apply(const LinkLine& ref);
    void findHome(const XrefIndex& personIndex);

    GedcomData& data_;
    RecordPart whole_; // the parts joined, but for their references
    // Each part's references, counted as in the whole file: they are used
    // once, so they stay where they were made.
    std::vector<std::vector<LinkLine>> references_;
    std::optional<XrefIndex> personIndex_, familyIndex_;
};

void Linker::warn(long line, const std::string& message)
{
    if (++whole_.warningCount <= long(maxGedcomWarnings))
        data_.warnings.push_back("line " + std::to_string(line) + ": " + message);
}

PartOffsets offsetsOf(const std::vector<RecordPart>& parts, std::size_t used)
{
    PartOffsets offsets;
    for (std::size_t index = 0; index < used; ++index) {
        const RecordPart& part = parts[index];
        offsets.persons.push_back(offsets.persons.back() + int(part.persons.size()));
        offsets.families.push_back(offsets.families.back() + int(part.families.size()));
        offsets.otherNames.push_back(offsets.otherNames.back() + int(part.otherNames.size()));
        offsets.lines.push_back(offsets.lines.back() + part.lines);
    }
    return offsets;
}

// The cross-references of the parts' persons, or of their families, in file order.
template <typename Record>
std::vector<XrefKey> keysOf(std::vector<Record> RecordPart::*records,
                            const std::vector<RecordPart>& parts, std::size_t used, int count)
{
    std::vector<XrefKey> keys;
    keys.reserve(std::size_t(count));
    for (std::size_t index = 0; index < used; ++index)
        for (const Record& record : parts[index].*records)
            keys.emplace_back(record.xref);
    return keys;
}

void Linker::gatherRecords(std::vector<RecordPart>& parts, std::size_t used,
                           const PartOffsets& offsets)
{
    whole_.persons = std::move(parts.front().persons);
    whole_.families = std::move(parts.front().families);
    for (std::size_t index = 1; index < used; ++index) {
        RecordPart& part = parts[index];
        whole_.persons.insert(whole_.persons.end(), std::make_move_iterator(part.persons.begin()),
                              std::make_move_iterator(part.persons.end()));
        if (!part.otherNames.empty())
            for (auto p = whole_.persons.end() - long(part.persons.size());
                 p != whole_.persons.end(); ++p)
                p->otherNames += p->otherNames >= 0 ? offsets.otherNames[index] : 0;
        whole_.families.insert(whole_.families.end(),
                               std::make_move_iterator(part.families.begin()),
                               std::make_move_iterator(part.families.end()));
        // Let go at once: the part's records are a large share of the memory used.
        part.persons = {};
        part.families = {};
    }
}

void Linker::takeIn(RecordPart& part, std::size_t index, const PartOffsets& offsets)
{
    references_.push_back(std::move(part.references));
    data_.text->joined.splice(data_.text->joined.end(), part.joined);
    data_.otherNames.insert(data_.otherNames.end(), part.otherNames.begin(), part.otherNames.end());
    for (const LineWarning& warning : part.warnings)
        warn(warning.line + offsets.lines[index], warning.message);
    whole_.warningCount += part.warningCount - long(part.warnings.size());
    if (whole_.headerHome.empty())
        whole_.headerHome = part.headerHome;
    if (whole_.headerSubmitter.empty())
        whole_.headerSubmitter = part.headerSubmitter;
    if (whole_.markedHome < 0 && part.markedHome >= 0)
        whole_.markedHome = part.markedHome + offsets.persons[index];
    whole_.submitterLinks.insert(whole_.submitterLinks.end(), part.submitterLinks.begin(),
                                 part.submitterLinks.end());
}

void Linker::join(std::vector<RecordPart>& parts)
{
    std::size_t used = 0; // the parts up to the one with the trailer
    while (used < parts.size() && !parts[used++].sawTrailer) {
    }
    const PartOffsets offsets = offsetsOf(parts, used);
    std::vector<XrefKey> personKeys =
        keysOf(&RecordPart::persons, parts, used, offsets.persons.back());
    std::vector<XrefKey> familyKeys =
        keysOf(&RecordPart::families, parts, used, offsets.families.back());
    // The records are gathered into the first part's, the indexes made and
    // each part's links counted as in the whole file, all at once.
    runInParallel(used + 3, [&](std::size_t task) {
        if (task == 0) {
            gatherRecords(parts, used, offsets);
        } else if (task == 1) {
            personIndex_.emplace(std::move(personKeys));
        } else if (task == 2) {
            familyIndex_.emplace(std::move(familyKeys));
        } else {
            const std::size_t index = task - 3;
            for (LinkLine& ref : parts[index].references) {
                ref.owner += ref.fromFamily() ? offsets.families[index] : offsets.persons[index];
                ref.line += offsets.lines[index];
            }
        }
    });
    for (std::size_t index = 0; index < used; ++index)
        takeIn(parts[index], index, offsets);
    if (!parts[used - 1].sawTrailer)
        warn(offsets.lines[used],
             "the file ends before its trailer (0 TRLR); what it holds was read");
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

void linkRecords(GedcomData& data, std::vector<RecordPart>& parts)
{
    Linker linker(data);
    linker.join(parts);
    linker.link();
    linker.sortChildren();
    linker.finishWarnings();
}
