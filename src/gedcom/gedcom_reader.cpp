// SPDX-License-Identifier: GPL-3.0-or-later
#include "gedcom/gedcom_reader.h"

#include "gedcom/file_fingerprint.h"

#include "base/parallel.h"
#include "base/regular_file.h"
#include "gedcom/gedcom_text.h"
#include "gedcom/record_linker.h"
#include "gedcom/record_parser.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

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

GedcomLoad readGedcom(std::string utf8, std::size_t parts)
{
    GedcomLoad load;
    load.data.text->file = std::move(utf8);
    const std::string_view text = load.data.text->file;
    const std::vector<std::size_t> starts =
        partStarts(text, parts > 0 ? parts : parallelParts(text.size(), std::size_t(1) << 22));
    std::vector<RecordPart> read(starts.size());
    runInParallel(read.size(), [&](std::size_t index) {
        RecordPart& part = read[index];
        const std::size_t end = index + 1 < starts.size() ? starts[index + 1] : text.size();
        part.text = text.substr(starts[index], end - starts[index]);
        part.first = index == 0;
        RecordCounts expected = estimateRecords(part.text);
        if (index == 0 && read.size() > 1) {
            // The first part's records take in the others': room for the whole file.
            const RecordCounts whole = estimateRecords(text);
            expected.persons = whole.persons;
            expected.families = whole.families;
        }
        parseRecords(part, expected);
    });
    if (!read.front().failure)
        return read.front().failure;
    linkRecords(load.data, read);
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
