// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/html_export.h"

#include "chartfile/atomic_file.h"
#include "chartfile/debug_log.h"
#include "export/person_html.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
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

} // namespace

String initialHtmlName(const String& documentPath)
{
    return documentPath.directory() + documentPath.fileName().stem() + ".html";
}

String htmlPageName(const String& outputPath) { return outputPath.fileName().stem(); }

void writeHtmlChart(std::ostream& out, const Chart& chart, const String& pageName)
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
    tree.forEachPerson([&](const Person* box) {
        appendHtmlBox(piece, *box, settings, pageName);
        handOn(false);
    });
    handOn(true);
    const Point extent = tree.extent();
    out << "<br><img src=\"tom.gif\" width="
        << (long long)extent.x + spacerMargin + settings.htmlStartX << " height=" << extent.y
        << " border=0>" << '\n';
}

bool writeHtmlPage(std::ostream& out, const Chart& chart, const String& pageName,
                   std::istream* pageTemplate)
{
    std::string line;
    if (pageTemplate) {
        while (true) {
            if (!readTemplateLine(*pageTemplate, line))
                return false;
            if (line.rfind("TREE", 0) == 0)
                break;
            if (line.rfind("FILENAME", 0) == 0)
                out << pageName.c_str() << '\n';
            else
                out << line << '\n';
        }
    }
    writeHtmlChart(out, chart, pageName);
    if (pageTemplate) {
        while (readTemplateLine(*pageTemplate, line))
            out << line << '\n';
    }
    return true;
}

Result exportHtml(const Chart& chart, const String& path, bool completePage,
                  const std::string& templatePath)
{
    debugLog() << "Html outfile is " << path.c_str() << std::endl;
    // Check that the output can be created before the template is read, so the log
    // tells the failures in the order they matter; the page itself is written
    // atomically at the end.
    std::error_code ignored;
    const bool existed = std::filesystem::exists(path.c_str(), ignored);
    {
        std::ofstream probe(path.c_str(), std::ios::app | std::ios::binary);
        if (!probe) {
            const int code = errno;
            debugLog() << "Cannot create outfile " << path.c_str() << std::endl;
            return Result::failure(Result::CannotCreate, "Cannot create the file '" +
                                                             path.toStdString() +
                                                             "': " + std::strerror(code));
        }
    }

    const String pageName = htmlPageName(path);
    Result result;
    // The page goes to the temporary file as it is made, never whole in memory.
    auto writePage = [&](const PieceWriter& write) {
        PieceBuffer buffer(write);
        std::ostream page(&buffer);
        if (completePage) {
            std::ifstream pageTemplate(templatePath, std::ios::binary);
            const bool opened = pageTemplate.is_open();
            if (!opened || !writeHtmlPage(page, chart, pageName, &pageTemplate)) {
                debugLog() << "Model input prematurely interrupted" << std::endl;
                result = Result::failure(
                    Result::TemplateIncomplete,
                    opened ? "The page template '" + templatePath + "' has no TREE line."
                           : "Cannot read the page template '" + templatePath + "'.");
            } else {
                debugLog() << "Model input eof" << std::endl;
            }
        } else {
            writeHtmlPage(page, chart, pageName, nullptr);
        }
        page.flush();
    };

    if (Result written = writeFileAtomically(path.toStdString(), writePage); !written) {
        // Leave no empty file behind where there was none.
        if (!existed)
            std::filesystem::remove(path.c_str(), ignored);
        debugLog() << "Cannot create outfile " << path.c_str() << std::endl;
        written.status = Result::CannotWrite;
        return written;
    }
    return result;
}
