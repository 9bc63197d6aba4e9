// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/html_export.h"

#include "base/byte_text.h"
#include "base/markup_escape.h"
#include "base/regular_file.h"
#include "export/continuation_links.h"
#include "export/page_images.h"
#include "export/person_html.h"
#include "files/atomic_file.h"
#include "files/debug_log.h"
#include "model/text_codec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <streambuf>
#include <string_view>
#include <vector>

namespace {

constexpr int spacerMargin = 100;
constexpr std::size_t pieceSize = 1 << 16;

// Hands what is written to it on to a piece writer in pieces of pieceSize bytes.
class PieceBuffer : public std::streambuf {
public:
    explicit PieceBuffer(const PieceWriter& write) : write_(write), buffer_(pieceSize)
    {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }

protected:
    int_type overflow(int_type c) override
    {
        if (!handOn())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        if (count > epptr() - pptr()) {
            if (!handOn())
                return 0;
            // A large piece goes on as it is.
            if (count >= std::streamsize(buffer_.size()))
                return write_(std::string_view(bytes, std::size_t(count))) ? count : 0;
        }
        std::memcpy(pptr(), bytes, std::size_t(count));
        pbump(int(count));
        return count;
    }

    int sync() override { return handOn() ? 0 : -1; }

private:
    bool handOn()
    {
        const std::size_t count = std::size_t(pptr() - pbase());
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return count == 0 || write_(std::string_view(buffer_.data(), count));
    }

    const PieceWriter& write_;
    std::vector<char> buffer_;
};

// Reads one template line of any length; false at the end of the template.
bool readTemplateLine(std::istream& in, std::string& line) { return bool(std::getline(in, line)); }

bool hasTreeLine(std::string_view text)
{
    for (std::size_t start = 0; start < text.size();) {
        if (text.compare(start, 4, "TREE") == 0)
            return true;
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return false;
}

Result templateFailure(const char* pattern, std::vector<std::string> args)
{
    return Result::failure(Result::TemplateIncomplete, pattern, std::move(args));
}

// Reads the first of the template paths that exists, whole, and tells which it
// was: a template that is not a regular file is never waited on, and one too
// large is not read.
Result readTemplate(const std::vector<std::string>& paths, std::string& text, std::string& used)
{
    const auto exists = [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0;
    };
    const auto chosen = std::find_if(paths.begin(), paths.end(), exists);
    if (chosen == paths.end()) {
        std::string places;
        for (const std::string& path : paths)
            places += (places.empty() ? "" : ", ") + path;
        return templateFailure(STIRPA_TR_NOOP("Message", "Cannot read the page template '%1': "
                                                         "it is in none of %2."),
                               {htmlTemplateName, places});
    }
    used = *chosen;
    const auto unreadable = [&](int code) {
        return templateFailure(STIRPA_TR_NOOP("Message", "Cannot read the page template '%1': %2."),
                               {*chosen, std::strerror(code)});
    };
    FileDescriptor fd = openRegularFile(*chosen);
    if (!fd && errno == EINVAL)
        return templateFailure(STIRPA_TR_NOOP("Message", "Cannot read the page template '%1': "
                                                         "it is not a regular file."),
                               {*chosen});
    if (!fd)
        return unreadable(errno);
    const bool read = readAtMost(fd.get(), maxTemplateSize, text);
    const int code = errno;
    fd.close();
    if (!read && code == EFBIG)
        return templateFailure(STIRPA_TR_NOOP("Message", "Cannot read the page template '%1': "
                                                         "it is larger than %2 MB."),
                               {*chosen, std::to_string(maxTemplateSize >> 20)});
    if (!read)
        return unreadable(code);
    if (!hasTreeLine(text))
        return templateFailure(
            STIRPA_TR_NOOP("Message", "The page template '%1' has no TREE line."), {*chosen});
    return {};
}

// Checks, before anything is read or written, that path can take the page: a
// regular file that opens for writing (never waiting on a FIFO) or a new one.
// created tells whether the check made the file, to be removed if the export fails.
Result checkOutput(const std::string& path, bool& created)
{
    FileDescriptor fd(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0666));
    created = bool(fd);
    if (!fd && errno == EEXIST)
        fd = FileDescriptor(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    const auto notRegular = [&] {
        return Result::failure(
            Result::CannotCreate,
            STIRPA_TR_NOOP("Message", "Cannot create the file '%1': it is not a regular file"),
            {path});
    };
    if (!fd && errno == ENXIO)
        return notRegular();
    if (!fd)
        return Result::failure(Result::CannotCreate,
                               STIRPA_TR_NOOP("Message", "Cannot create the file '%1': %2"),
                               {path, std::strerror(errno)});
    struct stat info {};
    const bool regular = ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode);
    return regular ? Result() : notRegular();
}

} // namespace

