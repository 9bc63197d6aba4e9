// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a folder's write journal: reading a chart there and writing a
// book there change nothing outside the folder, and inside it only the book's
// charts (to a temporary's bytes, or gone) and Stirpa's temporaries.
#include "files/atomic_file_set.h"
#include "chartfile/chart_reader.h"
#include "files/write_journal.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string newBytes = "P 0j0 3:new 0j0 0\n";

void put(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string bytesOf(const fs::path& path)
{
    if (fs::is_symlink(path))
        return "link:" + fs::read_symlink(path).string();
    if (fs::is_directory(path))
        return "folder";
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

std::map<fs::path, std::string> snapshot(const fs::path& root)
{
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        files[entry.path()] = bytesOf(entry.path());
    return files;
}

bool mayChange(const fs::path& path, const fs::path& book)
{
    const std::string name = path.filename().string();
    return path.parent_path() == book &&
           (name.starts_with("family") || name.starts_with(".stirpa-journal"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One sandbox for the run, made fresh in the system's temporary folder.
    static const fs::path root = [] {
        std::string folder = (fs::temp_directory_path() / "journal-fuzz-XXXXXX").string();
        return fs::path(::mkdtemp(folder.data()));
    }();
    const fs::path book = root / "book";
    fs::remove_all(book);
    fs::remove_all(root / "secret");
    fs::create_directories(book);
    fs::create_directories(root / "secret");
    put(root / "victim.txt", "the user's own\n");
    put(root / "secret" / "kept.txt", "secret\n");
    for (const char* chart : {"chart.txt", "family.txt", "family01.txt", "family02.txt"})
        put(book / chart, std::string("P 0j0 4:") + chart + " 0j0 0\n");
    put(book / "family.txt.stirpa-tmp-Abc123", newBytes);
    put(book / "family01.txt.stirpa-tmp-Xyz789", newBytes);
    fs::create_directory_symlink("../secret", book / "link");
    fs::create_symlink("../victim.txt", book / "outside.txt");
    put(book / journalName, std::string(reinterpret_cast<const char*>(data), size));
    const auto before = snapshot(root);

    const fs::path here = fs::current_path();
    fs::current_path(root);
    readChartFile("book/chart.txt", TreeSettings());
    AtomicFileSet set(AtomicFileSet::Journaling::FromFirstFile);
    for (const char* name : {"book/family03.txt", "book/family04.txt"})
        set.write(name, [](const PieceWriter& write) { write("P 0j0 1:x 0j0 0\n"); });
    set.commit();
    fs::current_path(here);

    for (const auto& [path, bytes] : snapshot(root)) {
        const std::string name = path.filename().string();
        if (path.parent_path() == book &&
            (name.starts_with("family03") || name.starts_with("family04")))
            continue;
        const auto old = before.find(path);
        if (old == before.end() ||
            (old->second != bytes && !(mayChange(path, book) && bytes == newBytes)))
            std::abort();
    }
    for (const auto& [path, bytes] : before)
        if (!fs::exists(fs::symlink_status(path)) && !mayChange(path, book))
            std::abort();
    return 0;
}