std::string initialHtmlName(std::string_view documentPath)
{
    return std::string(folderPart(documentPath)) +
           std::string(withoutExtension(fileNamePart(documentPath))) + ".html";
}

std::string htmlPageName(std::string_view outputPath)
{
    return std::string(withoutExtension(fileNamePart(outputPath)));
}

void writeHtmlChart(std::ostream& out, const Chart& chart, const HtmlPage& page)
{
    const Tree& tree = chart.tree();
    const TreeSettings& settings = chart.settings();
    // The elements are formatted into a buffer and handed on in large pieces.
    std::string piece;
    piece.reserve(pieceSize + 4096);
    auto handOn = [&](bool always) {
        if (always || piece.size() >= pieceSize) {
            out.write(piece.data(), std::streamsize(piece.size()));
            piece.clear();
        }
    };
    tree.forEachPerson([&](const Person* box) {
        appendHtmlLinks(piece, *box, settings);
        handOn(false);
    });
    HtmlPage chartPage = page;
    chartPage.fromFamilyFile = chart.familyLink().linked();
    tree.forEachPerson([&](const Person* box) {
        appendHtmlBox(piece, *box, settings, chartPage, tree.records().find(box));
        handOn(false);
    });
    handOn(true);
    const Point extent = tree.extent();
    out << "<br><img src=\"tom.gif\" width="
        << (long long)extent.x + spacerMargin + settings.htmlStartX << " height=" << extent.y
        << " border=0>" << '\n';
}

bool writeHtmlPage(std::ostream& out, const Chart& chart, const HtmlPage& page,
                   std::istream* pageTemplate, const HtmlBookPage* book)
{
    std::string line;
    if (pageTemplate) {
        while (true) {
            if (!readTemplateLine(*pageTemplate, line))
                return false;
            if (line.rfind("TREE", 0) == 0)
                break;
            if (line.rfind("FILENAME", 0) == 0)
                out << escapedMarkup(displayText(page.name)) << '\n';
            else if (book && !book->title.empty() && line.rfind("<title>", 0) == 0)
                out << "<title>" << escapedMarkup(book->title) << "</title>\n";
            else
                out << line << '\n';
        }
        if (!hasTemplateBoxSize(chart.settings()))
            out << boxSizeStyle(chart.settings());
    }
    if (book && !book->upAddress.empty())
        out << "<a class=\"up\" href=\"" << escapedMarkup(book->upAddress)
            << "\" style=\"position: absolute; top: 4px; left: 50px;\">\u2191 "
            << escapedMarkup(book->upName) << "</a>\n";
    writeHtmlChart(out, chart, page);
    if (pageTemplate) {
        while (readTemplateLine(*pageTemplate, line))
            out << line << '\n';
    }
    return true;
}

HtmlExportResult exportHtml(const Chart& chart, const std::string& path,
                            const HtmlExportOptions& options, const HtmlBookPage* book)
{
    debugLog() << "Html outfile is " << path << std::endl;
    // The output is checked before the template is read, so the log tells the
    // failures in the order they matter.
    bool created = false;
    if (Result usable = checkOutput(path, created); !usable) {
        debugLog() << "Cannot create outfile " << path << std::endl;
        return usable;
    }
    const auto fail = [&](Result failure) {
        // Leave no empty file behind where there was none.
        if (created)
            ::unlink(path.c_str());
        return HtmlExportResult(failure);
    };

    std::string templateText, templatePath;
    if (options.completePage) {
        if (Result read = readTemplate(options.templatePaths, templateText, templatePath); !read) {
            debugLog() << "Model input prematurely interrupted" << std::endl;
            return fail(read);
        }
    }
    const HtmlPage page{htmlPageName(path), options.escapeText, false,
                        !options.completePage && !hasTemplateBoxSize(chart.settings()),
                        book != nullptr};
    // The page goes to the temporary file as it is made, never whole in memory.
    auto writePage = [&](const PieceWriter& write) {
        PieceBuffer buffer(write);
        std::ostream out(&buffer);
        std::istringstream pageTemplate(templateText);
        writeHtmlPage(out, chart, page, options.completePage ? &pageTemplate : nullptr,
                      book);
        out.flush();
    };
    if (Result written = writeFileAtomically(path, writePage); !written) {
        debugLog() << "Cannot create outfile " << path << std::endl;
        return fail(written);
    }
    if (options.completePage)
        debugLog() << "Model input eof" << std::endl;
    HtmlExportResult exported;
    const std::string pageFolder = folderOfPath(path);
    if (options.completePage)
        exported.notes = copyPageImages(folderOfPath(templatePath), pageFolder);
    if (!book)
        for (Result& line : deadContinuationLinks(chart, page.name, pageFolder))
            exported.notes.push_back(std::move(line));
    return exported;
}
